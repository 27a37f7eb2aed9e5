#include "link/RackLinkSupport.h"

#include "modules/Lyn1_RDSData.h"
#include "platform/UserMessages.h"
#include "protocol/rds/RdsBasicData.h"

#include <QLabel>
#include <QPointer>
#include <QTabWidget>

namespace {

// The RDS window on a real frame against the simulated rack, owned by a
// stand-in for the Lyn1 panel that counts the closes it is told of.
class Lyn1RdsDataTest : public RackLinkFixture
{
protected:
    class Owner : public QWidget
    {
    public:
        Owner() { setObjectName("Rack1_LYN1"); }
        int closed = 0;
        bool event(QEvent* e) override
        {
            if (UserMessageEvent::isUserMessage(e) &&
                static_cast<UserMessageEvent*>(e)->msg() == UM_CHILD_CLOSED &&
                static_cast<UserMessageEvent*>(e)->wParam() == TRDS::Kind)
                ++closed;
            return QWidget::event(e);
        }
    };

    bool start(int blocksPerPoll = 1, int transport = trNetwork)
    {
        makeSim();
        sim->unit.blocksPerPoll = blocksPerPoll;
        sim->unit.rds.clock = QDateTime(QDate(2025, 6, 1), QTime(3, 30), Qt::UTC);
        return open(transport) && polling();
    }
    TRDS* openWindow()
    {
        TChildWindowArgs a;
        a.ownerPanel = &owner;
        a.frame = frame.get();
        a.ownerHandle = &owner;
        window = new TRDS(a);
        return window;
    }
    QString text(const char* name) const { return window->findChild<QLabel*>(name)->text(); }
    bool yellow(const char* name) const
    {
        return window->findChild<QLabel*>(name)->palette().color(QPalette::WindowText) ==
               QColor(Qt::yellow);
    }
    // Module commands as the rack received them, without their FE.
    // Lets the stream run, then delivers the message the panel would post.
    void stream(int polls)
    {
        const int sent = sim->unit.blocksSent();
        tickUntil([&] { return sim->unit.blocksSent() >= sent + polls; }, 40 * polls);
        ticks(3);
        PostMessage(window, UM_RDS_GROUPS);
        pump(5);
    }
    int commandCount(const QByteArray& bytes) const
    {
        int n = 0;
        for (const QByteArray& c : sim->unit.moduleCommands())
            n += c == bytes ? 1 : 0;
        return n;
    }

