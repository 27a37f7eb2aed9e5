#include "widgets/Lamp.h"

#include <QPainter>

Lamp::Lamp(QWidget* parent, const QColor& color)
    : QWidget(parent)
    , m_color(color)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Lamp::setColor(const QColor& color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

void Lamp::setRound(bool round)
{
    if (round == m_round)
        return;
    m_round = round;
    // A circle leaves the corners to the panel behind it.
    setAttribute(Qt::WA_OpaquePaintEvent, !round);
    update();
}

void Lamp::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (m_round) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(m_color.darker(160));
        p.setBrush(m_color);
        p.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
        return;
    }
    p.fillRect(rect(), m_color);
    // A darker rim gives the shape an edge on the black panels without
    // changing the colour it shows.
    if (width() > 2 && height() > 2) {
        p.setPen(m_color.darker(160));
        p.drawRect(0, 0, width() - 1, height() - 1);
    }
}
