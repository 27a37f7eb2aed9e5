#include "shell/Rack.h"

#include "common/Enums.h"
#include "common/WindowNames.h"
#include "data/ConnectionConfig.h"
#include "link/Frame2.h"
#include "models/WindowPlacement.h"
#include "panels/PanelBase.h"
#include "modules/Kelb1_Panel.h"
#include "modules/Gry_Panels.h"
#include "modules/Jov4_Panel.h"
#include "modules/Lyn1_Panel.h"
#include "modules/Nuva1_Panel.h"
#include "modules/Pelo_Panels.h"
#include "modules/Varn1_Panel.h"
#include "platform/UserMessages.h"
#include "tavr1/Tavr1_Panel.h"
#include "vren1/Vren1_Panel.h"
#include "widgets/UpdatesLock.h"

#include <QCloseEvent>
#include <QScreen>
#include <QTimer>

namespace {

using TPanelFactory = TPanelBase* (*)(TRack* rack, const QString& name, TFrame2* frame, int index);

template <class T>
TPanelBase* makePanel(TRack* rack, const QString& name, TFrame2* frame, int index)
{
    return new T(rack, rack, name, frame, index);
}

// One kind of panel a rack can hold, in the order the rack stacks them.
struct TRackPanelKind
{
    int family;
    int presence;
    QPointer<TPanelBase> TRack::*panel;
    int index;
    const char* token; // nullptr: chosen from the Jov4 model text
    // nullptr while this build has no panel for the unit: it is not placed.
    TPanelFactory create;
};

const TRackPanelKind panelKinds[] = {
    {rkFM, upVren1, &TRack::Vren1Panel, 0, PanelToken::Vren1, makePanel<TVren1Panel>},
    {rkFM, upTavr1, &TRack::Tavr1Panel, 0, PanelToken::Tavr1, makePanel<TTavr1Panel>},
    {rkFM, upJov4, &TRack::Jov4Panel, 0, nullptr, makePanel<TJov4Panel>},
    {rkFM, upKelb1, &TRack::Kelb1Panel, 0, PanelToken::Kelb1, makePanel<TKelb1Panel>},
    {rkFM, upNuva1, &TRack::Nuva1Panel, 0, PanelToken::Nuva1, makePanel<TNuva1Panel>},
    {rkFM, upLyn1, &TRack::Lyn1Panel, 0, PanelToken::Lyn1, makePanel<TLyn1Panel>},
    {rkFM, upVarn1Unit0, &TRack::Varn1Panel0, 0, PanelToken::Varn1Unit0, makePanel<TVarn1Panel>},
    {rkFM, upVarn1Unit1, &TRack::Varn1Panel1, 1, PanelToken::Varn1Unit1, makePanel<TVarn1Panel>},
    {rkTV, upGry230, &TRack::Gry230Panel, 0, PanelToken::Gry230, makePanel<TGry230Panel>},
    {rkTV, upGry250, &TRack::Gry250Panel, 0, PanelToken::Gry250, makePanel<TGry250Panel>},
    {rkAM, upPelo1, &TRack::Pelo1Panel, 0, PanelToken::Pelo1, makePanel<TPelo1Panel>},
    {rkAM, upPelo2, &TRack::Pelo2Panel, 0, PanelToken::Pelo2, makePanel<TPelo2Panel>},
};

// The order a family's module panels are told to refresh in. It is kept apart
// from the stacking order above because for FM the two differ: the Kelb1
// panel is refreshed before the Jov4-type panel stacked above it. The Tavr1
// and Vren1 panels take their own refresh messages and are not listed.
const struct
{
    int family;
    QPointer<TPanelBase> TRack::*panel;
} refreshOrder[] = {
    {rkFM, &TRack::Kelb1Panel},  {rkFM, &TRack::Jov4Panel},   {rkFM, &TRack::Nuva1Panel},
    {rkFM, &TRack::Lyn1Panel},   {rkFM, &TRack::Varn1Panel0}, {rkFM, &TRack::Varn1Panel1},
    {rkTV, &TRack::Gry230Panel}, {rkTV, &TRack::Gry250Panel}, {rkAM, &TRack::Pelo1Panel},
    {rkAM, &TRack::Pelo2Panel},
};

} // namespace

TRack* TRack::Create1(QWidget* owner, TFrame2* frame, QPointer<TRack>& rackVariable,
                      const QString& name)
{
    if (rackVariable)
        return rackVariable;
    auto* rack = new TRack(owner, frame, name);
    rackVariable = rack;
    if (frame)
        frame->RackWindow = rack;
    rack->placeBeside(owner);
    rack->show();
    rack->TargetHeight = rack->height();
    return rack;
}

TRack::TRack(QWidget* owner, TFrame2* frame, const QString& name)
    : QWidget(owner, Qt::Window)
    , Frame(frame)
{
    setObjectName(name);
    setWindowTitle(frame ? frame->RackCaption : QString());
    resize(DesignedClientWidth, DesignedClientHeight);

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, &TRack::Timer1Timer);
}

int TRack::HeadHeight() const
{
    // The caption and the first panel: what a person needs to see of a rack
    // to know it and reach it. Before any panel is placed, the tallest one:
    // a rack still waiting for its first data is about to show one.
    int first = m_placedAny ? DefaultFirstPanelHeight : LargestFirstPanelHeight;
    for (const TRackPanelKind& k : panelKinds) {
        const QPointer<TPanelBase>& panel = this->*k.panel;
        if (panel && panel->isVisibleTo(this) && panel->y() == 0) {
            first = panel->height();
            break;
        }
    }
    const int caption = qMax(0, geometry().top() - frameGeometry().top());
    return caption + first;
}

