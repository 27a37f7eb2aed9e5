#include "tavr1/Tavr1_AlarmRelay.h"

#include "common/FieldHelpers.h"
#include "link/Frame2.h"
#include "platform/UserMessages.h"
#include "protocol/tavr1/Tavr1Commands.h"
#include "tavr1/Tavr1_ChildArgs.h"
#include "widgets/FillGuard.h"
#include "widgets/SetIfChanged.h"
#include "widgets/UpDown.h"

#include <QLabel>

TTavr1AlarmRelayWindow::TTavr1AlarmRelayWindow(const TChildWindowArgs& args, TAlarmVariant variant)
    : TInstrumentChildWindow(tavr1WindowArgs(args, 0), Kind, UM_TAVR1_REFRESH,
                             TRefreshPolicy::LowWordZero)
    , m_variant(variant)
{
    setDesignedName(WindowToken::Tavr1AlarmRelay, " Tavr-1 Alarm/Relay");
    const bool trap = variant == TAlarmVariant::Trap;
    TAlarmRelayLook look;
    look.fontPoints = 13;
    look.rowSpacing = 4;
    look.lampSize = 16;
    look.trapColumn = trap;
    look.testButtons = trap;
    BuildAlarmRelayRows(this, look, m_rows, [variant](int n) {
        const TTavr1AlarmLimits& lim = Tavr1AlarmRows()[size_t(n - 1)].limits(variant);
        return TAlarmRowLimits{lim.label, lim.min, lim.max, lim.step};
    });
    Refill();
    showLamps();
    const TFrame2* f = frame();
    StartAlarmRelayWindow(this, m_rows, f && !f->ReadOnlyAccess, AlarmRelayHandlersOf(this));
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
    const int thresholdItem = Tavr1AlarmThresholdItem(n);
    // These alarms fire at a level the settings own: the window shows that
    // level and keeps the alarm's item in step with it.
    if (def.settingsItem >= 0)
        c[thresholdItem] = c[def.settingsItem];
    const qint32 threshold = c[thresholdItem];
    const qint32 time = c[Tavr1AlarmTimeItem(n)];
    const qint32 action = c[Tavr1AlarmActionItem(n)];
    TAlarmRowShown shown;
    shown.thresholdText = Tavr1AlarmThresholdText(n, threshold);
    shown.thresholdPosition = Tavr1AlarmThresholdPosition(threshold);
    shown.timeText = Tavr1AlarmTimeText(n, time);
    shown.timePosition = time;
    shown.relay = Tavr1AlarmListIndex(TAlarmList::Relay, m_variant, action);
    shown.email = Tavr1AlarmListIndex(TAlarmList::Email, m_variant, action);
    shown.display = Tavr1AlarmListIndex(TAlarmList::Display, m_variant, action);
    shown.trap = Tavr1AlarmListIndex(TAlarmList::Trap, m_variant, action);
    ShowAlarmRow(row(n), shown);
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
    if (const TFrame2* f = frame())
        ShowAlarmLamps(m_rows, f->Tavr1AlarmMasks[0], f->Tavr1AlarmMasks[1]);
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
        setTextIfChanged(r.Thres_ST, IntField(value, 5));
    else
        setTextIfChanged(r.Thres_ST, Tavr1AlarmThresholdText(n, value));

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
    setTextIfChanged(r.Time_ST, Tavr1AlarmSecondsText(value));
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
