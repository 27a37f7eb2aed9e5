#include "shell/Rack.h"
#include "link/Frame2.h"
#include "platform/UserMessages.h"
#include "tavr1/Tavr1_Panel.h"

#include <QCoreApplication>
#include <QLabel>
#include <QTimer>
#include <gtest/gtest.h>
#include <utility>

namespace {

// A rack on a frame that is not connected: the test sets what the link would
// have detected and posts the data messages the link would post.
class RackTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        frame.RackCaption = "Studio A";
        TRack::Create1(&owner, &frame, rack, "Rack1");
        ASSERT_NE(rack, nullptr);
    }
    void TearDown() override { delete rack.data(); }

    void detectTavr1()
    {
        frame.RackFamily = rkFM;
        frame.UnitPresence[upTavr1] = true;
        frame.DetectedUnits = 1;
    }
    void post(int msg)
    {
        PostMessage(frame.RackWindow, msg);
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents();
    }

    QWidget owner;
    TFrame2 frame{"Connect1"};
    QPointer<TRack> rack;
};

} // namespace

TEST_F(RackTest, CreatedOnceNamedCaptionedAndKnownToItsFrame)
{
    EXPECT_EQ(rack->objectName(), "Rack1");
    EXPECT_EQ(rack->windowTitle(), "Studio A");
    EXPECT_EQ(frame.RackWindow, rack.data());
    EXPECT_TRUE(rack->isVisible());
    EXPECT_TRUE(rack->isWindow());
    EXPECT_EQ(rack->parent(), &owner);
    EXPECT_EQ(rack->height(), TRack::DesignedClientHeight);
    EXPECT_EQ(rack->TargetHeight, TRack::DesignedClientHeight);
    EXPECT_EQ(rack->findChildren<TPanelBase*>().size(), 0) << "a new rack is empty";

    TRack* first = rack;
    EXPECT_EQ(TRack::Create1(&owner, &frame, rack, "Rack1"), first);
    EXPECT_EQ(owner.findChildren<TRack*>().size(), 1);
}

TEST_F(RackTest, TheTavr1PanelIsMadeStackedAndGrownInto)
{
    detectTavr1();
    post(UM_TAVR1_DATA);
    auto* panel = rack->findChild<TTavr1Panel*>("Rack1_TAVR1");
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(rack->Tavr1Panel, panel);
    EXPECT_EQ(panel->frame(), &frame);
    EXPECT_EQ(panel->pos(), QPoint(0, 0));
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(rack->TargetHeight, 255);
    EXPECT_EQ(rack->TargetWidth, 600);
    EXPECT_EQ(rack->maximumHeight(), 255);
    EXPECT_EQ(rack->maximumWidth(), 600);
    EXPECT_EQ(rack->width(), 600);
    EXPECT_EQ(rack->ShownUnits, 1);
    EXPECT_TRUE(rack->Timer1->isActive());
    EXPECT_EQ(rack->Timer1->interval(), 100);

    // Ten pixels a tick until the panel fits, then exactly its height.
    std::vector<int> heights;
    while (rack->Timer1->isActive() && heights.size() < 40) {
        rack->Timer1Timer();
        heights.push_back(rack->height());
    }
    ASSERT_GE(heights.size(), 2u);
    EXPECT_EQ(heights[0], TRack::DesignedClientHeight + 10);
    EXPECT_EQ(heights[1], TRack::DesignedClientHeight + 20);
    EXPECT_EQ(heights.back(), 255);
    EXPECT_EQ(heights.size(), 22u); // 40 + 21 * 10 = 250, then 255
    EXPECT_FALSE(rack->Timer1->isActive());

    // Each block is forwarded to the panel, which redraws from the frame.
    frame.Tavr1Measurements[tcTotal][tsPeak] = 1001;
    post(UM_TAVR1_DATA);
    EXPECT_EQ(panel->findChild<QLabel*>("LD_Total_Peak")->text(), "100.1%");
    EXPECT_EQ(rack->findChildren<TTavr1Panel*>().size(), 1) << "made once";
}

