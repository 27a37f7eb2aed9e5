#include "tavr1/Tavr1_AlarmRelay.h"

#include "common/FieldHelpers.h"
#include "link/Frame2.h"
#include "platform/UserMessages.h"
#include "protocol/tavr1/Tavr1Commands.h"
#include "tavr1/Tavr1_ChildArgs.h"
#include "widgets/FillGuard.h"
#include "widgets/FixedFont.h"
#include "widgets/Lamp.h"
#include "widgets/UpDown.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace {

// Columns of the grid.
enum Column
{
    cEvent = 0,
    cThresText,
    cThresUpDown,
    cTimeText,
    cTimeUpDown,
    cRelay,
    cEmail,
    cDisplay,
    cTrap,
    cStatus,
    cTest,
};

const QStringList& groupItems()
{
    static const QStringList l = {" N", "#1", "#2", "#3", "#4"};
    return l;
}

const QStringList& yesNoItems()
{
    static const QStringList l = {" N", " Y"};
    return l;
}

// A refresh that finds the same text costs nothing.
void setLabelText(QLabel* label, const QString& text)
{
    if (label->text() != text)
        label->setText(text);
}

// A value past the list shows no choice rather than another entry.
void setListIndex(QComboBox* combo, int index)
{
    const int shown = index >= 0 && index < combo->count() ? index : -1;
    if (combo->currentIndex() != shown)
        combo->setCurrentIndex(shown);
}

QColor lampColour(TAlarmLamp lamp)
{
    switch (lamp) {
    case TAlarmLamp::Yellow:
        return QColor(255, 255, 0);
    case TAlarmLamp::Red:
        return QColor(255, 0, 0);
    case TAlarmLamp::Lime:
        break;
    }
    return QColor(0, 255, 0);
}

QString componentName(int n, const char* component)
{
    return QString("AR%1_%2").arg(n).arg(component);
}

} // namespace

