#pragma once

#include "models/ZoomPolicy.h"
#include "plots/PlotWindow.h"

class PlotReadoutLabel;
class QAreaSeries;
class QValueAxis;
class TPlotSeriesArea;

// The current peak, average and minimum of one rack-module measurement as
// horizontal bars, their readouts in a row of labels under the chart, each
// beside a swatch of its bar's colour.
class TBarGraph : public TPlotWindow
{
    Q_OBJECT
public:
    // The number posted with UM_CHILD_CLOSED.
    static constexpr int Kind = 0;

    explicit TBarGraph(const TChildWindowArgs& args);

    // The bar series as drawn, peak first; their twins are in the chart.
    const QList<QAreaSeries*>& bars() const { return m_bars; }
    TPlotSeriesArea* seriesArea() const { return m_area; }
    QValueAxis* valueAxis() const { return m_valueAxis; }
    QValueAxis* barAxis() const { return m_barAxis; }
    // The readouts, peak first; one a bar.
    const QList<PlotReadoutLabel*>& readouts() const { return m_readouts; }

public slots:
    void zoomTo(const QRectF& values) override;
    void undoZoom() override;
    void scrollBy(const QPointF& valueDelta) override;

protected:
    void RefreshWindow(qintptr lParam) override;

private:
    // Where bar i lies on the bar axis, peak at the top.
    AxisRange barBand(int i) const;

    QValueAxis* m_valueAxis = nullptr;
    QValueAxis* m_barAxis = nullptr;
    AxisRange m_valueInitial;
    AxisRange m_barInitial;
    TPlotSeriesArea* m_area = nullptr;
    QList<QAreaSeries*> m_bars;
    QList<PlotReadoutLabel*> m_readouts;
};
