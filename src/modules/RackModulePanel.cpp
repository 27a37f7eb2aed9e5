#include "modules/RackModulePanel.h"

#include "link/Frame2.h"
#include "modules/DisplayAlarms.h"
#include "modules/RackPanelKit.h"
#include "platform/UserMessages.h"
#include "widgets/Lamp.h"

#include <QLabel>
#include <QMenu>

using namespace RackPanelKit;

TRackModulePanel::TRackModulePanel(const TRackPanelDesign& design, QWidget* ownerRack,
                                   QWidget* parentRack, const QString& componentName,
                                   TFrame2* frame, int index)
    : TVFPanel(ownerRack, parentRack, componentName, frame, index)
    , m_design(design)
{
    setDesignedSize(design.width, design.height);
    paintBlack(this);
}

void TRackModulePanel::buildForm(const QString& unitName)
{
    UnitName = caption(this, "UnitName", unitName, QRect(10, 6, 160, 18), 13,
                       Qt::AlignLeft | Qt::AlignVCenter);
    const int readouts = int(m_design.readoutCaptions.size());
    // Many lamps take room from a single readout.
    const int readoutWidth = readouts == 2 ? 92 : (m_design.lamps.size() > 4 ? 104 : 120);
    for (int i = 0; i < readouts; ++i) {
        const QString n =
            readouts == 1 ? QString("ModulationString") : QString("ModulationString%1").arg(i + 1);
        const int x = 10 + i * (readoutWidth + 6);
        QLabel* l =
            readout(this, n, m_design.readoutDesignedText, QRect(x, 28, readoutWidth, 44), 32);
        m_readouts.push_back(l);
        caption(this,
                readouts == 1 ? QString("Label_Modulation")
                              : QString("Label_Modulation%1").arg(i + 1),
                m_design.readoutCaptions[std::size_t(i)], QRect(x, 74, readoutWidth, 16), 10);
    }
    if (readouts == 1)
        ModulationString = m_readouts[0];
    if (readouts == 2) {
        ModulationString1 = m_readouts[0];
        ModulationString2 = m_readouts[1];
    }

    // The keys and the LCD line follow the readouts.
    const int left = readouts == 0 ? 20 : 16 + readouts * (readoutWidth + 6);
    buildMenuStrip(this, left, 184, true);

    // The lamps share the room right of the keys, in up to three rows.
    const int lampsLeft = left + 252;
    const int count = int(m_design.lamps.size());
    // As many rows (up to three) as it takes for a caption to fit its cell.
    const int room = m_design.width - 6 - lampsLeft;
    int rows = 1;
    while (rows < 3 && room / qMax((count + rows - 1) / rows, 1) < 54)
        ++rows;
    const int perRow = qMax((count + rows - 1) / rows, 1);
    const int cell = qMin(60, room / perRow);
    const int pitch = rows == 3 ? 38 : 46;
    const int lamp = rows == 3 ? 14 : 16;
    for (int i = 0; i < count; ++i) {
        const TRackPanelLamp& d = m_design.lamps[std::size_t(i)];
        const int row = i / perRow;
        const int x = lampsLeft + (i % perRow) * cell;
        const int y = rows == 1 ? 36 : 8 + row * pitch;
        Leds.push_back(led(this, d.name, QRect(x + (cell - lamp) / 2, y, lamp, lamp), d.pair));
        caption(this, QString("Label_") + d.name, d.caption, QRect(x, y + lamp + 2, cell, 14),
                rows == 1 ? 9 : 8);
    }

    buildPopup();
}

void TRackModulePanel::buildPopup()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    auto entry = [this](QMenu* menu, const QString& text, const QString& name, int kind,
                        int index) {
        QAction* a = menu->addAction(text);
        a->setObjectName(name);
        if (m_design.entriesOpenWindows || kind == kAlarms)
            connect(a, &QAction::triggered, this, [this, kind, index] { openWindow(kind, index); });
    };
    for (const TRackPopupGroup& g : m_design.groups) {
        if (g.entries.empty()) {
            // An entry of its own, opening nothing.
            PopupMenu1->addAction(g.caption)->setObjectName(g.name);
            continue;
        }
        QMenu* sub = PopupMenu1->addMenu(g.caption);
        sub->setObjectName(g.name);
        sub->menuAction()->setObjectName(g.name);
        for (std::size_t i = 0; i < g.entries.size(); ++i)
            entry(sub, g.entries[i], g.subName + QString::number(i), g.kind, int(i));
    }
    if (m_design.alarmsEntry)
        entry(PopupMenu1, "Alarms", "Alarms1", kAlarms, 0);

    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (isEnabled())
            PopupMenu1->popup(mapToGlobal(at));
    });
}

