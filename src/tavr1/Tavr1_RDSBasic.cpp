#include "tavr1/Tavr1_RDSBasic.h"

#include "common/FieldHelpers.h"
#include "widgets/ReadoutWindow.h"
#include "widgets/SetIfChanged.h"
#include "link/Frame2.h"
#include "platform/UserMessages.h"
#include "protocol/rds/RdsBasicData.h"
#include "tavr1/Tavr1_ChildArgs.h"

#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace {

QString flagValue(qint32 flag)
{
    return flag != 0 ? QStringLiteral("1") : QStringLiteral("0");
}

QString onOff(qint32 flag)
{
    return flag != 0 ? QStringLiteral("ON") : QStringLiteral("OFF");
}

} // namespace

TTavr1RDSBasic::TTavr1RDSBasic(const TChildWindowArgs& args)
    : TInstrumentChildWindow(tavr1WindowArgs(args, 0), Kind, UM_TAVR1_REFRESH,
                             TRefreshPolicy::ZeroLParam)
{
    setDesignedName(WindowToken::Tavr1RdsBasic, " Tavr-1 RDS Basic");
    SetBlackReadoutWindow(this, 680, 454);
    const QFont font = ReadoutFont();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(6);

    auto* top = new QHBoxLayout;
    auto* station = new TReadoutPanel(this, font);
    station->caption("PI [", 0, 0);
    PI_Hex_LD = station->value("PI_Hex_LD", 0, 1);
    station->caption("]:", 0, 2);
    PI_Call_LD = station->value("PI_Call_LD", 0, 3);
    station->caption("PS", 1, 0);
    PS_LD = station->value("PS_LD", 1, 1, 3);
    station->caption("Time", 2, 0);
    Time_LD = station->value("Time_LD", 2, 1, 3);
    station->caption("Date", 3, 0);
    Date_LD = station->value("Date_LD", 3, 1, 3);
    station->stretchAfter(3);
    top->addWidget(station, 1);

    auto* flags = new TReadoutPanel(this, font);
    flags->caption("TP", 0, 0);
    TP_V_LD = flags->value("TP_V_LD", 0, 1);
    TP_S_LD = flags->value("TP_S_LD", 0, 2);
    flags->caption("TA", 1, 0);
    TA_V_LD = flags->value("TA_V_LD", 1, 1);
    TA_S_LD = flags->value("TA_S_LD", 1, 2);
    flags->caption("M/S", 2, 0);
    MS_V_LD = flags->value("MS_V_LD", 2, 1);
    MS_S_LD = flags->value("MS_S_LD", 2, 2);
    flags->stretchAfter(2);
    top->addWidget(flags, 1);
    layout->addLayout(top);

    auto* program = new TReadoutPanel(this, font);
    program->caption("DI", 0, 0);
    DI_N_LD = program->value("DI_N_LD", 0, 1);
    DI_S_LD = program->value("DI_S_LD", 0, 2);
    program->caption("PTY", 1, 0);
    PTY_N_LD = program->value("PTY_N_LD", 1, 1);
    PTY_S_LD = program->value("PTY_S_LD", 1, 2);
    program->caption("PTYN", 2, 0);
    PTYN_LD = program->value("PTYN_LD", 2, 1, 2);
    program->caption("PIN", 3, 0);
    PIN_LD = program->value("PIN_LD", 3, 1, 2);
    program->stretchAfter(2);
    layout->addWidget(program);

    auto* text = new TReadoutPanel(this, font);
    text->caption("RT", 0, 0);
    Text_AB_LD = text->value("Text_AB_LD", 0, 1);
    RT_LD = text->value("RT_LD", 0, 2);
    text->stretchAfter(2);
    layout->addWidget(text);

    auto* lists = new TReadoutPanel(this, font);
    lists->caption("AF", 0, 0);
    AF_Num_LD = lists->value("AF_Num_LD", 0, 1);
    AF_Str_LD = lists->value("AF_Str_LD", 0, 2);
    lists->caption("Groups", 1, 0, Qt::AlignTop);
    GT_LD = lists->value("GT_LD", 1, 1, 3);
    GT_LD->setWordWrap(true); // every group type of both versions does not fit one line
    lists->stretchAfter(2);
    layout->addWidget(lists);
    layout->addStretch(1);

    RefreshWindow(0);
    if (QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
}

QString TTavr1RDSBasic::groupTypesText(quint16 groupsA, quint16 groupsB)
{
    quint32 seen = 0;
    for (int n = 0; n < 16; ++n) {
        if (groupsA & (1u << n))
            seen |= 1u << (2 * n);
        if (groupsB & (1u << n))
            seen |= 1u << (2 * n + 1);
    }
    return Rds::GroupTypesText(seen);
}

void TTavr1RDSBasic::RefreshWindow(qintptr)
{
    const TFrame2* f = frame();
    if (!f)
        return;
    const TTavr1RdsRec& r = f->Tavr1Rds;
    setTextIfChanged(PI_Hex_LD, r.PiHex);
    setTextIfChanged(PI_Call_LD, r.PiCall);
    setTextIfChanged(TP_V_LD, flagValue(r.Tp));
    setTextIfChanged(TP_S_LD, onOff(r.Tp));
    setTextIfChanged(TA_V_LD, flagValue(r.Ta));
    setTextIfChanged(TA_S_LD, onOff(r.Ta));
    setTextIfChanged(MS_V_LD, flagValue(r.MusicSpeech));
    setTextIfChanged(MS_S_LD, r.MusicSpeech != 0 ? "MUSIC" : "SPEECH");
    setTextIfChanged(PS_LD, r.Ps);
    setTextIfChanged(Time_LD, r.Time);
    setTextIfChanged(Date_LD, r.Date);
    setTextIfChanged(DI_N_LD, r.DiNumber);
    setTextIfChanged(DI_S_LD, r.DiText);
    setTextIfChanged(PTY_N_LD, r.PtyNumber);
    setTextIfChanged(PTY_S_LD, r.PtyText);
    setTextIfChanged(PTYN_LD, r.Ptyn);
    setTextIfChanged(PIN_LD, r.Pin);
    setTextIfChanged(Text_AB_LD, r.RadioTextAB != 0 ? "B" : "A");
    setTextIfChanged(RT_LD, r.RadioTextAB != 0 ? r.RadioTextB : r.RadioTextA);
    setTextIfChanged(AF_Num_LD, IntField(r.AfCount, 2));
    setTextIfChanged(AF_Str_LD, r.AfList);
    setTextIfChanged(GT_LD, groupTypesText(r.GroupsA, r.GroupsB));
}
