#include "vren1/Vren1_AlarmRelay.h"

#include "link/Frame2.h"
#include "platform/UserMessages.h"
#include "protocol/hd/HdRequests.h"
#include "widgets/FillGuard.h"
#include "widgets/SetIfChanged.h"
#include "widgets/UpDown.h"

namespace {

const TVren1AlarmRow& rowDef(int n)
{
    return Vren1AlarmRows()[size_t(n - 1)];
}

} // namespace

TVren1AlarmRelay::TVren1AlarmRelay(const TChildWindowArgs& args)
    : TInstrumentChildWindow(args, Kind, UM_HD_REFRESH, TRefreshPolicy::LowWordZero)
{
    setCloseIndex(0);
    setDesignedName(WindowToken::Vren1AlarmRelay, " Vren1-1 Alarm/Relay");
    // The look the piece starts from is this window's.
    BuildAlarmRelayRows(this, TAlarmRelayLook{}, m_rows, [](int n) {
        const TVren1AlarmRow& def = rowDef(n);
        return TAlarmRowLimits{def.label, def.min, def.max, def.step};
    });
    Refill();
    showLamps();
    const TFrame2* f = frame();
    StartAlarmRelayWindow(this, m_rows, f && !f->ReadOnlyAccess, AlarmRelayHandlersOf(this));
}

void TVren1AlarmRelay::Refill()
{
    if (!frame())
        return;
    FillGuard guard(Filling);
    for (int n = 1; n <= Vren1AlarmCount; ++n)
        fillRow(n);
}

void TVren1AlarmRelay::fillRow(int n)
{
    const HdConfigRecord& c = frame()->HdLocalConfig;
    const qint32 threshold =
        Vren1AlarmThresholdValue(c[Vren1AlarmItemOf(Vren1AlarmThresholdId(n))]);
    const qint32 time = c[Vren1AlarmItemOf(Vren1AlarmTimeId(n))];
    const qint32 action = c[Vren1AlarmItemOf(Vren1AlarmActionId(n))];
    TAlarmRowShown shown;
    shown.thresholdText = Vren1AlarmThresholdText(n, threshold);
    shown.thresholdPosition = threshold;
    shown.timeText = Vren1AlarmTimeText(n, time);
    shown.timePosition = time;
    shown.relay = Vren1AlarmListIndex(TAlarmList::Relay, action);
    shown.email = Vren1AlarmListIndex(TAlarmList::Email, action);
    shown.display = Vren1AlarmListIndex(TAlarmList::Display, action);
    ShowAlarmRow(row(n), shown);
}

void TVren1AlarmRelay::showLamps()
{
    if (const TFrame2* f = frame())
        ShowAlarmLamps(m_rows, quint32(f->HdAlarmMasks[0]), quint32(f->HdAlarmMasks[1]));
}

void TVren1AlarmRelay::RefreshWindow(qintptr)
{
    TFrame2* f = frame();
    if (!f)
        return;
    if (f->PageRefresh.take(prAlarms))
        Refill();
    showLamps();
}

// ---- Handlers -----------------------------------------------------------------

void TVren1AlarmRelay::thresholdClicked(int n)
{
    if (Filling)
        return;
    TFrame2* f = frame();
    if (!f)
        return;
    const TRow& r = row(n);
    const qint32 value = r.Thres_UD->position();
    const int id = Vren1AlarmThresholdId(n);
    f->HdLocalConfig[Vren1AlarmItemOf(id)] = value;
    // An alarm that has no threshold keeps the position locally only.
    if (rowDef(n).form == TVren1ThresholdForm::NotUsed)
        return;
    setTextIfChanged(r.Thres_ST, Vren1AlarmThresholdText(n, value));
    QueueSetParameter(*f, id);
}

void TVren1AlarmRelay::timeClicked(int n)
{
    if (Filling)
        return;
    TFrame2* f = frame();
    if (!f)
        return;
    const TRow& r = row(n);
    const qint32 value = r.Time_UD->position();
    const int id = Vren1AlarmTimeId(n);
    f->HdLocalConfig[Vren1AlarmItemOf(id)] = value;
    if (!rowDef(n).timeUsed)
        return;
    setTextIfChanged(r.Time_ST, Vren1AlarmTimeText(n, value));
    QueueSetParameter(*f, id);
}

void TVren1AlarmRelay::listChosen(int n, TAlarmList list, int index)
{
    if (Filling || index < 0)
        return;
    TFrame2* f = frame();
    if (!f)
        return;
    const int id = Vren1AlarmActionId(n);
    qint32& action = f->HdLocalConfig[Vren1AlarmItemOf(id)];
    action = Vren1AlarmActionWith(list, action, index);
    QueueSetParameter(*f, id);
}

// The unit raises the alarm for a moment; its lamp shows it with the next blocks.
void TVren1AlarmRelay::testClicked(int n)
{
    if (Filling)
        return;
    if (TFrame2* f = frame())
        QueueAction(*f, Vren1AlarmTestAction, 0, 0, 0, quint8(n));
}
