#include "widgets/SetIfChanged.h"

#include <QAbstractAxis>
#include <QAbstractSeries>
#include <QChart>
#include <QLabel>
#include <QVariant>
#include <QValueAxis>
#include <QXYSeries>

namespace {
// The room a held readout has round its text, kept on the label itself.
const char* const heldPadding = "tolvexHeldPadding";
} // namespace

bool setTextIfChanged(QLabel* label, const QString& text)
{
    if (label->text() == text)
        return false;
    label->setText(text);
    const QVariant pad = label->property(heldPadding);
    if (pad.isValid()) {
        const int needed = label->fontMetrics().horizontalAdvance(text) + pad.toInt();
        if (needed > label->width())
            label->setFixedWidth(needed);
    }
    return true;
}

void holdReadoutSize(QLabel* label, const QString& widest)
{
    const QString shown = label->text();
    label->setText(widest);
    const QSize forWidest = label->sizeHint();
    label->setText(shown);
    const QSize size = forWidest.expandedTo(label->sizeHint());
    label->setProperty(heldPadding,
                       forWidest.width() - label->fontMetrics().horizontalAdvance(widest));
    label->setFixedSize(size);
    label->setAutoFillBackground(true);
}

bool setVisibleIfChanged(QWidget* w, bool visible)
{
    // A control not yet shown or hidden by hand follows its window; only one
    // hidden on purpose is hidden. A window is hidden until shown.
    const bool hidden = w->isWindow()
                            ? w->isHidden()
                            : w->isHidden() && w->testAttribute(Qt::WA_WState_ExplicitShowHide);
    return setIfChanged(
        !visible, [&] { return hidden; }, [&](bool h) { w->setHidden(h); });
}

bool setEnabledIfChanged(QWidget* w, bool enabled)
{
    // Its own setting, not isEnabled(), which also says whether its window is.
    return setIfChanged(
        enabled, [&] { return !w->testAttribute(Qt::WA_ForceDisabled); },
        [&](bool e) { w->setEnabled(e); });
}

bool setSizeIfChanged(QWidget* w, const QSize& size)
{
    return setIfChanged(
        size, [&] { return w->size(); }, [&](const QSize& z) { w->resize(z); });
}

bool setGeometryIfChanged(QWidget* w, const QRect& geometry)
{
    return setIfChanged(
        geometry, [&] { return w->geometry(); }, [&](const QRect& g) { w->setGeometry(g); });
}

bool setTitleIfChanged(QChart* chart, const QString& title)
{
    return setIfChanged(
        title, [&] { return chart->title(); }, [&](const QString& t) { chart->setTitle(t); });
}

bool setTitleIfChanged(QAbstractAxis* axis, const QString& title)
{
    return setIfChanged(
        title, [&] { return axis->titleText(); }, [&](const QString& t) { axis->setTitleText(t); });
}

bool setNameIfChanged(QAbstractSeries* series, const QString& name)
{
    return setIfChanged(
        name, [&] { return series->name(); }, [&](const QString& n) { series->setName(n); });
}

bool setPointsIfChanged(QXYSeries* series, const QList<QPointF>& points)
{
    return setIfChanged(
        points, [&] { return series->points(); },
        [&](const QList<QPointF>& p) { series->replace(p); });
}

bool setRangeIfChanged(QValueAxis* axis, double min, double max)
{
    if (axis->min() == min && axis->max() == max)
        return false;
    axis->setRange(min, max);
    return true;
}