    Owner owner;
    QPointer<TRDS> window;
};

const char* const AllFields[] = {
    "PI_Call_LD",  "PI_Hex_LD", "ECC_LD",        "TA_LD",         "TP_LD",       "MS_LD",
    "PS_LD",       "PTY_N_LD",  "PTY_S_LD",      "PTYN_LD",       "Time_LD",     "Date_LD",
    "PIN_LD",      "City_LD",   "State_N_LD",    "State_S_LD",    "DI_N_LD",     "DI_S_LD",
    "RT_A_LD",     "RT_B_LD",   "AF_MethodA_LD", "AF_MethodB_LD", "AF_Count_LD", "AF_Line1_LD",
    "AF_Line2_LD", "GT_LD",
};

TEST_F(Lyn1RdsDataTest, OpensStreamsDecodesTheStationAndStopsOnClose)
{
    ASSERT_TRUE(start());
    frame->RackCaption = "Rack1";
    openWindow();
    EXPECT_EQ(window->objectName(), "Rack1_LYN1_RDSData");
    EXPECT_EQ(window->windowTitle(), " Rack1  RDS Data");
    EXPECT_EQ(window->PageControl1->count(), 3);
    EXPECT_TRUE(window->PageControl1->isTabVisible(0));
    EXPECT_FALSE(window->PageControl1->isTabVisible(1));
    EXPECT_FALSE(window->PageControl1->isTabVisible(2));
    for (const char* name : AllFields) {
        ASSERT_NE(window->findChild<QLabel*>(name), nullptr) << name;
        EXPECT_FALSE(yellow(name)) << name << " before any group";
    }
    EXPECT_EQ(text("PS_LD"), "*       ");
    ASSERT_TRUE(tickUntil([&] { return commandCount("\x08\x01") == 1; }, 20));

    stream(12);
    EXPECT_EQ(text("PI_Call_LD"), "KVEX");
    EXPECT_EQ(text("PI_Hex_LD"), "47F3");
    EXPECT_EQ(text("PS_LD"), "KVEX FM ");
    EXPECT_EQ(text("PTY_S_LD"), "ROCK    ");
    EXPECT_EQ(text("RT_A_LD"),
              QString("NOW PLAYING: THE NIGHT SHIFT - ALL NIGHT LONG").leftJustified(64));
    EXPECT_EQ(text("RT_B_LD"), QString("KVEX 98.3 FM - THE ROCK OF THE VALLEY").leftJustified(64));
    EXPECT_EQ(text("Time_LD"), "10:30 PM");
    EXPECT_EQ(text("Date_LD"), "05/31/25");
    EXPECT_EQ(text("AF_Count_LD"), "05");
    EXPECT_TRUE(text("AF_Line1_LD").startsWith(" 98.3 101.1 95.7 103.5 88.1"));
    EXPECT_TRUE(text("GT_LD").startsWith(" 0A 1A 2A 4A 5A 6B 7A 10A 14A"))
        << qPrintable(text("GT_LD"));
    for (const char* name : {"PI_Call_LD", "PS_LD", "PTY_S_LD", "RT_A_LD", "RT_B_LD", "Time_LD",
                             "Date_LD", "AF_MethodA_LD", "AF_Line1_LD", "GT_LD", "PTYN_LD"})
        EXPECT_TRUE(yellow(name)) << name;
    EXPECT_FALSE(yellow("AF_MethodB_LD"));

    window->close();
    pump(5);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(owner.closed, 1);
    ASSERT_TRUE(tickUntil([&] { return commandCount(QByteArray("\x08\x00", 2)) == 1; }, 20));
    EXPECT_FALSE(sim->unit.rdsStreaming());

    openWindow(); // a new window starts from nothing
    EXPECT_EQ(text("PS_LD"), "*       ");
    EXPECT_FALSE(yellow("PI_Call_LD"));
    ASSERT_TRUE(tickUntil([&] { return commandCount("\x08\x01") == 2; }, 20));
    window->close();
}

TEST_F(Lyn1RdsDataTest, APairInOneWriteIsWalkedWholeAndOnce)
{
    ASSERT_TRUE(start(2));
    std::vector<RdsScript::Group> twelve;
    for (int t = 0; t < 12; ++t)
        twelve.push_back({0x47F3, quint16(t << 11), 0, 0});
    sim->unit.rds.groups = twelve;
    sim->unit.rds.liveClock = false;
    openWindow();
    ASSERT_TRUE(tickUntil([&] { return sim->unit.rdsStreaming(); }, 20));
    frame->RdsQueue.clear();
    sim->unit.rds =
        *RdsScript::fromText("47F3 0000 0000 0000\n47F3 0800 0000 0000\n47F3 1000 0000 0000\n"
                             "47F3 1800 0000 0000\n47F3 2000 0000 0000\n47F3 2800 0000 0000\n"
                             "47F3 3000 0000 0000\n47F3 3800 0000 0000\n47F3 4000 0000 0000\n"
                             "47F3 4800 0000 0000\n47F3 5000 0000 0000\n47F3 5800 0000 0000\n");
    const qint64 before = window->decoder().entriesFed();
    const int sent = sim->unit.blocksSent();
    // Both halves of one pair arrive in one write and are cut in one tick.
    ASSERT_TRUE(tickUntil([&] { return sim->unit.blocksSent() >= sent + 2; }, 40));
    ticks(2);
    PostMessage(window, UM_RDS_GROUPS);
    PostMessage(window, UM_RDS_GROUPS);
    pump(5);
    const qint64 walked = window->decoder().entriesFed() - before;
    EXPECT_EQ(walked % 12, 0);
    EXPECT_GE(walked, 12);
    EXPECT_EQ(window->decoder().seenTypes() & 0xFFF, 0xFFFu) << "no half lost";
    EXPECT_EQ(frame->RdsQueue.size(), 0);
    window->close();
}

TEST_F(Lyn1RdsDataTest, TheStationOverASerialLine)
{
    ASSERT_TRUE(start(1, trSerial));
    openWindow();
    stream(12);
    EXPECT_EQ(text("PS_LD"), "KVEX FM ");
    EXPECT_EQ(text("AF_Count_LD"), "05");
    window->close();
    ASSERT_TRUE(tickUntil([&] { return commandCount(QByteArray("\x08\x00", 2)) == 1; }, 20));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(Lyn1RdsDataTest, TheWindowsDecoderFollowsPagingOtherNetworkAndData)
{
    ASSERT_TRUE(start(4));
    openWindow();
    stream(40);
    const TRdsDecoder& d = window->decoder();
    EXPECT_EQ(d.eon().OnPs, "KVEX AM ");
    EXPECT_EQ(d.paging().TenDone, "1234567890");
    EXPECT_EQ(d.pagingFields().PagingInterval, 10);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(d.tdc().channel(2).aText.data()), 4),
              "DATA");
    // The Basic page reads as before, with the 1A fields.
    EXPECT_EQ(text("PS_LD"), "KVEX FM ");
    EXPECT_EQ(text("PI_Call_LD"), "KVEX");
    EXPECT_EQ(text("ECC_LD"), "A0");
    EXPECT_EQ(text("AF_Count_LD"), "05");
    window->close();
    pump(5);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(Lyn1RdsDataTest, FaultsLeaveNothingBroken)
{
    ASSERT_TRUE(start());
    openWindow();
    stream(6);
    ASSERT_EQ(text("PI_Call_LD"), "KVEX");

    // A group under another PI: the station restarts, then comes back.
    sim->unit.rds.injectPi = 0x9950;
    stream(1);
    stream(12);
    EXPECT_EQ(text("PI_Call_LD"), "KVEX");

    // The module sends only empty entries: after six the window forgets.
    sim->unit.rds.emptyEntries = true;
    stream(2);
    EXPECT_EQ(text("PS_LD"), "*       ");
    EXPECT_FALSE(yellow("PI_Hex_LD"));
    sim->unit.rds.emptyEntries = false;

    // Random words.
    std::vector<RdsScript::Group> noise;
    quint32 x = 12345;
    for (int i = 0; i < 60; ++i) {
        RdsScript::Group g;
        for (quint16& w : g) {
            x = x * 1103515245u + 12345u;
            w = quint16(x >> 16);
        }
        noise.push_back(g);
    }
    sim->unit.rds.groups = noise;
    sim->unit.rds.liveClock = false;
    stream(10);
    EXPECT_EQ(text("RT_A_LD").size(), 64);
    EXPECT_EQ(text("AF_Line1_LD").size(), 72);
    EXPECT_EQ(text("PS_LD").size(), 8);

    // The link drops with the window open: the frame goes first, then a late message.
    frame.reset();
    PostMessage(window, UM_RDS_GROUPS);
    pump(5);
    ASSERT_FALSE(window.isNull());
    window->close();
    pump(5);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace
