#pragma once

#include "panels/ChildWindow.h"

#include <QColor>
#include <QList>

class TTavr1BarChart;

// The five Tavr1 bar-graph windows: each a column of bar charts of
// Tavr1Measurements, redrawn from the frame on every refresh. They send
// nothing to the unit.
class TTavr1BarGraph : public TInstrumentChildWindow
{
    Q_OBJECT
public:
    static constexpr int Kind = 0;

    // How a bar's legend title is written.
    enum class TText
    {
        Peak,      // "PEAK " + value + unit
        Average,   // "AVE  " ...
        Minimum,   // "MIN  " ...
        InjUpper,  // "INJ  " ...
        Inj,       // "Inj  " ...
        Rms,       // "RMS " + signed value + "dB"
        RmsPlain,  // "RMS " + value without a plus + "dB"
        PhaseNone, // no bar: "Ph   " + 0.0
    };
    enum class TAxis
    {
        Percent,   // 0..125, ticks of 10
        Injection, // 0..25, ticks of 4
        Db,        // -120.1..5, ticks of 20
        DbFine,    // -120.1..5, ticks of 10
        Phase,     // -30.1..30.1, ticks of 10
    };
    struct TBar
    {
        int channel;
        int slot;
        TText text;
        QColor colour;
    };
    struct TChart
    {
        QString leftTitle;
        TAxis axis;
        QList<TBar> bars;
    };

    TTavr1BarGraph(const TChildWindowArgs& args, int index, const QString& title,
                   const QList<TChart>& charts);

    // The unit text of percentage bars: "%", or "khz" when the unit shows kHz.
    static QString unitText(qint32 unitsWord);
    // The legend title of a bar of value v (the reading, not tenths).
    static QString barTitle(TText text, double v, const QString& unit);

    int chartCount() const { return int(m_charts.size()); }
    TTavr1BarChart* chart(int n) const { return m_views.value(n); }

protected:
    void RefreshWindow(qintptr lParam) override;

private:
    QList<TChart> m_charts;
    QList<TTavr1BarChart*> m_views;
};

// The panel opens each with one line: new TTavr1StereoBG(args).
class TTavr1StereoBG : public TTavr1BarGraph
{
    Q_OBJECT
public:
    explicit TTavr1StereoBG(const TChildWindowArgs& args);
};

class TTavr1SCABG : public TTavr1BarGraph
{
    Q_OBJECT
public:
    explicit TTavr1SCABG(const TChildWindowArgs& args);
};

class TTavr1TotaldBBG : public TTavr1BarGraph
{
    Q_OBJECT
public:
    explicit TTavr1TotaldBBG(const TChildWindowArgs& args);
};

class TTavr1SepBG : public TTavr1BarGraph
{
    Q_OBJECT
public:
    explicit TTavr1SepBG(const TChildWindowArgs& args);
};

class TTavr1XTalkBG : public TTavr1BarGraph
{
    Q_OBJECT
public:
    explicit TTavr1XTalkBG(const TChildWindowArgs& args);
};
