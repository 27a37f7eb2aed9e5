#include "modules/Lyn1_RDSData.h"

#include "link/Frame2.h"
#include "platform/UserMessages.h"
#include "protocol/rack/RackCommands.h"
#include "widgets/ReadoutWindow.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// Compared first, so a refresh that changes nothing costs nothing.
void setField(QLabel* l, const TRdsField& f)
{
    if (l->text() != f.text)
        l->setText(f.text);
    const QColor colour = f.known ? QColor(Qt::yellow) : QColor(Qt::white);
    if (l->palette().color(QPalette::WindowText) != colour) {
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, colour);
        l->setPalette(p);
    }
}

QWidget* blackPage(QWidget* parent)
{
    auto* w = new QWidget(parent);
    w->setAutoFillBackground(true);
    QPalette p = w->palette();
    p.setColor(QPalette::Window, Qt::black);
    w->setPalette(p);
    return w;
}

} // namespace

TRDS::TRDS(const TChildWindowArgs& args)
    : TInstrumentChildWindow(
          [&] {
              TChildWindowArgs a = args;
              a.index = 0;
              return a;
          }(),
          Kind, UM_RDS_GROUPS, TRefreshPolicy::AnyLParam)
{
    setDesignedName(WindowToken::RdsData, "  RDS Data");
    SetBlackReadoutWindow(this, 820, 430);
    const QFont font = ReadoutFont();

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(4, 4, 4, 4);
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    outer->addWidget(PageControl1);

    QWidget* basic = blackPage(PageControl1);
    PageControl1->addTab(basic, "Basic");
    PageControl1->addTab(blackPage(PageControl1), "Group Data");
    PageControl1->addTab(blackPage(PageControl1), "Group Info");
    PageControl1->setTabVisible(1, false);
    PageControl1->setTabVisible(2, false);

    auto* layout = new QVBoxLayout(basic);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    auto field = [&](TReadoutPanel* panel, const char* name, TRdsField TRdsBasicPage::*member,
                     int row, int col, int span = 1) {
        QLabel* l = panel->value(name, row, col, span);
        m_fields.push_back({l, member});
        return l;
    };

    auto* top = new QHBoxLayout;
    auto* station = new TReadoutPanel(basic, font);
    station->caption("PI", 0, 0);
    field(station, "PI_Call_LD", &TRdsBasicPage::piCall, 0, 1);
    field(station, "PI_Hex_LD", &TRdsBasicPage::piHex, 0, 2);
    station->caption("ECC", 0, 3);
    field(station, "ECC_LD", &TRdsBasicPage::ecc, 0, 4);
    station->caption("PS", 1, 0);
    field(station, "PS_LD", &TRdsBasicPage::ps, 1, 1, 2);
    station->caption("PTY", 2, 0);
    field(station, "PTY_N_LD", &TRdsBasicPage::ptyNumber, 2, 1);
    field(station, "PTY_S_LD", &TRdsBasicPage::ptyName, 2, 2, 3);
    station->caption("PTYN", 3, 0);
    field(station, "PTYN_LD", &TRdsBasicPage::ptyn, 3, 1, 2);
    station->stretchAfter(4);
    top->addWidget(station, 1);

    auto* flags = new TReadoutPanel(basic, font);
    flags->caption("TA", 0, 0);
    field(flags, "TA_LD", &TRdsBasicPage::ta, 0, 1);
    flags->caption("TP", 1, 0);
    field(flags, "TP_LD", &TRdsBasicPage::tp, 1, 1);
    flags->caption("MS", 2, 0);
    field(flags, "MS_LD", &TRdsBasicPage::ms, 2, 1);
    flags->caption("DI", 3, 0);
    field(flags, "DI_N_LD", &TRdsBasicPage::diNumber, 3, 1);
    field(flags, "DI_S_LD", &TRdsBasicPage::diText, 3, 2);
    flags->stretchAfter(2);
    top->addWidget(flags, 1);

    auto* clock = new TReadoutPanel(basic, font);
    clock->caption("TIME", 0, 0);
    field(clock, "Time_LD", &TRdsBasicPage::time, 0, 1, 2);
    clock->caption("DATE", 1, 0);
    field(clock, "Date_LD", &TRdsBasicPage::date, 1, 1, 2);
    clock->caption("PIN", 2, 0);
    field(clock, "PIN_LD", &TRdsBasicPage::pin, 2, 1, 2);
    clock->caption("CITY", 3, 0);
    field(clock, "City_LD", &TRdsBasicPage::city, 3, 1, 2);
    clock->caption("STATE", 4, 0);
    field(clock, "State_N_LD", &TRdsBasicPage::stateNumber, 4, 1);
    field(clock, "State_S_LD", &TRdsBasicPage::stateName, 4, 2);
    clock->stretchAfter(2);
    top->addWidget(clock, 1);
    layout->addLayout(top);

    auto* text = new TReadoutPanel(basic, font);
    text->caption("RT A", 0, 0);
    field(text, "RT_A_LD", &TRdsBasicPage::rtA, 0, 1);
    text->caption("RT B", 1, 0);
    field(text, "RT_B_LD", &TRdsBasicPage::rtB, 1, 1);
    text->stretchAfter(1);
    layout->addWidget(text);

    auto* af = new TReadoutPanel(basic, font);
    af->caption("ALTERNATIVE  FREQUENCIES", 0, 0);
    field(af, "AF_MethodA_LD", &TRdsBasicPage::afMethodA, 0, 1);
    field(af, "AF_MethodB_LD", &TRdsBasicPage::afMethodB, 0, 2);
    af->caption("COUNT", 0, 3);
    field(af, "AF_Count_LD", &TRdsBasicPage::afCount, 0, 4);
    field(af, "AF_Line1_LD", &TRdsBasicPage::afLine1, 1, 0, 6);
    field(af, "AF_Line2_LD", &TRdsBasicPage::afLine2, 2, 0, 6);
    af->stretchAfter(4);
    layout->addWidget(af);

    auto* groups = new TReadoutPanel(basic, font);
    groups->caption("GROUP TYPES", 0, 0);
    // Every type of both versions is 108 characters: it wraps rather than clips.
    QLabel* gt = field(groups, "GT_LD", &TRdsBasicPage::groupTypes, 1, 0);
    gt->setWordWrap(true);
    gt->setMinimumWidth(QFontMetrics(font).horizontalAdvance(QString(72, QChar('0'))));
    groups->stretchAfter(0);
    layout->addWidget(groups);
    layout->addStretch(1);

    if (TFrame2* f = frame()) {
        f->SendCommand(Lyn1RdsStreamCmd(1));
        f->RdsQueue.clear(); // what came before the stream belongs to nobody
    }
    m_decoder.setUp();
    paint();
    if (QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
}

void TRDS::setMode(int mode)
{
    m_decoder.setMode(mode);
    paint();
}

void TRDS::RefreshWindow(qintptr)
{
    TFrame2* f = frame();
    if (!f)
        return;
    TRdsGroupQueue::Batch batch;
    while (f->RdsQueue.pop(batch))
        m_decoder.walk(batch);
    paint();
}

void TRDS::paint()
{
    const TRdsBasicPage page = RdsBasicPage(m_decoder);
    for (const auto& [label, member] : m_fields)
        setField(label, page.*member);
}

void TRDS::closeEvent(QCloseEvent* e)
{
    if (TFrame2* f = frame()) {
        f->SendCommand(Lyn1RdsStreamCmd(0));
        f->RdsQueue.clear(); // nobody reads it now
    }
    TInstrumentChildWindow::closeEvent(e);
}
