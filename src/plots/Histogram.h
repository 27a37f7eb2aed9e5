#pragma once

#include "models/HistogramModel.h"
#include "plots/PlotWindow.h"

#include <array>

class PlotReadoutLabel;
class QAreaSeries;
class QValueAxis;
class TLiveChartText;
class TPlotSeriesArea;

// How often each value of one measurement occurred since the window opened
// (or was reset): peak, average and minimum as horizontal bars over the value
// bins, in percent of all samples. One sample per block the frame decodes,
// counted as the block arrives at the block's time, and drawn on
// UM_PANEL_REFRESH: refreshes are coalesced, so after a stall one refresh
// stands for several blocks. Until its frame has announced a block, a refresh
// counts as one sample of the frame's current values.
class THistogram : public TPlotWindow
{
    Q_OBJECT
public:
    static constexpr int Kind = 1;
    // The least thickness of a bar, in pixels.
    static constexpr double MinBarPixels = 3;

    explicit THistogram(const TChildWindowArgs& args);

    bool frozen() const { return m_frozen; }
    bool zoomed() const { return m_zoomed; }
    double total() const { return m_model.total(); }
    const THistogramModel& model() const { return m_model; }
    // For tests that need days of samples without a refresh for each.
    THistogramModel& model() { return m_model; }

    // The bars as drawn, peak first; their twins in the chart give the legend.
    const QList<QAreaSeries*>& bars() const { return m_bars; }
    TPlotSeriesArea* seriesArea() const { return m_area; }
    QValueAxis* valueAxis() const { return m_valueAxis; }
    QValueAxis* percentAxis() const { return m_percentAxis; }
    // The title under the bars as shown: the time stamp and "% Distribution".
    QString stampTitle() const;

public slots:
    void zoomTo(const QRectF& values) override;
    void undoZoom() override;
    void scrollBy(const QPointF& valueDelta) override;
    void toggleFrozen();
    void reset();

protected:
    void RefreshWindow(qintptr lParam) override;

private:
    // The values of the block the frame decoded last.
    void countBlock();
    void countCurrent();
    void redraw();
    void outlineBars();

    THistogramModel m_model;
    THistogramAxes m_initial;
    // The limits that follow the data; the chart shows them in whole steps.
    THistogramAxes m_axes;
    unsigned m_mask = 0;
    QValueAxis* m_valueAxis = nullptr;
    QValueAxis* m_percentAxis = nullptr;
    // The time stamp under the bars, new every second.
    TLiveChartText* m_stampTitle = nullptr;
    TPlotSeriesArea* m_area = nullptr;
    QList<QAreaSeries*> m_bars;
    std::array<PlotReadoutLabel*, 3> m_readouts{};
    QList<QPointF> m_outline;
    bool m_frozen = false;
    bool m_zoomed = false;
    // The frame announces its blocks: refreshes count nothing then.
    bool m_blocksAnnounced = false;
};