TTavr1AlarmRelayWindow::TTavr1AlarmRelayWindow(const TChildWindowArgs& args, TAlarmVariant variant)
    : TInstrumentChildWindow(tavr1WindowArgs(args, 0), Kind, UM_TAVR1_REFRESH,
                             TRefreshPolicy::LowWordZero)
    , m_variant(variant)
{
    setDesignedName(WindowToken::Tavr1AlarmRelay, " Tavr-1 Alarm/Relay");
    buildRows();
    Refill();
    showLamps();
    applyAccess();
    // Handlers are bound last, so building and the first fill cannot reach them.
    for (int n = 1; n <= Tavr1AlarmCount; ++n)
        connectRow(n);

    adjustSize();
    if (QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
}

void TTavr1AlarmRelayWindow::buildRows()
{
    const bool trap = m_variant == TAlarmVariant::Trap;
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(10, 8, 10, 10);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(4);

    const QFont fixed = FixedPitchBoldFont(13);
    const int textWidth = QFontMetrics(fixed).horizontalAdvance(QString(10, '0'));

    auto heading = [&](const char* text, int column, int span = 1) {
        auto* l = new QLabel(text, this);
        l->setTextFormat(Qt::PlainText);
        l->setAlignment(Qt::AlignCenter);
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        grid->addWidget(l, 0, column, 1, span);
    };
    heading("Event", cEvent);
    heading("Threshold", cThresText, 2);
    heading("Time", cTimeText, 2);
    heading("Relay", cRelay);
    heading("Email", cEmail);
    heading("Display", cDisplay);
    if (trap)
        heading("Trap", cTrap);
    heading("Status", cStatus);

    auto valueText = [&](const QString& name) {
        auto* l = new QLabel(this);
        l->setObjectName(name);
        l->setTextFormat(Qt::PlainText);
        l->setFont(fixed);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setMinimumWidth(textWidth);
        return l;
    };
    auto upDown = [&](const QString& name, int min, int max, int step) {
        auto* u = new UpDown(this);
        u->setObjectName(name);
        u->setRange(min, max);
        u->setIncrement(step);
        return u;
    };
    auto list = [&](const QString& name, const QStringList& items) {
        auto* c = new QComboBox(this);
        c->setObjectName(name);
        c->addItems(items);
        c->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        return c;
    };

    for (int n = 1; n <= Tavr1AlarmCount; ++n) {
        const TTavr1AlarmRow& def = Tavr1AlarmRows()[size_t(n - 1)];
        const TTavr1AlarmLimits& lim = def.limits(m_variant);
        TRow& r = m_rows[size_t(n - 1)];
        const int gridRow = n;

        r.Event = new QLabel(lim.label, this);
        r.Event->setObjectName(componentName(n, "Event"));
        r.Event->setTextFormat(Qt::PlainText);
        r.Thres_ST = valueText(componentName(n, "Thres_ST"));
        r.Thres_UD = upDown(componentName(n, "Thres_UD"), lim.min, lim.max, lim.step);
        r.Time_ST = valueText(componentName(n, "Time_ST"));
        r.Time_UD = upDown(componentName(n, "Time_UD"), 1, 600, 1);
        r.RA_CB = list(componentName(n, "RA_CB"), groupItems());
        r.EA_CB = list(componentName(n, "EA_CB"), groupItems());
        r.DA_CB = list(componentName(n, "DA_CB"), yesNoItems());
        r.LED = new Lamp(this, lampColour(TAlarmLamp::Lime));
        r.LED->setObjectName(componentName(n, "LED"));
        r.LED->setFixedSize(16, 16);

        grid->addWidget(r.Event, gridRow, cEvent);
        grid->addWidget(r.Thres_ST, gridRow, cThresText);
        grid->addWidget(r.Thres_UD, gridRow, cThresUpDown);
        grid->addWidget(r.Time_ST, gridRow, cTimeText);
        grid->addWidget(r.Time_UD, gridRow, cTimeUpDown);
        grid->addWidget(r.RA_CB, gridRow, cRelay);
        grid->addWidget(r.EA_CB, gridRow, cEmail);
        grid->addWidget(r.DA_CB, gridRow, cDisplay);
        grid->addWidget(r.LED, gridRow, cStatus, Qt::AlignCenter);
        if (trap) {
            r.TA_CB = list(componentName(n, "TA_CB"), yesNoItems());
            r.TB = new QPushButton("Test", this);
            r.TB->setObjectName(n == 11 ? QString("Button11") : componentName(n, "TB"));
            grid->addWidget(r.TA_CB, gridRow, cTrap);
            grid->addWidget(r.TB, gridRow, cTest);
        }
    }
    grid->setRowStretch(Tavr1AlarmCount + 1, 1);
}

void TTavr1AlarmRelayWindow::connectRow(int n)
{
    const TRow& r = row(n);
    connect(r.Thres_UD, &UpDown::clicked, this, [this, n] { thresholdClicked(n); });
    connect(r.Time_UD, &UpDown::clicked, this, [this, n] { timeClicked(n); });
    const std::pair<QComboBox*, TAlarmList> lists[] = {
        {r.RA_CB, TAlarmList::Relay},
        {r.EA_CB, TAlarmList::Email},
        {r.DA_CB, TAlarmList::Display},
        {r.TA_CB, TAlarmList::Trap},
    };
    for (const auto& [combo, which] : lists) {
        if (!combo)
            continue;
        connect(combo, &QComboBox::activated, this,
                [this, n, which = which](int index) { listChosen(n, which, index); });
    }
    if (r.TB)
        connect(r.TB, &QPushButton::clicked, this, [this, n] { testClicked(n); });
}

// An observer may look at every alarm but change nothing.
void TTavr1AlarmRelayWindow::applyAccess()
{
    const TFrame2* f = frame();
    const bool enabled = f && !f->ReadOnlyAccess;
    for (const TRow& r : m_rows) {
        for (QWidget* w : std::initializer_list<QWidget*>{r.Thres_UD, r.Time_UD, r.RA_CB, r.EA_CB,
                                                          r.DA_CB, r.TA_CB, r.TB}) {
            if (w)
                w->setEnabled(enabled);
        }
    }
}

void TTavr1AlarmRelayWindow::Refill()
{
    if (!frame())
        return;
    FillGuard guard(Filling);
    for (int n = 1; n <= Tavr1AlarmCount; ++n)
        fillRow(n);
}

void TTavr1AlarmRelayWindow::fillRow(int n)
{
    Tavr1ConfigRecord& c = frame()->Tavr1LocalConfig;
    const TTavr1AlarmRow& def = Tavr1AlarmRows()[size_t(n - 1)];
    const TRow& r = row(n);
    const int thresholdItem = Tavr1AlarmThresholdItem(n);
    // These alarms fire at a level the settings own: the window shows that
    // level and keeps the alarm's item in step with it.
    if (def.settingsItem >= 0)
        c[thresholdItem] = c[def.settingsItem];
    const qint32 threshold = c[thresholdItem];
    setLabelText(r.Thres_ST, Tavr1AlarmThresholdText(n, threshold));
    r.Thres_UD->setPosition(Tavr1AlarmThresholdPosition(threshold));

    const qint32 time = c[Tavr1AlarmTimeItem(n)];
    setLabelText(r.Time_ST, Tavr1AlarmTimeText(n, time));
    r.Time_UD->setPosition(time);

    const qint32 action = c[Tavr1AlarmActionItem(n)];
    setListIndex(r.RA_CB, Tavr1AlarmListIndex(TAlarmList::Relay, m_variant, action));
    setListIndex(r.EA_CB, Tavr1AlarmListIndex(TAlarmList::Email, m_variant, action));
    setListIndex(r.DA_CB, Tavr1AlarmListIndex(TAlarmList::Display, m_variant, action));
    if (r.TA_CB)
        setListIndex(r.TA_CB, Tavr1AlarmListIndex(TAlarmList::Trap, m_variant, action));
}

// The connection takes one command at a time and drops a request while
// another waits. The working copy then goes back to what it held and the row
// shows it again, so the window never shows a value the unit was not asked for.
bool TTavr1AlarmRelayWindow::sent(bool posted, int n, const Tavr1ConfigRecord& before)
{
    if (posted)
        return true;
    frame()->Tavr1LocalConfig = before;
    FillGuard guard(Filling);
    fillRow(n);
    return false;
}

void TTavr1AlarmRelayWindow::showLamps()
{
    const TFrame2* f = frame();
    if (!f)
        return;
    for (int n = 1; n <= Tavr1AlarmCount; ++n)
        row(n).LED->setColor(lampColour(Tavr1AlarmLamp(f->Tavr1AlarmMasks, n)));
}

void TTavr1AlarmRelayWindow::RefreshWindow(qintptr)
{
    TFrame2* f = frame();
    if (f->PageRefresh.take(prAlarms))
        Refill();
    showLamps();
}

// ---- Handlers -----------------------------------------------------------------

void TTavr1AlarmRelayWindow::thresholdClicked(int n)
{
    if (Filling)
        return;
    TFrame2* f = frame();
    if (!f)
        return;
    const TTavr1AlarmRow& def = Tavr1AlarmRows()[size_t(n - 1)];
    const TTavr1AlarmLimits& lim = def.limits(m_variant);
    if (lim.thresholdCode < 0)
        return; // this variant leaves the threshold alone
    const TRow& r = row(n);
    const Tavr1ConfigRecord before = f->Tavr1LocalConfig;
    const qint32 value = r.Thres_UD->position();
    f->Tavr1LocalConfig[Tavr1AlarmThresholdItem(n)] = value;
    if (def.thresholdNotShown)
        setLabelText(r.Thres_ST, IntField(value, 5));
    else
        setLabelText(r.Thres_ST, Tavr1AlarmThresholdText(n, value));

    if (m_variant == TAlarmVariant::Plain && def.settingsItem >= 0) {
        // The plain unit takes this level as the setting it belongs to; an
        // open settings window must show the new value.
        f->Tavr1LocalConfig[def.settingsItem] = value;
        if (sent(PostTavr1SetParameter(*f, lim.thresholdCode, 0, 0, 0, lim.thresholdB3), n, before))
            f->PageRefresh.raise(prSettings);
        return;
    }
    sent(PostTavr1SetParameter(*f, lim.thresholdCode, 0, 0, 0, 0), n, before);
}

void TTavr1AlarmRelayWindow::timeClicked(int n)
{
    if (Filling)
        return;
    TFrame2* f = frame();
    if (!f)
        return;
    const TTavr1AlarmLimits& lim = Tavr1AlarmRows()[size_t(n - 1)].limits(m_variant);
    if (lim.timeCode < 0)
        return;
    const TRow& r = row(n);
    const Tavr1ConfigRecord before = f->Tavr1LocalConfig;
    const qint32 value = r.Time_UD->position();
    f->Tavr1LocalConfig[Tavr1AlarmTimeItem(n)] = value;
    setLabelText(r.Time_ST, Tavr1AlarmSecondsText(value));
    sent(PostTavr1SetParameter(*f, lim.timeCode, 0, 0, 0, 0), n, before);
}

void TTavr1AlarmRelayWindow::listChosen(int n, TAlarmList list, int index)
{
    if (Filling || index < 0)
        return;
    TFrame2* f = frame();
    if (!f)
        return;
    const Tavr1ConfigRecord before = f->Tavr1LocalConfig;
    const int item = Tavr1AlarmActionItem(n);
    qint32& action = f->Tavr1LocalConfig[item];
    action = Tavr1AlarmActionWith(list, m_variant, action, index);
    sent(PostTavr1SetParameter(*f, Tavr1AlarmCodeOf(item), 0, 0, 0, 0), n, before);
}

// The unit raises the alarm for a moment; its lamp shows it with the next blocks.
void TTavr1AlarmRelayWindow::testClicked(int n)
{
    if (Filling)
        return;
    if (TFrame2* f = frame())
        PostTavr1Action(*f, Tavr1AlarmTestAction, 0, 0, 0, quint8(n));
}
