#include "panels/AlarmRelayGrid.h"

#include "widgets/FixedFont.h"
#include "widgets/Lamp.h"
#include "widgets/NamedColours.h"
#include "widgets/SetIfChanged.h"
#include "widgets/UpDown.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace {

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

QColor lampColour(TAlarmLamp lamp)
{
    switch (lamp) {
    case TAlarmLamp::Yellow:
        return NamedColour::Yellow;
    case TAlarmLamp::Red:
        return NamedColour::Red;
    case TAlarmLamp::Lime:
        break;
    }
    return NamedColour::Lime;
}

QString componentName(int n, const char* component)
{
    return QString("AR%1_%2").arg(n).arg(component);
}

// A value past the list shows no choice rather than another entry.
void setListIndex(QComboBox* combo, int index)
{
    const int shown = index >= 0 && index < combo->count() ? index : -1;
    if (combo->currentIndex() != shown)
        combo->setCurrentIndex(shown);
}

} // namespace

void BuildAlarmRelayRows(QWidget* window, const TAlarmRelayLook& look,
                         std::span<TAlarmRelayRow> rows,
                         const std::function<TAlarmRowLimits(int n)>& limits)
{
    // The lists, then the trap list where there is one, the lamp and the button.
    const int cTrap = 8;
    const int cStatus = look.trapColumn ? cTrap + 1 : cTrap;
    const int cTest = cStatus + 1;

    auto* grid = new QGridLayout(window);
    grid->setContentsMargins(10, 8, 10, 10);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(look.rowSpacing);

    const QFont fixed = FixedPitchBoldFont(look.fontPoints);
    const int textWidth = QFontMetrics(fixed).horizontalAdvance(QString(10, '0'));

    auto heading = [&](const char* text, int column, int span = 1) {
        auto* l = new QLabel(text, window);
        l->setTextFormat(Qt::PlainText);
        l->setAlignment(Qt::AlignCenter);
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        grid->addWidget(l, 0, column, 1, span);
    };
    heading("Event", 0);
    heading("Threshold", 1, 2);
    heading("Time", 3, 2);
    heading("Relay", 5);
    heading("Email", 6);
    heading("Display", 7);
    if (look.trapColumn)
        heading("Trap", cTrap);
    heading("Status", cStatus);

    auto valueText = [&](const QString& name) {
        auto* l = new QLabel(window);
        l->setObjectName(name);
        l->setTextFormat(Qt::PlainText);
        l->setFont(fixed);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setMinimumWidth(textWidth);
        return l;
    };
    auto upDown = [&](const QString& name, int min, int max, int step) {
        auto* u = new UpDown(window);
        u->setObjectName(name);
        u->setRange(min, max);
        u->setIncrement(step);
        return u;
    };
    auto list = [&](const QString& name, const QStringList& items) {
        auto* c = new QComboBox(window);
        c->setObjectName(name);
        c->addItems(items);
        c->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        return c;
    };

    for (int n = 1; n <= int(rows.size()); ++n) {
        const TAlarmRowLimits lim = limits(n);
        TAlarmRelayRow& r = rows[size_t(n - 1)];

        r.Event = new QLabel(lim.label, window);
        r.Event->setObjectName(componentName(n, "Event"));
        r.Event->setTextFormat(Qt::PlainText);
        r.Thres_ST = valueText(componentName(n, "Thres_ST"));
        r.Thres_UD = upDown(componentName(n, "Thres_UD"), lim.min, lim.max, lim.step);
        r.Time_ST = valueText(componentName(n, "Time_ST"));
        r.Time_UD = upDown(componentName(n, "Time_UD"), 1, 600, 1);
        r.RA_CB = list(componentName(n, "RA_CB"), groupItems());
        r.EA_CB = list(componentName(n, "EA_CB"), groupItems());
        r.DA_CB = list(componentName(n, "DA_CB"), yesNoItems());
        r.LED = new Lamp(window, lampColour(TAlarmLamp::Lime));
        r.LED->setObjectName(componentName(n, "LED"));
        r.LED->setFixedSize(look.lampSize, look.lampSize);

        grid->addWidget(r.Event, n, 0);
        grid->addWidget(r.Thres_ST, n, 1);
        grid->addWidget(r.Thres_UD, n, 2);
        grid->addWidget(r.Time_ST, n, 3);
        grid->addWidget(r.Time_UD, n, 4);
        grid->addWidget(r.RA_CB, n, 5);
        grid->addWidget(r.EA_CB, n, 6);
        grid->addWidget(r.DA_CB, n, 7);
        grid->addWidget(r.LED, n, cStatus, Qt::AlignCenter);
        if (look.trapColumn) {
            r.TA_CB = list(componentName(n, "TA_CB"), yesNoItems());
            grid->addWidget(r.TA_CB, n, cTrap);
        }
        if (look.testButtons) {
            r.TB = new QPushButton("Test", window);
            r.TB->setObjectName(n == 11 ? QString("Button11") : componentName(n, "TB"));
            grid->addWidget(r.TB, n, cTest);
        }
    }
    grid->setRowStretch(int(rows.size()) + 1, 1);
}

