#include "link/Frame2.h"
#include "platform/UserMessages.h"
#include "panels/VFPanel.h"
#include "panels/Tavr1_frontpanel.h"
#include "panels/HD_frontpanel.h"

#include <QCoreApplication>
#include <QImage>
#include <gtest/gtest.h>
#include <memory>

namespace {

// A descendant that counts what the base hands it.
template <class Base>
class Probe : public Base
{
public:
    using Base::Base;
    int refreshes = 0;
    std::vector<std::pair<int, int>> closed;
    void RefreshPanel() override { ++refreshes; }
    void ChildClosed(int kind, int index) override { closed.emplace_back(kind, index); }
};

struct Family
{
    const char* name;
    std::function<TPanelBase*(QWidget* rack, TFrame2* frame)> rackChild;
    std::function<TPanelBase*()> plain;
    std::function<int(TPanelBase*)> refreshes;
    int refreshMessage;
    int otherRefresh; // another family's refresh message
    int height;
    const char* caption;
    bool whiteFrame;
};

template <class Base>
Family family(const char* name, int msg, int other, int height, const char* caption, bool white)
{
    return {name,
            [](QWidget* rack, TFrame2* f) { return new Probe<Base>(rack, rack, "Rack1_X", f, 0); },
            [] { return new Probe<Base>(nullptr); },
            [](TPanelBase* p) { return static_cast<Probe<Base>*>(p)->refreshes; },
            msg,
            other,
            height,
            caption,
            white};
}

std::vector<Family> families()
{
    return {
        family<TVFPanel>("TVFPanel", UM_PANEL_REFRESH, UM_TAVR1_REFRESH, 100, "VFPanel", true),
        family<TVFPanel_Tavr1>("TVFPanel_Tavr1", UM_TAVR1_REFRESH, UM_HD_REFRESH, 200,
                               "VFPanel_TAVR1", false),
        family<TVFPanel_HD>("TVFPanel_HD", UM_HD_REFRESH, UM_PANEL_REFRESH, 200, "VFPanel_HD",
                            false),
    };
}

void deliver()
{
    QCoreApplication::sendPostedEvents();
}

} // namespace

TEST(PanelBase, RackChildIsABorderlessStripOfItsDesignedSize)
{
    TFrame2 frame("Connect1");
    for (const Family& fam : families()) {
        SCOPED_TRACE(fam.name);
        QWidget rack;
        TPanelBase* p = fam.rackChild(&rack, &frame);
        EXPECT_TRUE(p->IsRackChild);
        EXPECT_FALSE(p->isWindow());
        EXPECT_EQ(p->parentWidget(), &rack);
        EXPECT_EQ(p->ParentRack, &rack);
        EXPECT_EQ(p->objectName(), "Rack1_X");
        EXPECT_EQ(p->PanelName, "Rack1_X");
        EXPECT_EQ(p->frame(), &frame);
        EXPECT_EQ(p->size(), QSize(600, fam.height));

        // A descendant's own height wins over the base's limits, in both
        // directions (the Tavr1 panel is 255 high, the rack modules 117).
        for (int h : {117, 255}) {
            p->setDesignedSize(600, h);
            EXPECT_EQ(p->size(), QSize(600, h));
            EXPECT_EQ(p->minimumSize(), p->maximumSize());
        }
    }
}

TEST(PanelBase, PlainConstructedPanelIsAnOrdinaryWindow)
{
    for (const Family& fam : families()) {
        SCOPED_TRACE(fam.name);
        std::unique_ptr<TPanelBase> p(fam.plain());
        EXPECT_FALSE(p->IsRackChild);
        EXPECT_TRUE(p->isWindow());
        EXPECT_EQ(p->parentWidget(), nullptr);
        EXPECT_FALSE(p->windowFlags() & Qt::FramelessWindowHint);
        EXPECT_EQ(p->objectName(), fam.caption);
        EXPECT_EQ(p->windowTitle(), fam.caption);
        EXPECT_EQ(p->width(), 600);
        EXPECT_EQ(p->frame(), nullptr);
    }
}

TEST(PanelBase, ItsOwnRefreshMessageRunsRefreshPanelOnce)
{
    TFrame2 frame("Connect1");
    for (const Family& fam : families()) {
        SCOPED_TRACE(fam.name);
        QWidget rack;
        TPanelBase* p = fam.rackChild(&rack, &frame);
        QPointer<QObject> target(p);
        PostMessage(target, fam.refreshMessage);
        EXPECT_EQ(fam.refreshes(p), 0) << "posted, never run inside the poster";
        deliver();
        EXPECT_EQ(fam.refreshes(p), 1);
        PostMessage(target, fam.otherRefresh);
        PostMessage(target, UM_RACK_DATA);
        deliver();
        EXPECT_EQ(fam.refreshes(p), 1);
    }
}

TEST(PanelBase, APanelWithoutItsFrameNeverRefreshes)
{
    for (const Family& fam : families()) {
        SCOPED_TRACE(fam.name);
        std::unique_ptr<TPanelBase> p(fam.plain());
        PostMessage(QPointer<QObject>(p.get()), fam.refreshMessage);
        deliver();
        EXPECT_EQ(fam.refreshes(p.get()), 0);
    }
}

TEST(PanelBase, ChildClosedCarriesKindAndIndexAndRefusesWhatNoIntHolds)
{
    TFrame2 frame("Connect1");
    QWidget rack;
    auto* p = new Probe<TVFPanel>(&rack, &rack, "Rack1_KELB1", &frame, 0);
    QPointer<QObject> target(p);
    PostMessage(target, UM_CHILD_CLOSED, 2, 13);
    PostMessage(target, UM_CHILD_CLOSED, 99, 0);
    // Cut down to an int these would read as kind 1 index 1 and kind 0.
    PostMessage(target, UM_CHILD_CLOSED, 1, qintptr(1) << 32 | 1);
    PostMessage(target, UM_CHILD_CLOSED, qintptr(1) << 32, 0);
    deliver();
    EXPECT_EQ(p->closed, (std::vector<std::pair<int, int>>{{2, 13}, {99, 0}}));
}

TEST(PanelBase, TheRackModulePanelsDrawAWhiteFrame)
{
    TFrame2 frame("Connect1");
    for (const Family& fam : families()) {
        SCOPED_TRACE(fam.name);
        QWidget rack;
        TPanelBase* p = fam.rackChild(&rack, &frame);
        QImage img(p->size(), QImage::Format_RGB32);
        img.fill(Qt::black);
        p->render(&img);
        const QRgb white = qRgb(255, 255, 255);
        for (const QPoint at :
             {QPoint(0, 0), QPoint(599, fam.height - 1), QPoint(300, 0), QPoint(0, fam.height / 2)})
            EXPECT_EQ(img.pixel(at) == white, fam.whiteFrame) << at.x() << "," << at.y();
        EXPECT_NE(img.pixel(300, fam.height / 2), white);
    }
}
