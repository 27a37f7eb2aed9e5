#pragma once

#include <QChartView>
#include <QColor>
#include <QList>

class QBarCategoryAxis;
class QBarSet;
class QHorizontalBarSeries;
class QValueAxis;

// One row of a Tavr1 bar-graph window: horizontal bars on a fixed value
// axis, each bar with its own colour and a legend title that carries its
// reading. The colours come from the window, which alone knows what each bar
// means.
class TTavr1BarChart : public QChartView
{
    Q_OBJECT
public:
    TTavr1BarChart(const QString& leftTitle, const QList<QColor>& colours,
                   QWidget* parent = nullptr);

    // A fixed value axis from min to max with a tick every increment, counted from 0.
    void setValueAxis(double min, double max, double increment);
    // The bar's value and its legend title.
    void setBar(int bar, double value, const QString& title);
    // Only the legend title: the row shows no bar for it.
    void setTitleOnly(int bar, const QString& title);

    int barCount() const { return int(m_sets.size()); }
    QBarSet* barSet(int bar) const { return m_sets.value(bar); }
    QValueAxis* valueAxis() const { return m_valueAxis; }
    // Its one category is the row's name, padded with non-breaking blanks.
    QBarCategoryAxis* leftAxis() const { return m_leftAxis; }

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void setLegendTitle(int bar, const QString& title);
    void placeLegend();

    QHorizontalBarSeries* m_series = nullptr;
    QValueAxis* m_valueAxis = nullptr;
    QBarCategoryAxis* m_leftAxis = nullptr;
    QList<QBarSet*> m_sets;
    int m_longestTitle = 0;
};