TEST_F(RackTest, NoPanelPlacedLeavesTheWindowAsItIs)
{
    // A Prak1, which no rack ever shows a panel for.
    const QSize before = rack->size();
    const QSize maxBefore = rack->maximumSize();
    frame.RackFamily = rkFM;
    frame.UnitPresence[upPrak1] = true;
    frame.DetectedUnits = 2;
    post(UM_HD_DATA);
    for (int i = 0; i < 5; ++i)
        rack->Timer1Timer();
    EXPECT_EQ(rack->size(), before);
    EXPECT_EQ(rack->maximumSize(), maxBefore);
    EXPECT_EQ(rack->ShownUnits, 2);
    EXPECT_TRUE(rack->findChildren<TPanelBase*>().isEmpty());
}

TEST_F(RackTest, APanelWhoseUnitWentIsHiddenAndKept)
{
    detectTavr1();
    post(UM_TAVR1_DATA);
    QPointer<TPanelBase> panel = rack->Tavr1Panel;
    ASSERT_NE(panel, nullptr);

    frame.UnitPresence[upTavr1] = false;
    frame.DetectedUnits = 0;
    post(UM_TAVR1_DATA);
    ASSERT_FALSE(panel.isNull());
    EXPECT_FALSE(panel->isVisible());

    detectTavr1();
    post(UM_TAVR1_DATA);
    EXPECT_EQ(rack->Tavr1Panel, panel.data()) << "the same panel comes back";
    EXPECT_TRUE(panel->isVisible());
}

TEST_F(RackTest, ArrangesOnlyWhenTheDetectedUnitsChange)
{
    detectTavr1();
    post(UM_TAVR1_DATA);
    rack->Tavr1Panel->move(0, 40);
    post(UM_TAVR1_DATA);
    EXPECT_EQ(rack->Tavr1Panel->y(), 40);
}

TEST_F(RackTest, ClosingOnlyMinimises)
{
    detectTavr1();
    post(UM_TAVR1_DATA);
    rack->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(rack.isNull());
    EXPECT_TRUE(rack->isMinimized());
    EXPECT_NE(rack->Tavr1Panel, nullptr);
}

TEST_F(RackTest, AFreedRackTakesItsPanelsAndIsNoLongerPostedTo)
{
    detectTavr1();
    post(UM_TAVR1_DATA);
    QPointer<TPanelBase> panel = rack->Tavr1Panel;
    PostMessage(frame.RackWindow, UM_TAVR1_DATA); // still queued when the rack goes
    delete rack.data();
    EXPECT_TRUE(panel.isNull());
    EXPECT_TRUE(frame.RackWindow.isNull());
    EXPECT_FALSE(PostMessage(frame.RackWindow, UM_TAVR1_DATA));
    QCoreApplication::sendPostedEvents();
}

namespace {

// A module panel that notes its name in a list shared with its siblings each
// time it is told to refresh, so the order of the rack's posts shows.
class TRefreshNotingPanel : public TPanelBase
{
public:
    TRefreshNotingPanel(TRack* rack, TFrame2* frame, const QString& name, QStringList* notes)
        : TPanelBase({UM_PANEL_REFRESH, 100, 10, 10, 10, "", false}, rack, rack, name, frame, 0)
        , m_notes(notes)
    {}
    void RefreshPanel() override { m_notes->append(objectName().mid(5)); }

private:
    QStringList* m_notes;
};

} // namespace

