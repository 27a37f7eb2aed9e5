#include "tavr1/Tavr1_dBRead.h"

#include "common/FieldHelpers.h"
#include "link/Frame2.h"
#include "platform/UserMessages.h"
#include "tavr1/Tavr1_ChildArgs.h"
#include "widgets/ReadoutWindow.h"
#include "widgets/SetIfChanged.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QScreen>

namespace {

struct TRow
{
    const char* caption;
    const char* name;
    int channel;
    const char* name75us; // nullptr: no reading with de-emphasis
};

// Four panels of three rows each.
const TRow panels[4][3] = {
    {{"RF Level", "LD_RF_Lev", tcRfLevel, nullptr},
     {"AM Noise", "LD_AM_Noise", tcAmNoise, nullptr},
     {"SYNC Noise", "LD_SYNC_Noise", tcSyncAmNoise, nullptr}},
    {{"Total", "LD_Total", tcTotal, "LD_Total_75us"},
     {"Pilot", "LD_Pilot", tcPilot, nullptr},
     {"38 kHz", "LD_38KHZ", tc38kHz, nullptr}},
    {{"  L", "LD_Left", tcLeft, "LD_Left_75us"},
     {"  R", "LD_Right", tcRight, "LD_Right_75us"},
     {"Sep", "LD_Sep", tcSeparation, nullptr}},
    {{"L+R", "LD_LPR", tcLPlusR, "LD_LPR_75us"},
     {"L-R", "LD_LMR", tcLMinusR, "LD_LMR_75us"},
     {"XTalk", "LD_XTalk", tcCrosstalk, nullptr}},
};

} // namespace

TTavr1dBRead::TTavr1dBRead(const TChildWindowArgs& args)
    : TInstrumentChildWindow(tavr1WindowArgs(args, 0), Kind, UM_TAVR1_REFRESH,
                             TRefreshPolicy::ZeroLParam)
{
    setDesignedName(WindowToken::Tavr1DbRead, " Tavr-1 dB Readings");
    SetBlackReadoutWindow(this, 540, 300);
    const QFont font = ReadoutFont();

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setSpacing(8);
    int labelNumber = 1;
    const QString widestReadout = readoutText(-888.8);
    for (int n = 0; n < 4; ++n) {
        auto* panel = new QFrame(this);
        panel->setObjectName(QString("Panel%1").arg(n + 1));
        panel->setFrameShape(QFrame::Box);
        QPalette pp = panel->palette();
        pp.setColor(QPalette::WindowText, Qt::gray);
        panel->setPalette(pp);
        auto* g = new QGridLayout(panel);
        g->setContentsMargins(8, 6, 8, 6);
        g->setHorizontalSpacing(8);
        for (int r = 0; r < 3; ++r) {
            const TRow& row = panels[n][r];
            QLabel* caption = ColouredReadout(row.caption, Qt::white, font, panel);
            caption->setObjectName(QString("Label%1").arg(labelNumber++));
            g->addWidget(caption, r, 0);
            QLabel* value = ColouredReadout(QString(), Qt::yellow, font, panel);
            value->setObjectName(row.name);
            value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            holdReadoutSize(value, widestReadout);
            g->addWidget(value, r, 1);
            m_readouts << TReadout{value, row.channel, tsRmsDb};
            if (row.name75us) {
                QLabel* v75 = ColouredReadout(QString(), Qt::white, font, panel);
                v75->setObjectName(row.name75us);
                v75->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
                holdReadoutSize(v75, widestReadout);
                g->addWidget(v75, r, 2);
                m_readouts << TReadout{v75, row.channel, tsRmsDb75us};
            }
        }
        g->setColumnStretch(3, 1);
        grid->addWidget(panel, n / 2, n % 2);
    }
    RefreshWindow(0);
    if (QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
}

QString TTavr1dBRead::readoutText(double v)
{
    return SignedFixedField(4, 1, v) + " dB";
}

void TTavr1dBRead::RefreshWindow(qintptr)
{
    const TFrame2* f = frame();
    if (!f)
        return;
    for (const TReadout& r : m_readouts)
        setTextIfChanged(r.label, readoutText(f->Tavr1Measurements[r.channel][r.slot] / 10.0));
}
