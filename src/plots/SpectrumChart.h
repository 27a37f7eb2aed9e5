#pragma once

#include "plots/ChartKit.h"

#include <QChartView>
#include <QList>
#include <memory>

class QAreaSeries;
class QLineSeries;
class QValueAxis;
class TSeriesArea;
struct TSpectrumTrace;

// The chart of one spectrum page: the trace as a lime fill or a band-coloured
// line, cursors C1 (level) and C2 (frequency), the mask, a frequency axis at
// the bottom with its twin on top. Everything is set only when it changed, so
// a refresh that brings the same settings costs the trace alone. The series
// are not the chart's: an area laid over the plot draws them, and the chart
// keeps the axes and the grid.
class TSpectrumChart : public QChartView
{
    Q_OBJECT
public:
    TSpectrumChart(const QString& name, const QColor& cursorColour, const QColor& maskColour,
                   QWidget* parent = nullptr);

    void setVerticalAxis(double bottom, double top, double increment);
    void setHorizontalAxis(double min, double max, double increment);
    void setC1(double level);
    void setC2(double kHz);
    void setMask(const QList<QPointF>& points);
    void setMaskVisible(bool visible);
    // The band colours: lime, then yellow and red, as the band numbers go.
    void drawTrace(const TSpectrumTrace& trace, bool fillMode);
    void clearTrace();

    QAreaSeries* fillSeries() const { return m_fill; }
    TBandLine& line() { return *m_line; }
    QLineSeries* c1Series() const { return m_c1; }
    QLineSeries* c2Series() const { return m_c2; }
    QLineSeries* maskSeries() const { return m_mask; }
    QValueAxis* bottomAxis() const { return m_bottom; }
    QValueAxis* topAxis() const { return m_top; }
    QValueAxis* leftAxis() const { return m_left; }
    // Where the series are drawn, over the chart's plot area.
    TSeriesArea* seriesArea() const { return m_area; }

private:
    QValueAxis* m_left = nullptr;
    QValueAxis* m_bottom = nullptr;
    QValueAxis* m_top = nullptr;
    QAreaSeries* m_fill = nullptr;
    QLineSeries* m_c1 = nullptr;
    QLineSeries* m_c2 = nullptr;
    QLineSeries* m_mask = nullptr;
    TSeriesArea* m_area = nullptr;
    std::unique_ptr<TBandLine> m_line;
    double m_c1Level = qQNaN();
    double m_c2KHz = qQNaN();
    int m_fillPoints = 0;
    QPointF m_fillFirst, m_fillLast;
};
