#pragma once

#include <QColor>
#include <QWidget>

// A filled rectangle in one colour: the status lamps of the front panels and
// the segments of their level bars. Tests read the colour through the
// property; the geometry is the shape's size.
class Lamp : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QColor color READ color WRITE setColor)
public:
    explicit Lamp(QWidget* parent = nullptr, const QColor& color = Qt::black);

    QColor color() const { return m_color; }
    // Repaints only when the colour changes, so a refresh that lights the
    // same lamps again costs nothing.
    void setColor(const QColor& color);

    // Drawn as a circle in its rectangle (the LEDs of the rack-module panels).
    bool isRound() const { return m_round; }
    void setRound(bool round);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QColor m_color;
    bool m_round = false;
};
