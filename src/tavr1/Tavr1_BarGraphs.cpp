#include "tavr1/Tavr1_BarGraphs.h"

#include "common/FieldHelpers.h"
#include "link/Frame2.h"
#include "platform/UserMessages.h"
#include "tavr1/Tavr1_BarChart.h"
#include "tavr1/Tavr1_ChildArgs.h"
#include "widgets/NamedColours.h"

#include <QScreen>
#include <QVBoxLayout>

namespace {

using T = TTavr1BarGraph::TText;
using A = TTavr1BarGraph::TAxis;
using C = TTavr1BarGraph::TChart;

constexpr int unitsWord = 93;
constexpr int windowWidth = 700;
constexpr int chartWidth = 680;
constexpr int chartHeight = 96;

using NamedColour::Lime;
using NamedColour::Red;
using NamedColour::Yellow;

// Peak, average and minimum of one channel.
QList<TTavr1BarGraph::TBar> pam(int channel)
{
    return {{channel, tsPeak, T::Peak, Red},
            {channel, tsAverage, T::Average, Yellow},
            {channel, tsMinimum, T::Minimum, Lime}};
}

// The two dB levels of one channel, without and with 75 us de-emphasis.
QList<TTavr1BarGraph::TBar> rms(int channel, T with75us = T::Rms)
{
    return {{channel, tsRmsDb, T::Rms, Yellow}, {channel, tsRmsDb75us, with75us, Lime}};
}

} // namespace

TTavr1BarGraph::TTavr1BarGraph(const TChildWindowArgs& args, int index, const QString& title,
                               const QList<TChart>& charts)
    : TInstrumentChildWindow(tavr1WindowArgs(args, index), Kind, UM_TAVR1_REFRESH,
                             TRefreshPolicy::ZeroLParam)
    , m_charts(charts)
{
    setDesignedName(WindowToken::Tavr1BarGraph, title);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 6, 10, 6);
    layout->setSpacing(2);
    for (int n = 0; n < m_charts.size(); ++n) {
        const TChart& c = m_charts[n];
        QList<QColor> colours;
        for (const TBar& b : c.bars)
            colours << b.colour;
        auto* view = new TTavr1BarChart(c.leftTitle, colours, this);
        view->setObjectName(QString("Chart%1").arg(n + 1));
        view->setFixedSize(chartWidth, chartHeight);
        switch (c.axis) {
        case A::Percent:
            view->setValueAxis(0, 125, 10);
            break;
        case A::Injection:
            view->setValueAxis(0, 25, 4);
            break;
        case A::Db:
            view->setValueAxis(-120.1, 5, 20);
            break;
        case A::DbFine:
            view->setValueAxis(-120.1, 5, 10);
            break;
        case A::Phase:
            view->setValueAxis(-30.1, 30.1, 10);
            break;
        }
        layout->addWidget(view);
        m_views << view;
    }
    setFixedSize(windowWidth, 12 + int(m_charts.size()) * (chartHeight + 2));
    RefreshWindow(0);
    if (QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
}

QString TTavr1BarGraph::unitText(qint32 word)
{
    return word == 0 ? QStringLiteral("%") : QStringLiteral("khz");
}

QString TTavr1BarGraph::barTitle(TText text, double v, const QString& unit)
{
    switch (text) {
    case T::Peak:
        return "PEAK " + FixedField(3, 1, v) + unit;
    case T::Average:
        return "AVE  " + FixedField(3, 1, v) + unit;
    case T::Minimum:
        return "MIN  " + FixedField(3, 1, v) + unit;
    case T::InjUpper:
        return "INJ  " + FixedField(3, 1, v) + unit;
    case T::Inj:
        return "Inj  " + FixedField(3, 1, v) + unit;
    case T::Rms:
        return "RMS " + SignedFixedField(4, 1, v) + "dB";
    case T::RmsPlain:
        return "RMS " + FixedField(4, 1, v) + "dB";
    case T::PhaseNone:
        return "Ph   " + FixedField(3, 1, 0) + " ";
    }
    return {};
}

