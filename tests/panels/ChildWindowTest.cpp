#include "panels/ChildWindow.h"
#include "TestSupport.h"
#include "link/Frame2.h"
#include "platform/UserMessages.h"
#include "panels/PanelChildren.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace {

// A panel stand-in that records the closed-messages it is posted.
using Owner = TMessageRecorder<QWidget>;

class Window : public TInstrumentChildWindow
{
public:
    Window(const TChildWindowArgs& a, TRefreshPolicy policy)
        : TInstrumentChildWindow(a, 1, UM_PANEL_REFRESH, policy)
    {}
    std::vector<qintptr> refreshed;

protected:
    void RefreshWindow(qintptr lParam) override { refreshed.push_back(lParam); }
};

TChildWindowArgs argsFor(Owner& owner, TFrame2& frame, int index)
{
    TChildWindowArgs a;
    a.ownerPanel = &owner;
    a.frame = &frame;
    a.ownerHandle = &owner;
    a.family = 5;
    a.instrument = 0;
    a.index = index;
    return a;
}

void freeClosed()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

TEST(ChildWindow, NamedAfterItsPanelAndToldToItsPanelWhenClosed)
{
    TFrame2 frame("Connect1");
    frame.RackCaption = "Studio A";
    Owner owner;
    owner.setObjectName("Rack1_TAVR1");
    QPointer<Window> w = new Window(argsFor(owner, frame, 7), TRefreshPolicy::ZeroLParam);
    w->setDesignedName(WindowToken::HistPlot, " Histogram");
    EXPECT_EQ(w->objectName(), "Rack1_TAVR1_HistPlot07");
    EXPECT_EQ(w->windowTitle(), " Studio A Histogram");
    EXPECT_TRUE(w->isWindow());
    EXPECT_EQ(w->parentWidget(), &owner);
    EXPECT_EQ(w->family(), 5);

    w->show();
    w->close();
    EXPECT_TRUE(owner.closed.empty()) << "posted, not sent";
    freeClosed();
    EXPECT_EQ(owner.closed, (std::vector<std::pair<qintptr, qintptr>>{{1, 7}}));
    EXPECT_TRUE(w.isNull()) << "a closed window frees itself";
}

TEST(ChildWindow, DiesWithItsPanelWithoutPostingToIt)
{
    TFrame2 frame("Connect1");
    auto* owner = new Owner;
    QPointer<Window> w = new Window(argsFor(*owner, frame, 0), TRefreshPolicy::ZeroLParam);
    w->show();
    delete owner;
    EXPECT_TRUE(w.isNull());
    freeClosed(); // nothing queued for the freed panel
}

TEST(ChildWindow, RefreshPolicyByLParam)
{
    TFrame2 frame("Connect1");
    Owner owner;
    struct Case
    {
        TRefreshPolicy policy;
        std::vector<qintptr> admitted;
    };
    const Case cases[] = {
        {TRefreshPolicy::AnyLParam, {0, 1, 0x10000}},
        {TRefreshPolicy::ZeroLParam, {0}},
        {TRefreshPolicy::LowWordZero, {0, 0x10000}},
    };
    for (const Case& c : cases) {
        Window w(argsFor(owner, frame, 0), c.policy);
        for (qintptr l : {qintptr(0), qintptr(1), qintptr(0x10000)})
            PostMessage(QPointer<QObject>(&w), UM_PANEL_REFRESH, 0, l);
        PostMessage(QPointer<QObject>(&w), UM_TAVR1_REFRESH);
        QCoreApplication::sendPostedEvents();
        EXPECT_EQ(w.refreshed, c.admitted);
    }
}

TEST(PanelChildren, OneWindowPerKindAndIndexForgottenOnlyOnceClosed)
{
    TFrame2 frame("Connect1");
    Owner owner;
    TPanelChildren children;
    int made = 0;
    auto open = [&](int kind, int index) {
        return static_cast<Window*>(children.openOrRaise<QWidget>(kind, index, [&]() -> QWidget* {
            ++made;
            return new Window(argsFor(owner, frame, index), TRefreshPolicy::ZeroLParam);
        }));
    };
    Window* a = open(1, 3);
    EXPECT_TRUE(a->isVisible());
    EXPECT_EQ(open(1, 3), a);
    Window* b = open(1, 4);
    EXPECT_NE(a, b);
    EXPECT_EQ(made, 2);
    EXPECT_EQ(children.openOrRaise<QWidget>(2, 0, [] { return nullptr; }), nullptr);
    EXPECT_EQ(children.count(), 2);

    // A closed-message for a window that is still shown (a late one from an
    // earlier window of that kind and index) forgets nothing.
    EXPECT_FALSE(children.forget(1, 3));
    EXPECT_EQ(children.find(1, 3), a);
    EXPECT_FALSE(children.forget(5, 0));

    a->close();
    freeClosed();
    EXPECT_EQ(children.find(1, 3), nullptr) << "a freed window reads as absent";
    EXPECT_FALSE(children.post(1, 3, UM_PANEL_REFRESH));
    EXPECT_TRUE(children.forget(1, 3));
    EXPECT_NE(open(1, 3), nullptr);
    EXPECT_EQ(made, 3);

    // Several windows under one kind: only the closed one goes.
    b->hide();
    children.forgetClosed(1);
    EXPECT_EQ(children.find(1, 4), nullptr);
    EXPECT_NE(children.find(1, 3), nullptr);
}