void TRack::placeBeside(QWidget* owner)
{
    QScreen* screen = owner ? owner->screen() : this->screen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    // The decoration of the owner stands in for this window's, which the
    // window system adds only once it is shown.
    const QRect ownerFrame = owner ? owner->frameGeometry() : QRect();
    const QRect ownerInner = owner ? owner->geometry() : QRect();
    const int caption = owner ? qMax(0, ownerInner.top() - ownerFrame.top()) : 0;
    const int sides = owner ? qMax(0, ownerFrame.width() - ownerInner.width()) : 0;
    QList<QRect> whole, heads;
    int others = 0;
    if (owner && owner->isVisible()) {
        whole << ownerFrame;
        if (auto* list = owner->findChild<QWidget*>("ListView1"))
            heads << QRect(list->mapToGlobal(QPoint(0, 0)), list->size());
    }
    if (owner) {
        for (TRack* r : owner->findChildren<TRack*>(Qt::FindDirectChildrenOnly)) {
            if (r == this || !r->isVisible() || r->isMinimized())
                continue;
            // A rack still growing will reach its target height. One with no
            // panel yet (at the start every rack opens before its unit has
            // answered) is taken to be as tall as its head will be. A rack
            // system finds its modules one poll after another, so nothing is
            // known of its foot: its whole column is kept.
            QRect f = r->frameGeometry();
            f.setHeight(qMax(f.height(), f.height() - r->height() + r->TargetHeight));
            if (!r->m_placedAny)
                f.setHeight(qMax(f.height(), r->HeadHeight()));
            if (r->Frame && r->Frame->HardwareType == htRackSystem)
                f.setBottom(qMax(f.bottom(), available.bottom()));
            whole << f;
            heads << QRect(f.topLeft(), QSize(f.width(), r->HeadHeight()));
            ++others;
        }
    }
    move(PlaceRackWindow(available, whole, heads, DesignedClientWidth + sides,
                         caption + DefaultFirstPanelHeight, others));
}

const char* TRack::Jov4Token(const QString& modelText)
{
    if (modelText.contains("JOV-4"))
        return PanelToken::Jov4;
    if (modelText.contains("ZU-4"))
        return PanelToken::Zu4;
    if (modelText.contains("DASK-4"))
        return PanelToken::Dask4;
    return nullptr;
}

void TRack::ArrangePanels()
{
    if (!Frame || Frame->DetectedUnits == ShownUnits)
        return;
    bool placed = false;
    {
        UpdatesLock lock(this);
        NextTop = 0;
        for (const TRackPanelKind& k : panelKinds) {
            QPointer<TPanelBase>& panel = this->*k.panel;
            const bool present = k.family == Frame->RackFamily && k.presence >= 0 &&
                                 k.presence < UnitPresenceCount && Frame->UnitPresence[k.presence];
            const char* token = k.token ? k.token : Jov4Token(Frame->Jov4ModelText);
            if (!present || !token || (!panel && !k.create)) {
                // A panel whose unit has gone is kept but hidden, so the
                // stack never covers it or shows it at a stale place.
                if (panel)
                    panel->hide();
                continue;
            }
            if (!panel)
                panel = k.create(this, objectName() + token, Frame, k.index);
            panel->move(0, NextTop);
            panel->show();
            NextTop += panel->height();
            TargetHeight = NextTop;
            TargetWidth = panel->width();
            placed = true;
        }
    }
    ShownUnits = Frame->DetectedUnits;
    Timer1->start();
    // With nothing placed there is no width to fit: the window keeps its size
    // and limits rather than collapse to nothing.
    if (placed) {
        m_placedAny = true;
        setMaximumHeight(TargetHeight);
        fixWidth();
    }
}

void TRack::fixWidth()
{
    setMaximumWidth(TargetWidth);
    resize(TargetWidth, height());
}

void TRack::Timer1Timer()
{
    const int grown = height() + GrowStep;
    if (height() < TargetHeight && grown < TargetHeight) {
        resize(width(), grown);
        return;
    }
    resize(width(), TargetHeight);
    Timer1->stop();
    if (m_placedAny)
        fixWidth();
}

bool TRack::event(QEvent* e)
{
    if (!UserMessageEvent::isUserMessage(e))
        return QWidget::event(e);
    switch (static_cast<UserMessageEvent*>(e)->msg()) {
    case UM_RACK_SAMPLES:
        break;
    case UM_RACK_DATA: {
        ArrangePanels();
        const int family = Frame ? Frame->RackFamily : rkNone;
        for (const auto& r : refreshOrder) {
            if (r.family == family)
                PostRefresh(this->*r.panel, UM_PANEL_REFRESH);
        }
        break;
    }
    case UM_RDS_GROUPS:
        PostRefresh(Lyn1Panel, UM_RDS_GROUPS);
        break;
    case UM_HD_DATA:
        ArrangePanels();
        PostRefresh(Vren1Panel, UM_HD_REFRESH);
        break;
    case UM_TAVR1_DATA:
        ArrangePanels();
        PostRefresh(Tavr1Panel, UM_TAVR1_REFRESH);
        break;
    default:
        return QWidget::event(e);
    }
    return true;
}

void TRack::closeEvent(QCloseEvent* e)
{
    // The rack lives as long as its connection is active; closing it only
    // puts it out of the way.
    e->ignore();
    showMinimized();
}
