#include "widgets/ReadoutLabel.h"

#include <QMouseEvent>

ReadoutLabel::ReadoutLabel(QWidget* parent)
    : QLabel(parent)
{
    // A reading is never markup: plain text spares the rich-text layout on
    // every change.
    setTextFormat(Qt::PlainText);
}

void ReadoutLabel::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton) {
        emit doubleClicked();
        e->accept();
        return;
    }
    QLabel::mouseDoubleClickEvent(e);
}

void ReadoutLabel::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) {
        emit clicked();
        e->accept();
        return;
    }
    QLabel::mouseReleaseEvent(e);
}
