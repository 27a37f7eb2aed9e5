#include "plots/PlotPrint.h"

#include "widgets/MessageBoxService.h"
#include "plots/PlotChartView.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace {

TPlotPrintSink& sink()
{
    static TPlotPrintSink s;
    return s;
}

void printWithDialog(PlotChartView& chart, const QString& jobName)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(jobName);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(&printer, chart.window());
    if (dialog.exec() != QDialog::Accepted)
        return;
    QPainter painter;
    if (!painter.begin(&printer)) {
        ShowMessageBox(chart.window(),
                       {QMessageBox::Warning, "Print",
                        "The chart could not be sent to the printer.", QMessageBox::Ok});
        return;
    }
    chart.renderTo(painter, printer.pageLayout().paintRectPixels(printer.resolution()));
    painter.end();
}

} // namespace

void PrintPlot(PlotChartView& chart, const QString& jobName)
{
    if (sink())
        sink()(chart, jobName);
    else
        printWithDialog(chart, jobName);
}

void SetPlotPrintSink(TPlotPrintSink s)
{
    sink() = std::move(s);
}
