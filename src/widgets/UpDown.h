#pragma once

#include <QWidget>

class QToolButton;

// A pair of arrow buttons that step a position between a minimum and a
// maximum, the value shown by a text of the window's own beside it. Only the
// user's arrow clicks signal, so a window that sets the position while it
// copies the unit's values into its controls never sends a command.
class UpDown : public QWidget
{
    Q_OBJECT
public:
    explicit UpDown(QWidget* parent = nullptr);

    int minimum() const { return m_min; }
    int maximum() const { return m_max; }
    int increment() const { return m_increment; }
    int position() const { return m_position; }

    // The position is clamped into the new range without a signal. A maximum
    // below the minimum is taken as the minimum.
    void setRange(int min, int max);
    // Steps below 1 count as 1.
    void setIncrement(int increment);
    // With wrap, a step past the maximum lands on the minimum and one below
    // the minimum on the maximum (tuning dials, address octets), and clicked()
    // follows as for any step.
    void setWrap(bool wrap) { m_wrap = wrap; }
    bool wrap() const { return m_wrap; }
    // Clamped into the range; emits nothing.
    void setPosition(int position);

    // One click on an arrow, as the user makes it: the position moves by the
    // increment (clamped) and clicked() follows when it moved. A click at the
    // end of the range changes nothing and sends nothing.
    void stepUp();
    void stepDown();

signals:
    void clicked(int position);

private:
    void step(int delta);

    QToolButton* m_up = nullptr;
    QToolButton* m_down = nullptr;
    int m_min = 0;
    int m_max = 100;
    int m_increment = 1;
    int m_position = 0;
    bool m_wrap = false;
};
