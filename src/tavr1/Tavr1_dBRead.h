#pragma once

#include "panels/ChildWindow.h"

#include <QList>

class QLabel;

// The dB readings of a Tavr1 unit in four panels of labels, redrawn from the
// frame on every refresh; the levels with 75 us de-emphasis in white beside
// the plain ones in yellow.
class TTavr1dBRead : public TInstrumentChildWindow
{
    Q_OBJECT
public:
    static constexpr int Kind = 3;

    // The panel opens it with new TTavr1dBRead(args); it is always index 0.
    explicit TTavr1dBRead(const TChildWindowArgs& args);

    // SignedFixedField(4, 1, v) + " dB".
    static QString readoutText(double v);

protected:
    void RefreshWindow(qintptr lParam) override;

private:
    struct TReadout
    {
        QLabel* label;
        int channel;
        int slot;
    };
    QList<TReadout> m_readouts;
};