void TTavr1BarGraph::RefreshWindow(qintptr)
{
    const TFrame2* f = frame();
    if (!f)
        return;
    const QString unit = unitText(f->Tavr1LocalConfig[unitsWord]);
    for (int n = 0; n < m_charts.size(); ++n) {
        const TChart& c = m_charts[n];
        for (int b = 0; b < c.bars.size(); ++b) {
            const TBar& bar = c.bars[b];
            if (bar.text == T::PhaseNone) {
                m_views[n]->setTitleOnly(b, barTitle(bar.text, 0, unit));
                continue;
            }
            const double v = f->Tavr1Measurements[bar.channel][bar.slot] / 10.0;
            m_views[n]->setBar(b, v, barTitle(bar.text, v, unit));
        }
    }
}

// ---- The five windows -----------------------------------------------------------

TTavr1StereoBG::TTavr1StereoBG(const TChildWindowArgs& args)
    : TTavr1BarGraph(args, 0, " Tavr-1 Stereo Bar Graph",
                     {C{"Total", A::Percent, pam(tcTotal)},
                      // The pilot's modulation on the percentage scale of its neighbours.
                      C{"Pilot", A::Percent, {{tcPilot, tsPeak, T::InjUpper, Red}}},
                      C{" L  ", A::Percent, pam(tcLeft)}, C{" R  ", A::Percent, pam(tcRight)},
                      C{"L+R ", A::Percent, pam(tcLPlusR)}, C{"L-R ", A::Percent, pam(tcLMinusR)}})
{}

TTavr1SCABG::TTavr1SCABG(const TChildWindowArgs& args)
    : TTavr1BarGraph(args, 1, " Tavr-1 SCA Bar Graph",
                     {C{" Inj  ", A::Injection, {{tcRds, tsInjection, T::Inj, Yellow}}},
                      C{"Ph  ", A::Phase, {{tcRds, tsSpare, T::PhaseNone, Yellow}}},
                      C{" Inj  ", A::Injection, {{tcSca1, tsInjection, T::Inj, Yellow}}},
                      C{"Peak ", A::Percent, pam(tcSca1)},
                      C{" Inj  ", A::Injection, {{tcSca2, tsInjection, T::Inj, Yellow}}},
                      C{"Peak ", A::Percent, pam(tcSca2)}})
{}

TTavr1TotaldBBG::TTavr1TotaldBBG(const TChildWindowArgs& args)
    : TTavr1BarGraph(args, 2, " Tavr-1 Total dB Bar Graph",
                     {C{"Total", A::Percent, pam(tcTotal)}, C{"Total", A::Db, rms(tcTotal)},
                      C{"Pilot", A::Db, {{tcPilot, tsRmsDb, T::Rms, Yellow}}},
                      C{"  38kHz", A::Db, {{tc38kHz, tsRmsDb, T::Rms, Yellow}}}})
{}

TTavr1SepBG::TTavr1SepBG(const TChildWindowArgs& args)
    : TTavr1BarGraph(args, 3, " Tavr-1 Separation dB Bar Graph",
                     {C{" L ", A::Percent, pam(tcLeft)}, C{" R ", A::Percent, pam(tcRight)},
                      C{" L ", A::DbFine, rms(tcLeft)}, C{" R ", A::DbFine, rms(tcRight)},
                      C{"  Sep ", A::Db, {{tcSeparation, tsRmsDb, T::Rms, Yellow}}}})
{}

// The L-R level with de-emphasis is titled without a plus sign, as the unit's
// own crosstalk page shows it.
TTavr1XTalkBG::TTavr1XTalkBG(const TChildWindowArgs& args)
    : TTavr1BarGraph(args, 4, " Tavr-1 Crosstalk dB Bar Graph",
                     {C{" L+R ", A::Percent, pam(tcLPlusR)}, C{" L-R ", A::Percent, pam(tcLMinusR)},
                      C{" L+R ", A::DbFine, rms(tcLPlusR)},
                      C{" L-R ", A::DbFine, rms(tcLMinusR, T::RmsPlain)},
                      C{" XTalk ", A::Db, {{tcCrosstalk, tsRmsDb, T::Rms, Yellow}}}})
{}