void StartAlarmRelayWindow(QWidget* window, std::span<const TAlarmRelayRow> rows, bool enabled,
                           const TAlarmRelayHandlers& h)
{
    for (const TAlarmRelayRow& r : rows) {
        for (QWidget* w : std::initializer_list<QWidget*>{r.Thres_UD, r.Time_UD, r.RA_CB, r.EA_CB,
                                                          r.DA_CB, r.TA_CB, r.TB}) {
            if (w)
                w->setEnabled(enabled);
        }
    }
    QObject* receiver = window;
    for (int n = 1; n <= int(rows.size()); ++n) {
        const TAlarmRelayRow& r = rows[size_t(n - 1)];
        QObject::connect(r.Thres_UD, &UpDown::clicked, receiver, [h, n] { h.threshold(n); });
        QObject::connect(r.Time_UD, &UpDown::clicked, receiver, [h, n] { h.time(n); });
        const std::pair<QComboBox*, TAlarmList> lists[] = {
            {r.RA_CB, TAlarmList::Relay},
            {r.EA_CB, TAlarmList::Email},
            {r.DA_CB, TAlarmList::Display},
            {r.TA_CB, TAlarmList::Trap},
        };
        for (const auto& [combo, which] : lists) {
            if (combo)
                QObject::connect(combo, &QComboBox::activated, receiver,
                                 [h, n, which = which](int index) { h.list(n, which, index); });
        }
        if (r.TB)
            QObject::connect(r.TB, &QPushButton::clicked, receiver, [h, n] { h.test(n); });
    }
    window->adjustSize();
    if (QScreen* s = window->screen())
        window->move(s->availableGeometry().center() - window->rect().center());
}

void ShowAlarmRow(const TAlarmRelayRow& r, const TAlarmRowShown& s)
{
    setTextIfChanged(r.Thres_ST, s.thresholdText);
    r.Thres_UD->setPosition(s.thresholdPosition);
    setTextIfChanged(r.Time_ST, s.timeText);
    r.Time_UD->setPosition(s.timePosition);
    setListIndex(r.RA_CB, s.relay);
    setListIndex(r.EA_CB, s.email);
    setListIndex(r.DA_CB, s.display);
    if (r.TA_CB)
        setListIndex(r.TA_CB, s.trap);
}

void ShowAlarmLamps(std::span<const TAlarmRelayRow> rows, quint32 firstMask, quint32 secondMask)
{
    for (int n = 1; n <= int(rows.size()); ++n)
        rows[size_t(n - 1)].LED->setColor(lampColour(AlarmMaskLamp(firstMask, secondMask, n)));
}
