#include "tavr1/Tavr1_RDSBasic.h"

#include "common/FieldHelpers.h"
#include "link/Frame2.h"
#include "platform/UserMessages.h"
#include "tavr1/Tavr1_ChildArgs.h"
#include "tavr1/Tavr1_Readouts.h"
#include "widgets/SetIfChanged.h"

#include <QFrame>
#include <QGridLayout>
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

// A boxed panel of caption/value rows on the window's black.
class TRdsPanel : public QFrame
{
public:
    TRdsPanel(QWidget* parent, const QFont& font)
        : QFrame(parent)
        , m_font(font)
        , m_grid(new QGridLayout(this))
    {
        setFrameShape(QFrame::Box);
        QPalette p = palette();
        p.setColor(QPalette::WindowText, Qt::gray);
        setPalette(p);
        m_grid->setContentsMargins(8, 4, 8, 4);
        m_grid->setHorizontalSpacing(6);
        m_grid->setVerticalSpacing(2);
    }
    void caption(const QString& text, int row, int col, Qt::Alignment align = {})
    {
        m_grid->addWidget(label(text, Qt::white), row, col, align);
    }
    QLabel* value(const char* name, int row, int col, int span = 1)
    {
        QLabel* l = label(QString(), Qt::yellow);
        l->setObjectName(name);
        m_grid->addWidget(l, row, col, 1, span);
        return l;
    }
    void stretchAfter(int col) { m_grid->setColumnStretch(col + 1, 1); }

private:
    QLabel* label(const QString& text, const QColor& colour)
    {
        QLabel* l = ColouredReadout(text, colour, m_font, this);
        l->setTextFormat(Qt::PlainText);
        return l;
    }
    QFont m_font;
    QGridLayout* m_grid;
};

} // namespace

TTavr1RDSBasic::TTavr1RDSBasic(const TChildWindowArgs& args)
    : TInstrumentChildWindow(tavr1WindowArgs(args, 0), Kind, UM_TAVR1_REFRESH,
                             TRefreshPolicy::ZeroLParam)
{
    setDesignedName(WindowToken::Tavr1RdsBasic, " Tavr-1 RDS Basic");
    SetBlackReadoutWindow(this, 680, 454);
    const QFont font = Tavr1ReadoutFont();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(6);

    auto* top = new QHBoxLayout;
    auto* station = new TRdsPanel(this, font);
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

    auto* flags = new TRdsPanel(this, font);
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

    auto* program = new TRdsPanel(this, font);
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

    auto* text = new TRdsPanel(this, font);
    text->caption("RT", 0, 0);
    Text_AB_LD = text->value("Text_AB_LD", 0, 1);
    RT_LD = text->value("RT_LD", 0, 2);
    text->stretchAfter(2);
    layout->addWidget(text);

    auto* lists = new TRdsPanel(this, font);
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
    QString text;
    for (int n = 0; n < 16; ++n) {
        const QString number = IntField(n, n <= 9 ? 2 : 3);
        if (groupsA & (1u << n))
            text += number + "A";
        if (groupsB & (1u << n))
            text += number + "B";
    }
    return text;
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
