#pragma once

#include "widgets/ReadoutLabel.h"

// A readout under a chart, in the fixed-pitch face so its fixed-width fields
// line up; a double-click on it resets the plot.
class PlotReadoutLabel : public ReadoutLabel
{
    Q_OBJECT
public:
    explicit PlotReadoutLabel(const QString& name, QWidget* parent = nullptr);
};
