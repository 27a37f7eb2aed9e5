#include "widgets/MessageBoxService.h"

namespace {
TMessageBoxAnswerer& answerer()
{
    static TMessageBoxAnswerer a;
    return a;
}
} // namespace

QMessageBox::StandardButton ShowMessageBox(QWidget* parent, const TMessageBoxRequest& request)
{
    if (answerer())
        return answerer()(request);
    QMessageBox box(request.icon, request.title, request.text, request.buttons, parent);
    return QMessageBox::StandardButton(box.exec());
}

void SetMessageBoxAnswerer(TMessageBoxAnswerer a)
{
    answerer() = std::move(a);
}
