#pragma once

#include "models/TimePlotModel.h"
#include "plots/PlotWindow.h"

#include <QDateTime>
#include <array>
#include <functional>

class PlotReadoutLabel;
class QLineSeries;
class QPushButton;
class QValueAxis;
class TPlotSeriesArea;

// The last 30 minutes of one measurement: peak, average and minimum as lines,
// one point per second of the unit's time stamp, x = 0 the newest. A new
// point is drawn on one of the few refreshes after it was made, each plot on
// its own turn, so the plots of a connection do not all draw at once.
class TDataTimePlot : public TPlotWindow
{
    Q_OBJECT
public:
    static constexpr int Kind = 2;
    // The time stamp whose seconds field paces the points.
    using Clock = std::function<QDateTime()>;

    explicit TDataTimePlot(const TChildWindowArgs& args);
    ~TDataTimePlot() override;

    // By default the frame's LastBlockTime; tests set their own.
    void setClock(Clock clock);

    bool frozen() const { return m_frozen; }
    bool zoomed() const { return m_zoomed; }
    // The number of points plotted.
    int total() const { return m_model.count(); }
    const TTimePlotModel& model() const { return m_model; }

    // The lines as drawn, peak first; their twins in the chart give the legend.
    const QList<QLineSeries*>& lines() const { return m_lines; }
    TPlotSeriesArea* seriesArea() const { return m_area; }
    QValueAxis* timeAxis() const { return m_timeAxis; }
    QValueAxis* valueAxis() const { return m_valueAxis; }

    static QString helpPagePath();

public slots:
    void zoomTo(const QRectF& values) override;
    void undoZoom() override;
    void scrollBy(const QPointF& valueDelta) override;
    void toggleFrozen();
    void reset();
    void showHelp();

protected:
    void RefreshWindow(qintptr lParam) override;

private:
    void drawPoints();

    TTimePlotModel m_model;
    // How many refreshes after a new point this plot draws it (its turn).
    int m_phase = 0;
    // Refreshes still to wait before the next drawing; -1 when nothing waits.
    int m_drawIn = -1;
    Clock m_clock;
    unsigned m_mask = 0;
    AxisRange m_timeInitial;
    AxisRange m_valueInitial;
    QValueAxis* m_timeAxis = nullptr;
    QValueAxis* m_valueAxis = nullptr;
    TPlotSeriesArea* m_area = nullptr;
    QList<QLineSeries*> m_lines;
    std::array<PlotReadoutLabel*, 3> m_readouts{};
    std::array<QList<QPointF>, TTimePlotModel::SeriesCount> m_points;
    bool m_frozen = false;
    bool m_zoomed = false;
};
