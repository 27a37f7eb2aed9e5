#include "link/RackLinkSupport.h"

#include "modules/Lyn1_RDSData.h"
#include "platform/UserMessages.h"
#include "protocol/rds/RdsBasicData.h"
#include "sim/rack/RackCorpus.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QTabWidget>
#include <QTemporaryDir>

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
        window = openWindowOn(owner, frame.get());
        return window;
    }
    static TRDS* openWindowOn(QWidget& panel, TFrame2* f)
    {
        TChildWindowArgs a;
        a.ownerPanel = &panel;
        a.frame = f;
        a.ownerHandle = &panel;
        return new TRDS(a);
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
    // Ticks until pred holds, the window told after every tick as its panel
    // would be.
    bool streamUntil(const std::function<bool()>& pred, int maxTicks)
    {
        for (int i = 0; i < maxTicks && !pred(); ++i) {
            ticks(1, 40);
            PostMessage(window, UM_RDS_GROUPS);
            pump(2);
        }
        return pred();
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

// A second station for a second rack: PI 5555, news, PS "OTHER FM"; paging
// interval 5 and a 10-digit message to group 34, pager 5678; another network
// "WOTH AM " under PI 6B21; transparent data "ZYXW" on channel 7.
RdsScript otherStation()
{
    constexpr quint16 Pi = 0x5555, OnPi = 0x6B21;
    auto b = [](int type, int low) { return quint16(type << 11 | 0x0400 | 1 << 5 | low); };
    auto word = [](const char* s) { return quint16(quint8(s[0]) << 8 | quint8(s[1])); };
    RdsScript s;
    for (int a = 0; a < 4; ++a)
        s.groups.push_back({Pi, b(0, 0x08 | a), 0xCDCD, word("OTHER FM" + 2 * a)});
    for (int low : {0x0, 0x2, 0x2, 0x1, 0x0, 0x1})
        s.groups.push_back({Pi, b(2, low), 0x00A1, 0x2B8F});
    s.groups.push_back({Pi, b(14, 2), 0x3456, 0x7898});
    s.groups.push_back({Pi, b(14, 3), 0x7654, 0x3210});
    for (int v = 0; v < 4; ++v)
        s.groups.push_back({Pi, b(28, 0x10 | v), word("WOTH AM " + 2 * v), OnPi});
    s.groups.push_back({Pi, b(10, 7), word("ZY"), word("XW")});
    return s;
}

QString channelText(const TRdsDataChannels& store, int n)
{
    const auto& t = store.channel(n).aText;
    return QString::fromLatin1(reinterpret_cast<const char*>(t.data()), int(t.size()));
}

// Two racks on two connections, each with its RDS window open: every window
// decodes its own connection's stream only.
TEST_F(Lyn1RdsDataTest, TwoRacksTwoWindowsEachShowOnlyItsOwnStation)
{
    ASSERT_TRUE(start(4));
    RackSim otherRack(rkFM);
    otherRack.unit.blocksPerPoll = 4;
    otherRack.unit.rds = otherStation();
    std::unique_ptr<TFrame2> otherFrame =
        RackLinkFixture::openFrame(otherRack, trNetwork, "Connect2");
    ASSERT_TRUE(waitFor([&] { return otherFrame->PortOpen; }));
    Owner otherOwner;
    otherOwner.setObjectName("Rack2_LYN1");
    QPointer<TRDS> one = openWindow();
    QPointer<TRDS> two = openWindowOn(otherOwner, otherFrame.get());

    // Both connections tick; each window hears of every unpack, as from its panel.
    auto tickBoth = [&](const std::function<bool()>& pred, int maxTicks) {
        for (int i = 0; i < maxTicks && !pred(); ++i) {
            frame->Timer1Timer();
            otherFrame->Timer1Timer();
            pump(40);
            PostMessage(one, UM_RDS_GROUPS);
            PostMessage(two, UM_RDS_GROUPS);
            pump(2);
        }
        return pred();
    };
    ASSERT_TRUE(tickBoth([&] { return otherFrame->ProcessState == 4; }, 120));
    // Each station's whole script at least three times over.
    const qint64 scriptOne = qint64(RdsScript::builtIn().groups.size());
    const qint64 scriptTwo = qint64(otherStation().groups.size());
    ASSERT_TRUE(tickBoth(
        [&] {
            return one->decoder().entriesFed() >= 3 * scriptOne &&
                   two->decoder().entriesFed() >= 3 * scriptTwo;
        },
        400));

    auto label = [](TRDS* w, const char* name) { return w->findChild<QLabel*>(name)->text(); };
    EXPECT_EQ(label(one, "PS_LD"), "KVEX FM ");
    EXPECT_EQ(label(one, "PI_Hex_LD"), "47F3");
    EXPECT_EQ(label(one, "PTY_S_LD"), "ROCK    ");
    EXPECT_EQ(label(two, "PS_LD"), "OTHER FM");
    EXPECT_EQ(label(two, "PI_Hex_LD"), "5555");
    EXPECT_EQ(label(two, "PTY_S_LD"), "NEWS    ");
    EXPECT_EQ(label(two, "ECC_LD"), "A1");
    EXPECT_EQ(label(two, "RT_A_LD"), QString(64, ' ')) << "the first station's radiotext";
    EXPECT_EQ(label(two, "AF_Count_LD"), "**");
    EXPECT_EQ(label(two, "GT_LD").trimmed(), "0A 1A 5A 7A 14A");

    const TRdsDecoder& a = one->decoder();
    const TRdsDecoder& b = two->decoder();
    EXPECT_EQ(a.paging().TenDone, "1234567890");
    EXPECT_EQ(b.paging().TenDone, "9876543210");
    EXPECT_EQ(a.paging().LastGroupCode, 12);
    EXPECT_EQ(b.paging().LastGroupCode, 34);
    EXPECT_EQ(b.paging().LastIndividualCode, 5678);
    EXPECT_EQ(a.paging().AlphaDone.left(12), "CALL STUDIO ");
    EXPECT_FALSE(b.paging().AlphaDone.contains("CALL")) << "no alphanumeric message there";
    EXPECT_EQ(a.pagingFields().PagingInterval, 10);
    EXPECT_EQ(b.pagingFields().PagingInterval, 5);
    EXPECT_EQ(a.eon().OnPs, "KVEX AM ");
    EXPECT_EQ(b.eon().OnPs, "WOTH AM ");
    EXPECT_EQ(a.eon().LastEonPi, 0x4A3C);
    EXPECT_EQ(b.eon().LastEonPi, 0x6B21);
    EXPECT_EQ(channelText(a.tdc(), 2), "DATA");
    EXPECT_EQ(channelText(a.tdc(), 7), "****");
    EXPECT_EQ(channelText(b.tdc(), 7), "ZYXW");
    EXPECT_EQ(channelText(b.tdc(), 2), "****");

    // Closing one window stops its rack's stream only; the other goes on.
    one->close();
    pump(5);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(one.isNull());
    ASSERT_TRUE(tickBoth([&] { return !sim->unit.rdsStreaming(); }, 20));
    EXPECT_TRUE(otherRack.unit.rdsStreaming());
    const qint64 fed = b.entriesFed();
    ASSERT_TRUE(tickBoth([&] { return two->decoder().entriesFed() > fed + 12; }, 40));
    EXPECT_EQ(label(two, "PS_LD"), "OTHER FM");
    EXPECT_EQ(owner.closed, 1);
    EXPECT_EQ(otherOwner.closed, 0);
    two->close();
    pump(5);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(otherOwner.closed, 1);
}

// A seed file of the RDS decoder's fuzz target: a mode byte, then groups of
// eight bytes (a part group at the end is left over).
struct RdsSeed
{
    QString name;
    int mode = 0;
    std::vector<RdsScript::Group> groups;
};

std::vector<RdsSeed> rdsSeeds(const QString& dir)
{
    std::vector<RdsSeed> out;
    const QDir folder(dir + "/RdsDecoderFuzz");
    for (const QString& name : folder.entryList(QDir::Files, QDir::Name)) {
        QFile f(folder.filePath(name));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QByteArray bytes = f.readAll();
        if (bytes.isEmpty())
            continue;
        RdsSeed seed{name, bytes[0] & 1, {}};
        for (qsizetype at = 1; at + 8 <= bytes.size(); at += 8) {
            RdsScript::Group g;
            for (int w = 0; w < 4; ++w)
                g[w] = quint16(quint8(bytes[at + 2 * w]) << 8 | quint8(bytes[at + 2 * w + 1]));
            seed.groups.push_back(g);
        }
        out.push_back(seed);
    }
    return out;
}

// Random words: first wholly random, so the PI jumps and the decoder keeps
// restarting; then under one PI (not the built-in station's), every group
// type in turn with random contents, so each decoder of the walk takes garbage.
std::vector<RdsScript::Group> randomWords(int count)
{
    std::vector<RdsScript::Group> out;
    quint32 x = 20261210;
    auto next = [&] {
        x = x * 1664525u + 1013904223u;
        return quint16(x >> 16);
    };
    for (int i = 0; i < count; ++i) {
        RdsScript::Group g{next(), next(), next(), next()};
        if (i >= count / 3) {
            g[0] = 0x1234;
            g[1] = quint16((i % 32) << 11 | (g[1] & 0x07FF));
        }
        out.push_back(g);
    }
    return out;
}

// Every byte a station sends may be garbage: the Basic page keeps its widths
// and shows nothing a label cannot print. The first fault found, or nothing.
QString unreadable(TRDS* w)
{
    const struct
    {
        const char* name;
        int width;
    } fixedWidths[] = {{"PS_LD", 8},        {"PTYN_LD", 8},  {"City_LD", 8},
                       {"RT_A_LD", 64},     {"RT_B_LD", 64}, {"AF_Line1_LD", 72},
                       {"AF_Line2_LD", 72}, {"Time_LD", 8},  {"Date_LD", 8}};
    for (const auto& f : fixedWidths) {
        const QString t = w->findChild<QLabel*>(f.name)->text();
        if (t.size() != f.width)
            return QString("%1 is %2 characters wide").arg(f.name).arg(t.size());
    }
    if (w->findChild<QLabel*>("GT_LD")->text().size() < TRdsBasicPage::GroupTypesWidth)
        return "GT_LD is too short";
    for (QLabel* l : w->findChildren<QLabel*>()) {
        const QString t = l->text();
        for (qsizetype i = 0; i < t.size(); ++i)
            if (!t[i].isPrint())
                return QString("%1 shows U+%2 at %3")
                    .arg(l->objectName())
                    .arg(int(t[i].unicode()), 4, 16, QChar('0'))
                    .arg(i);
    }
    return {};
}

TEST_F(Lyn1RdsDataTest, RandomWordsAndTheFuzzSeedsRunThroughTheWindow)
{
    ASSERT_TRUE(start(4));
    // Every tick polls: half a second passes between two looks at the clock.
    QDateTime clock(QDate(2025, 6, 1), QTime(3, 30));
    frame->Clock = [&clock] { return clock = clock.addMSecs(500); };
    openWindow();
    ASSERT_TRUE(tickUntil([&] { return sim->unit.rdsStreaming(); }, 20));

    QTemporaryDir dir;
    ASSERT_TRUE(WriteRackCorpus(dir.path()));
    std::vector<RdsSeed> streams = rdsSeeds(dir.path());
    ASSERT_GE(streams.size(), 6u);
    streams.push_back({"random words", 0, randomWords(900)});
    streams.push_back({"random words, RDS names", 1, randomWords(300)});

    // Each stream as the module's script, until the window has walked it whole.
    for (const RdsSeed& seed : streams) {
        SCOPED_TRACE(seed.name.toStdString());
        ASSERT_FALSE(seed.groups.empty());
        window->setMode(seed.mode);
        RdsScript script;
        script.groups = seed.groups;
        sim->unit.rds = script;
        // What was on its way from the script before comes first.
        const qint64 target = window->decoder().entriesFed() + qint64(seed.groups.size()) + 48;
        // Looked at after every tick, so no passing state goes unseen.
        QString fault;
        ASSERT_TRUE(streamUntil(
            [&] {
                if (fault.isEmpty())
                    fault = unreadable(window);
                return window->decoder().entriesFed() >= target;
            },
            400));
        EXPECT_TRUE(fault.isEmpty()) << qPrintable(fault);
        EXPECT_EQ(frame->RdsQueue.dropped(), 0) << "no batch lost on the way";
    }
    EXPECT_TRUE(linesOf("ERROR").isEmpty()) << "garbage in the groups is no link fault";

    // The station comes back and the window reads it as if nothing had been.
    window->setMode(0);
    sim->unit.rds = RdsScript::builtIn();
    sim->unit.rds.clock = QDateTime(QDate(2025, 6, 1), QTime(3, 30), Qt::UTC);
    const qint64 target =
        window->decoder().entriesFed() + 2 * qint64(sim->unit.rds.groups.size()) + 48;
    ASSERT_TRUE(streamUntil([&] { return window->decoder().entriesFed() >= target; }, 400));
    EXPECT_EQ(text("RT_B_LD"), QString("KVEX 98.3 FM - THE ROCK OF THE VALLEY").leftJustified(64));
    EXPECT_EQ(text("Time_LD"), "10:30 PM");
    EXPECT_EQ(text("PS_LD"), "KVEX FM ");
    EXPECT_EQ(text("PI_Call_LD"), "KVEX");
    EXPECT_EQ(text("RT_A_LD"),
              QString("NOW PLAYING: THE NIGHT SHIFT - ALL NIGHT LONG").leftJustified(64));
    EXPECT_EQ(window->decoder().eon().OnPs, "KVEX AM ");
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
