#pragma once

#include <QString>
#include <functional>

class PlotChartView;

// Prints a plot window's chart. By default the user picks a printer in the
// system's print dialog; tests install a sink that takes the request instead.
using TPlotPrintSink = std::function<void(PlotChartView& chart, const QString& jobName)>;

void PrintPlot(PlotChartView& chart, const QString& jobName);
// An empty sink restores the print dialog.
void SetPlotPrintSink(TPlotPrintSink sink);
