#include "modules/Jov4_Panel.h"

#include "link/Frame2.h"
#include "models/RackMenuKit.h"
#include "modules/RackPanelKit.h"
#include "widgets/Lamp.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QToolButton>

using namespace RackPanelKit;

TJov4Panel::TJov4Panel(QWidget* ownerRack, QWidget* parentRack, const QString& componentName,
                       TFrame2* frame, int index)
    : TVFPanel(ownerRack, parentRack, componentName, frame, index)
{
    setDesignedSize(600, 107);
    paintBlack(this);
    UnitName = caption(this, "UnitName", "JOV-4", QRect(10, 6, 120, 18), 15,
                       Qt::AlignLeft | Qt::AlignVCenter);
    MenuString = lcdLine(this, "MenuString", QRect(10, 36, 170, 30), 15);
    MenuString->setText("01234567WWWW");

    // The keypad: digits 1..9 in three rows, 0 below, the frequency key
    // beside it.
    for (int d = 0; d <= 9; ++d) {
        const int col = d == 0 ? 1 : (d - 1) % 3;
        const int row = d == 0 ? 3 : (d - 1) / 3;
        QToolButton* b = menuKey(this, QString("SpeedButton%1").arg(d + 1),
                                 QRect(200 + col * 40, 6 + row * 24, 34, 20));
        b->setText(QString::number(d));
        DigitKeys[std::size_t(d)] = b;
        connect(b, &QToolButton::clicked, this, [this, d] { digitKey(d); });
    }
    SpeedButton11 = menuKey(this, "SpeedButton11", QRect(320, 78, 34, 20));
    connect(SpeedButton11, &QToolButton::clicked, this, &TJov4Panel::SpeedButton11Click);
    caption(this, "Label_SET", "SET", QRect(320, 6, 40, 16), 10);
    caption(this, "Label_FREQ", "FREQ", QRect(320, 58, 40, 16), 10);
    caption(this, "Label_CALL", "CALL", QRect(320, 30, 40, 16), 10);

    for (int i = 0; i < 10; ++i) {
        auto* bar = new Lamp(this, darkColor(RedLampPair));
        bar->setObjectName(QString("bar%1").arg(i + 1));
        bar->setGeometry(380 + i * 18, 40, 14, 22);
        Bars[std::size_t(i)] = bar;
    }
    caption(this, "Label_RF", "RF", QRect(380, 66, 176, 14), 10);
    caption(this, "Label_Level", "LEVEL", QRect(380, 80, 176, 14), 10);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    for (int d = 0; d <= 9; ++d) {
        const QString designed = d == 0
                                     ? QString("    Preset 0    ")
                                     : (d == 9 ? QString("preset 9") : QString("Preset %1").arg(d));
        QAction* a = PopupMenu1->addAction(designed);
        a->setObjectName(d == 9 ? QString("preset91") : "Preset" + QString::number(d) + "1");
        connect(a, &QAction::triggered, this, [this, d] { digitKey(d); });
        PresetEntries[std::size_t(d)] = a;
    }
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (isEnabled())
            PopupMenu1->popup(mapToGlobal(at));
    });
    FormCreate();
}

void TJov4Panel::FormCreate()
{
    if (!Frame)
        return;
    UnitName->setText(Jov4ShownText(Frame->Jov4State.ModelText));
    setEnabled(RackMayChange(Frame->AccessLevel));
}

void TJov4Panel::RefreshPanel()
{
    if (!Frame)
        return;
    // The level can change while the panel is open (a new login).
    if (isEnabled() != RackMayChange(Frame->AccessLevel))
        setEnabled(RackMayChange(Frame->AccessLevel));
    const TJov4State& j = Frame->Jov4State;
    for (int d = 0; d <= 9; ++d) {
        // A preset the module has not named yet keeps its designed caption.
        // A name shows as the module sends it: "&" would mark a shortcut.
        const QString name = Jov4ShownText(j.Presets[std::size_t(d)]);
        QString caption = name;
        caption.replace(QLatin1Char('&'), QLatin1String("&&"));
        QAction* a = PresetEntries[std::size_t(d)];
        if (!name.isEmpty() && a->text() != caption)
            a->setText(caption);
    }
    if (m_entry.EntryActive) {
        setTextIfChanged(MenuString, m_entry.entryLine());
        return;
    }
    setTextIfChanged(MenuString, Jov4ShownText(j.DisplayText));
    const int lit = Jov4RfSegments(j.DisplayValue);
    for (int i = 0; i < 10; ++i)
        setLed(Bars[std::size_t(i)], RedLampPair, i < lit);
}

void TJov4Panel::digitKey(int digit)
{
    if (!Frame || !isEnabled())
        return;
    const QByteArray c = m_entry.digitKey(digit);
    if (!c.isEmpty())
        Frame->SendCommand(c);
    RefreshPanel();
}

void TJov4Panel::SpeedButton11Click()
{
    if (!Frame || !isEnabled())
        return;
    m_entry.frequencyKey();
    RefreshPanel();
}
