#pragma once

#include <QChartView>
#include <QColor>
#include <QList>

class QBarCategoryAxis;
class QBarSet;
class QLabel;
class QHorizontalBarSeries;
class QValueAxis;

// One row of a Tavr1 bar-graph window: horizontal bars on a fixed value
// axis, each bar with its own colour and a readout beside the plot that
// carries its reading, behind a marker of the bar's colour. The colours come
// from the window, which alone knows what each bar means.
class TTavr1BarChart : public QChartView
{
    Q_OBJECT
public:
    TTavr1BarChart(const QString& leftTitle, const QList<QColor>& colours,
                   QWidget* parent = nullptr);

    // A fixed value axis from min to max with a tick every increment, counted from 0.
    void setValueAxis(double min, double max, double increment);
    // The bar's value and its readout.
    void setBar(int bar, double value, const QString& title);
    // Only the readout: the row shows no bar for it.
    void setTitleOnly(int bar, const QString& title);

    int barCount() const { return int(m_sets.size()); }
    QBarSet* barSet(int bar) const { return m_sets.value(bar); }
    // The readout of a bar ("Readout1".. by bar) and its colour marker
    // ("Marker1"..).
    QLabel* readout(int bar) const { return m_readouts.value(bar); }
    QWidget* marker(int bar) const { return m_markers.value(bar); }
    QValueAxis* valueAxis() const { return m_valueAxis; }
    // Its one category is the row's name, padded with non-breaking blanks.
    QBarCategoryAxis* leftAxis() const { return m_leftAxis; }

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void setReadout(int bar, const QString& title);
    void placeReadouts();

    QHorizontalBarSeries* m_series = nullptr;
    QValueAxis* m_valueAxis = nullptr;
    QBarCategoryAxis* m_leftAxis = nullptr;
    QList<QBarSet*> m_sets;
    QWidget* m_readoutColumn = nullptr;
    QList<QLabel*> m_readouts;
    QList<QWidget*> m_markers;
};
