#include "widgets/UpDown.h"

#include <QToolButton>
#include <QVBoxLayout>

UpDown::UpDown(QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_up = new QToolButton(this);
    m_up->setObjectName("Up");
    m_up->setArrowType(Qt::UpArrow);
    m_down = new QToolButton(this);
    m_down->setObjectName("Down");
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {m_up, m_down}) {
        // Held down, an arrow keeps stepping, as the instrument's own knob does.
        b->setAutoRepeat(true);
        b->setFixedSize(18, 11);
        b->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(b);
    }
    connect(m_up, &QToolButton::clicked, this, &UpDown::stepUp);
    connect(m_down, &QToolButton::clicked, this, &UpDown::stepDown);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void UpDown::setRange(int min, int max)
{
    m_min = min;
    m_max = qMax(min, max);
    m_position = qBound(m_min, m_position, m_max);
}

void UpDown::setIncrement(int increment)
{
    m_increment = qMax(1, increment);
}

void UpDown::setPosition(int position)
{
    m_position = qBound(m_min, position, m_max);
}

void UpDown::stepUp()
{
    step(m_increment);
}

void UpDown::stepDown()
{
    step(-m_increment);
}

void UpDown::step(int delta)
{
    if (!isEnabled())
        return;
    const qint64 wanted = qint64(m_position) + delta;
    int next = int(qBound(qint64(m_min), wanted, qint64(m_max)));
    if (m_wrap && wanted > m_max)
        next = m_min;
    else if (m_wrap && wanted < m_min)
        next = m_max;
    if (next == m_position)
        return;
    m_position = next;
    emit clicked(m_position);
}
