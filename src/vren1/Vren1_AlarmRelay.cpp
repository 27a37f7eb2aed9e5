#include "vren1/Vren1_AlarmRelay.h"

#include "link/Frame2.h"
#include "platform/UserMessages.h"
#include "protocol/hd/HdRequests.h"
#include "widgets/FillGuard.h"
#include "widgets/FixedFont.h"
#include "widgets/Lamp.h"
#include "widgets/SetIfChanged.h"
#include "widgets/UpDown.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace {

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

const TVren1AlarmRow& rowDef(int n) { return Vren1AlarmRows()[size_t(n - 1)]; }

} // namespace

TVren1AlarmRelay::TVren1AlarmRelay(const TChildWindowArgs& args)
    : TInstrumentChildWindow(args, Kind, UM_HD_REFRESH, TRefreshPolicy::LowWordZero)
{
    setCloseIndex(0);
    setDesignedName(WindowToken::Vren1AlarmRelay, " Vren1-1 Alarm/Relay");
    buildRows();
    Refill();
    showLamps();
    applyAccess();
    // Handlers are bound last, so building and the first fill cannot reach them.
    for (int n = 1; n <= Vren1AlarmCount; ++n)
        connectRow(n);

    adjustSize();
    if (QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
}

void TVren1AlarmRelay::buildRows()
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(10, 8, 10, 10);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(2);

    const QFont fixed = FixedPitchBoldFont(12);
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

    for (int n = 1; n <= Vren1AlarmCount; ++n) {
        const TVren1AlarmRow& def = rowDef(n);
        TRow& r = m_rows[size_t(n - 1)];

        r.Event = new QLabel(def.label, this);
        r.Event->setObjectName(componentName(n, "Event"));
        r.Event->setTextFormat(Qt::PlainText);
        r.Thres_ST = valueText(componentName(n, "Thres_ST"));
        r.Thres_UD = upDown(componentName(n, "Thres_UD"), def.min, def.max, def.step);
        r.Time_ST = valueText(componentName(n, "Time_ST"));
        r.Time_UD = upDown(componentName(n, "Time_UD"), 1, 600, 1);
        r.RA_CB = list(componentName(n, "RA_CB"), groupItems());
        r.EA_CB = list(componentName(n, "EA_CB"), groupItems());
        r.DA_CB = list(componentName(n, "DA_CB"), yesNoItems());
        r.LED = new Lamp(this, lampColour(TAlarmLamp::Lime));
        r.LED->setObjectName(componentName(n, "LED"));
        r.LED->setFixedSize(14, 14);
        r.TB = new QPushButton("Test", this);
        r.TB->setObjectName(n == 11 ? QString("Button11") : componentName(n, "TB"));

        grid->addWidget(r.Event, n, cEvent);
        grid->addWidget(r.Thres_ST, n, cThresText);
        grid->addWidget(r.Thres_UD, n, cThresUpDown);
        grid->addWidget(r.Time_ST, n, cTimeText);
        grid->addWidget(r.Time_UD, n, cTimeUpDown);
        grid->addWidget(r.RA_CB, n, cRelay);
        grid->addWidget(r.EA_CB, n, cEmail);
        grid->addWidget(r.DA_CB, n, cDisplay);
        grid->addWidget(r.LED, n, cStatus, Qt::AlignCenter);
        grid->addWidget(r.TB, n, cTest);
    }
    grid->setRowStretch(Vren1AlarmCount + 1, 1);
}

void TVren1AlarmRelay::connectRow(int n)
{
    const TRow& r = row(n);
    connect(r.Thres_UD, &UpDown::clicked, this, [this, n] { thresholdClicked(n); });
    connect(r.Time_UD, &UpDown::clicked, this, [this, n] { timeClicked(n); });
    const std::pair<QComboBox*, TAlarmList> lists[] = {
        {r.RA_CB, TAlarmList::Relay},
        {r.EA_CB, TAlarmList::Email},
        {r.DA_CB, TAlarmList::Display},
    };
    for (const auto& [combo, which] : lists)
        connect(combo, &QComboBox::activated, this,
                [this, n, which = which](int index) { listChosen(n, which, index); });
    connect(r.TB, &QPushButton::clicked, this, [this, n] { testClicked(n); });
}

// An observer may look at every alarm but change nothing.
void TVren1AlarmRelay::applyAccess()
{
    const TFrame2* f = frame();
    const bool enabled = f && !f->ReadOnlyAccess;
    for (const TRow& r : m_rows)
        for (QWidget* w : std::initializer_list<QWidget*>{r.Thres_UD, r.Time_UD, r.RA_CB, r.EA_CB,
                                                          r.DA_CB, r.TB})
            w->setEnabled(enabled);
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
    const TRow& r = row(n);
    const qint32 threshold =
        Vren1AlarmThresholdValue(c[Vren1AlarmItemOf(Vren1AlarmThresholdId(n))]);
    setTextIfChanged(r.Thres_ST, Vren1AlarmThresholdText(n, threshold));
    r.Thres_UD->setPosition(threshold);

    const qint32 time = c[Vren1AlarmItemOf(Vren1AlarmTimeId(n))];
    setTextIfChanged(r.Time_ST, Vren1AlarmTimeText(n, time));
    r.Time_UD->setPosition(time);

    const qint32 action = c[Vren1AlarmItemOf(Vren1AlarmActionId(n))];
    setListIndex(r.RA_CB, Vren1AlarmListIndex(TAlarmList::Relay, action));
    setListIndex(r.EA_CB, Vren1AlarmListIndex(TAlarmList::Email, action));
    setListIndex(r.DA_CB, Vren1AlarmListIndex(TAlarmList::Display, action));
}

void TVren1AlarmRelay::showLamps()
{
    const TFrame2* f = frame();
    if (!f)
        return;
    for (int n = 1; n <= Vren1AlarmCount; ++n)
        row(n).LED->setColor(lampColour(Vren1AlarmLamp(f->HdAlarmMasks, n)));
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
