#pragma once

#include <QList>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QString>

class QAbstractAxis;
class QAbstractSeries;
class QChart;
class QLabel;
class QValueAxis;
class QWidget;
class QXYSeries;

// Every refresh sets what a window shows through these. Setting a control to
// the value it already holds is not free in Qt: a chart re-lays out on a title
// or range set, a series redraws on replace(), a label may reflow. A window
// refreshed eight times a second must cost nothing while its values stand
// still, so each helper compares with what is shown and sets only a
// difference. Each returns true when it changed something.
//
// The general form, for a property without a helper of its own:
//     setIfChanged(value, [&] { return w->value(); }, [&](auto v) { w->setValue(v); });
template <class Value, class Shown, class Set>
bool setIfChanged(const Value& value, Shown&& shown, Set&& set)
{
    if (shown() == value)
        return false;
    set(value);
    return true;
}

bool setTextIfChanged(QLabel* label, const QString& text);
// A readout whose text changes with every block: a label free to change size
// has its window's layouts worked out again at each new text, asking every
// label there for its size. Held, it is sized once for the widest text it is
// to show, and a new text asks no layout for room; a text wider still (set
// through setTextIfChanged) widens it once rather than lose its end. It also
// paints its own background (the colour it inherits, which is what lies
// behind it), so a new text repaints the label alone and not the panel and
// frame beneath it.
void holdReadoutSize(QLabel* label, const QString& widest);
bool setVisibleIfChanged(QWidget* w, bool visible);
bool setEnabledIfChanged(QWidget* w, bool enabled);
bool setSizeIfChanged(QWidget* w, const QSize& size);
bool setGeometryIfChanged(QWidget* w, const QRect& geometry);

bool setTitleIfChanged(QChart* chart, const QString& title);
bool setTitleIfChanged(QAbstractAxis* axis, const QString& title);
bool setNameIfChanged(QAbstractSeries* series, const QString& name);
// A series' points, one replace() when any differs.
bool setPointsIfChanged(QXYSeries* series, const QList<QPointF>& points);
bool setRangeIfChanged(QValueAxis* axis, double min, double max);
