#include "plots/LiveChartText.h"

#include <QAbstractAxis>
#include <QChart>
#include <QGraphicsLayout>
#include <QGraphicsTextItem>
#include <QTextDocument>

namespace {

// What the chart keeps in its layout while our item draws: a title of one
// line in its font, as high as any line of text, drawing nothing.
const QString blank = QStringLiteral(" ");
// Set once, to find which of the chart's items draws the text.
const QString marker = QStringLiteral("tolvex-live-chart-text");

QGraphicsTextItem* findText(QGraphicsItem* parent, const QString& text)
{
    for (QGraphicsItem* child : parent->childItems()) {
        if (auto* t = qgraphicsitem_cast<QGraphicsTextItem*>(child);
            t && t->toPlainText() == text)
            return t;
        if (QGraphicsTextItem* t = findText(child, text))
            return t;
    }
    return nullptr;
}

} // namespace

TLiveChartText::TLiveChartText(QChart* chart, QAbstractAxis* axis)
    : QObject(chart)
    , m_chart(chart)
    , m_axis(axis)
    , m_text(chartText())
{
    connect(chart, &QChart::plotAreaChanged, this, &TLiveChartText::follow);
}

void TLiveChartText::follow()
{
    // In the middle of the chart's layout: the chart's item is looked for
    // only on a new text, as finding it lays the chart out.
    if (m_chartItem && m_item)
        setText(m_text);
}

QString TLiveChartText::chartText() const
{
    return m_axis ? m_axis->titleText() : m_chart->title();
}

void TLiveChartText::setChartText(const QString& text)
{
    if (chartText() == text)
        return;
    if (m_axis)
        m_axis->setTitleText(text);
    else
        m_chart->setTitle(text);
}

bool TLiveChartText::findChartItem()
{
    if (m_chartItem && m_item)
        return true;
    // A chart not yet given its size has laid nothing out; a vertical axis
    // turns its title, which our item does not.
    if (m_chart->size().isEmpty() || !m_chart->layout() ||
        (m_axis && m_axis->orientation() != Qt::Horizontal))
        return false;
    setChartText(marker);
    m_chart->layout()->activate();
    m_chartItem = findText(m_chart, marker);
    if (!m_chartItem)
        return false;
    m_item = new QGraphicsTextItem(m_chartItem->parentItem());
    m_item->setObjectName(m_axis ? "LiveAxisTitle" : "LiveChartTitle");
    m_item->document()->setDocumentMargin(m_chartItem->document()->documentMargin());
    m_item->setZValue(m_chartItem->zValue());
    m_item->hide();
    return true;
}

QRectF TLiveChartText::room() const
{
    // An axis centres its title on the plot area; the chart its own title
    // on what is left inside its margins.
    if (m_axis)
        return m_chart->plotArea();
    qreal left = 0, top = 0, right = 0, bottom = 0;
    m_chart->layout()->getContentsMargins(&left, &top, &right, &bottom);
    const QMarginsF margins = m_chart->margins().toMarginsF();
    return QRectF(QPointF(0, 0), m_chart->size())
        .adjusted(left + margins.left(), top + margins.top(), -right - margins.right(),
                  -bottom - margins.bottom());
}

bool TLiveChartText::fits() const
{
    // The chart shortens a text wider than its room.
    const QRectF r = room();
    return m_chartItem->isVisible() && r.isValid() && m_item->boundingRect().width() <= r.width();
}

void TLiveChartText::setText(const QString& text)
{
    m_text = text;
    if (m_text.isEmpty() || !findChartItem()) {
        drawByChart();
        return;
    }
    const QFont font = m_axis ? m_axis->titleFont() : m_chart->titleFont();
    if (m_item->font() != font)
        m_item->setFont(font);
    const QColor colour = (m_axis ? m_axis->titleBrush() : m_chart->titleBrush()).color();
    if (m_item->defaultTextColor() != colour)
        m_item->setDefaultTextColor(colour);
    // Rich text, as the chart takes its texts: runs of blanks fold alike.
    if (m_shown != m_text) {
        m_item->setHtml(m_text);
        m_shown = m_text;
    }
    if (!fits()) {
        drawByChart();
        return;
    }
    setChartText(blank);
    m_live = true;
    place();
    m_item->show();
}

void TLiveChartText::drawByChart()
{
    if (m_item)
        m_item->hide();
    m_live = false;
    setChartText(m_text);
}

void TLiveChartText::place()
{
    qreal x = room().center().x() - m_item->boundingRect().center().x();
    // The chart puts its own title on a whole pixel; an axis's title may
    // stand between two.
    if (!m_axis)
        x = qRound(x);
    if (QGraphicsItem* parent = m_item->parentItem())
        x = parent->mapFromItem(m_chart, QPointF(x, 0)).x();
    const QPointF at(x, m_chartItem->pos().y());
    if (m_item->pos() != at)
        m_item->setPos(at);
}
