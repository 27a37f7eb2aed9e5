#include "plots/PlotReadoutLabel.h"

#include <QFontDatabase>

PlotReadoutLabel::PlotReadoutLabel(const QString& name, QWidget* parent)
    : ReadoutLabel(parent)
{
    setObjectName(name);
    QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    f.setBold(true);
    setFont(f);
}
