#include "plots/PlotReadoutLabel.h"

#include <QFontDatabase>
#include <QMouseEvent>

PlotReadoutLabel::PlotReadoutLabel(const QString& name, QWidget* parent)
    : QLabel(parent)
{
    setObjectName(name);
    // Fixed pitch, so the fixed-width fields of the readouts line up.
    QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    f.setBold(true);
    setFont(f);
}

void PlotReadoutLabel::mouseDoubleClickEvent(QMouseEvent* e)
{
    e->accept();
    emit doubleClicked();
}