void TRackModulePanel::send(const QList<QByteArray>& commands)
{
    if (!Frame)
        return;
    for (const QByteArray& c : commands)
        Frame->SendCommand(c);
}

bool TRackModulePanel::lampLit(int lamp)
{
    const TRackModuleState* s = moduleState();
    if (!s || lamp < 0 || lamp >= int(m_design.lamps.size()))
        return false;
    const TRackPanelLamp& d = m_design.lamps[std::size_t(lamp)];
    return ((d.fromLedWord ? s->LedBits : s->StatusBits) & d.bit) != 0;
}

QWidget* TRackModulePanel::makeAlarms(const TChildWindowArgs& args)
{
    return new TDisplayAlarms(args);
}

void TRackModulePanel::RefreshPanel()
{
    if (!Frame || !moduleState())
        return;
    for (std::size_t i = 0; i < m_readouts.size(); ++i)
        setTextIfChanged(m_readouts[i], readoutText(int(i)));
    setTextIfChanged(MenuString, menuText());
    for (std::size_t i = 0; i < Leds.size(); ++i)
        setLed(Leds[i], m_design.lamps[i].pair, lampLit(int(i)));
    ForwardRefresh();
}

bool TRackModulePanel::hasKind(int kind, int index) const
{
    if (kind == kAlarms)
        return m_design.alarmsEntry && index == 0;
    if (!m_design.entriesOpenWindows)
        return false;
    for (const TRackPopupGroup& g : m_design.groups) {
        if (g.kind == kind && index >= 0 && index < int(g.entries.size()))
            return true;
    }
    return false;
}

void TRackModulePanel::ForwardRefresh()
{
    // Plots, then histograms, then bar graphs, then the alarm window.
    for (int kind : {kDataTimePlot, kHistogram, kBarGraph}) {
        for (const TRackPopupGroup& g : m_design.groups) {
            if (g.kind != kind || !m_design.entriesOpenWindows)
                continue;
            for (std::size_t i = 0; i < g.entries.size(); ++i)
                Children.post(kind, int(i), UM_PANEL_REFRESH);
        }
    }
    if (m_design.alarmsEntry)
        Children.post(kAlarms, 0, UM_PANEL_REFRESH);
}

void TRackModulePanel::ChildClosed(int kind, int index)
{
    if (hasKind(kind, index))
        Children.forget(kind, index);
}

void TRackModulePanel::openWindow(int kind, int index)
{
    if (!Frame || !hasKind(kind, index))
        return;
    Children.openOrRaise<QWidget>(kind, index, [&]() -> QWidget* {
        const TChildWindowArgs args = childArgs(m_design.family, m_design.instrument, index);
        return kind == kAlarms ? makeAlarms(args) : newPlotWindow(kind, args);
    });
}

void TRackModulePanel::SpeedButton1Click()
{
    if (TRackModuleState* s = Frame ? moduleState() : nullptr) {
        send(menuModel().key1(*s));
        RefreshPanel();
    }
}

void TRackModulePanel::SpeedButton2Click()
{
    if (TRackModuleState* s = Frame ? moduleState() : nullptr) {
        send(menuModel().key2(*s));
        RefreshPanel();
    }
}

void TRackModulePanel::SpeedButton3Click()
{
    if (TRackModuleState* s = Frame ? moduleState() : nullptr) {
        send(menuModel().key3(*s, Frame->AccessLevel));
        RefreshPanel();
    }
}

void TRackModulePanel::SpeedButton4Click()
{
    if (TRackModuleState* s = Frame ? moduleState() : nullptr) {
        send(menuModel().key4(*s, Frame->AccessLevel));
        RefreshPanel();
    }
}