// Each family's module panels are refreshed in their own order, which for FM
// is not the order they are stacked in; the Tavr1 and Vren1 panels take their
// own messages and another family's panels are left alone.
TEST_F(RackTest, ModulePanelsAreRefreshedInTheirFamilysOrder)
{
    QStringList notes;
    const std::pair<QPointer<TPanelBase> TRack::*, const char*> panels[] = {
        {&TRack::Vren1Panel, "_VREN1"},   {&TRack::Tavr1Panel, "_TAVR1"},
        {&TRack::Jov4Panel, "_JOV4"},     {&TRack::Kelb1Panel, "_KELB1"},
        {&TRack::Nuva1Panel, "_NUVA1"},   {&TRack::Lyn1Panel, "_LYN1"},
        {&TRack::Varn1Panel0, "_VARN10"}, {&TRack::Varn1Panel1, "_VARN11"},
        {&TRack::Gry230Panel, "_GRY230"}, {&TRack::Gry250Panel, "_GRY250"},
        {&TRack::Pelo1Panel, "_PELO1"},   {&TRack::Pelo2Panel, "_PELO2"},
    };
    for (const auto& [member, token] : panels)
        rack.data()->*member =
            new TRefreshNotingPanel(rack, &frame, QString("Rack1") + token, &notes);

    struct Case
    {
        int family;
        const char* order;
    };
    const Case cases[] = {
        {rkFM, "_KELB1 _JOV4 _NUVA1 _LYN1 _VARN10 _VARN11"},
        {rkTV, "_GRY230 _GRY250"},
        {rkAM, "_PELO1 _PELO2"},
        {rkNone, ""},
    };
    for (const Case& c : cases) {
        notes.clear();
        frame.RackFamily = c.family;
        post(UM_RACK_DATA);
        EXPECT_EQ(notes.join(' ').toStdString(), c.order) << "family " << c.family;
    }

    // A panel not made is skipped; the others keep their order.
    delete rack->Jov4Panel.data();
    notes.clear();
    frame.RackFamily = rkFM;
    post(UM_RACK_DATA);
    EXPECT_EQ(notes.join(' ').toStdString(), "_KELB1 _NUVA1 _LYN1 _VARN10 _VARN11");
}

TEST(RackPanels, Jov4TokenFromTheModelText)
{
    struct Case
    {
        const char* model;
        const char* token;
    };
    const Case cases[] = {{"JOV-4 FM", "_JOV4"},
                          {"ZU-4", "_ZU4"},
                          {" DASK-4 v2", "_DASK4"},
                          {"JOV4", nullptr},
                          {"", nullptr}};
    for (const Case& c : cases) {
        const char* t = TRack::Jov4Token(c.model);
        if (c.token)
            EXPECT_STREQ(t, c.token) << c.model;
        else
            EXPECT_EQ(t, nullptr) << c.model;
    }
}

// At the start every connection opens its rack at once, before any unit has
// answered, so each new rack is placed beside racks that are still a caption
// high. The one placed second must not land where the first one's first
// panel appears once its data comes.
TEST(RackPlacement, ARackOpenedBeforeAnotherHasItsDataLeavesThatOnesHeadInView)
{
    QWidget owner;
    TFrame2 hdFrame{"Connect1"}, fmFrame{"Connect2"};
    hdFrame.HardwareType = htHDSystem;
    hdFrame.RackCaption = "Vren1";
    fmFrame.RackCaption = "FM rack";
    QPointer<TRack> first, second;
    TRack::Create1(&owner, &hdFrame, first, "Rack1");
    TRack::Create1(&owner, &fmFrame, second, "Rack2");
    ASSERT_TRUE(first && second);

    hdFrame.RackFamily = rkFM;
    hdFrame.UnitPresence[upVren1] = true;
    hdFrame.DetectedUnits = 1;
    PostMessage(first, UM_HD_DATA);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents();
    for (int i = 0; i < 40 && first->Timer1->isActive(); ++i)
        first->Timer1Timer();
    ASSERT_NE(first->Vren1Panel, nullptr);

    const QRect firstFrame = first->frameGeometry();
    const QRect head(firstFrame.topLeft(), QSize(firstFrame.width(), first->HeadHeight()));
    EXPECT_GE(first->HeadHeight(), first->Vren1Panel->height());
    EXPECT_FALSE(second->frameGeometry().intersects(head))
        << "the second rack at " << second->x() << "," << second->y() << " covers the first's head "
        << head.y() << ".." << head.bottom();
    delete second.data();
    delete first.data();
}
