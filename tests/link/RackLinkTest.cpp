#include "link/RackLinkSupport.h"

#include "common/TDateTime.h"
#include "link/RackLink.h"

#include <QPushButton>
#include <QTreeWidget>

namespace {

class RackLoginTest : public RackLinkFixture, public ::testing::WithParamInterface<int>
{
};

} // namespace

// One table of prompts and levels, over TCP and a pseudo-terminal.
TEST_P(RackLoginTest, EachPromptAndLevelReachesPolling)
{
    struct Case
    {
        const char* name;
        RackUnit::Prompt prompt;
        QByteArray password;
        QByteArray controller;
        QByteArray sentPassword; // empty: none sent
        int level;
        bool sProtocol;
    };
    const QByteArray s0(1, '\0');
    const Case cases[] = {
        {"PASSWORD", RackUnit::Prompt::Password, "QUMOR7", "Nuva1", "QUMOR7", 3, false},
        {"SPASSWORD", RackUnit::Prompt::SPassword, "QUMOR7", "Kelb1", s0 + "QUMOR7", 3, true},
        {"VALID", RackUnit::Prompt::Valid, "", "Nuva1", "", 3, false},
        {"SVALID", RackUnit::Prompt::SValid, "", "Nuva1", "", 3, true},
        {"OPERATOR", RackUnit::Prompt::Password, "OPER", "Nuva1", "OPER", 2, false},
        {"OBSERVER", RackUnit::Prompt::Password, "OBSERV", "Nuva1", "OBSERV", 1, false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        log.clear();
        RackSim& s = makeSim();
        s.unit.prompt = k.prompt;
        s.unit.controller = k.controller;
        s.unit.stamp = QDateTime(QDate(2025, 3, 4), QTime(5, 6, 7));
        ASSERT_TRUE(open(GetParam()));
        frame->DevicePassword = QString::fromLatin1(k.password.isEmpty() ? "QUMOR7" : k.password);
        ASSERT_TRUE(polling());

        QList<QByteArray> expected = {op(0x03), op(0x01)};
        if (!k.sentPassword.isEmpty())
            expected << fe(k.sentPassword);
        expected << op(0x07) << op(0x04) << QByteArray(1, char(0xFF));
        EXPECT_EQ(s.unit.commands().mid(0, expected.size()), expected);
        EXPECT_TRUE(logged("STATUS", " QEL Succesful Connection"));
        EXPECT_EQ(frame->AccessLevel, k.level);
        EXPECT_EQ(frame->ReadOnlyAccess, k.level == 1);
        EXPECT_EQ(frame->SProtocol, k.sProtocol);
        EXPECT_EQ(frame->Timer1->interval(), 50);
        EXPECT_EQ(frame->Status, stActive);
        EXPECT_EQ(TFrame2::StatusText(frame->Status, frame->BlocksSinceDisplay), " Active ");
        const QByteArray current = frame->BlockSlots[CurrentRackBlockSlot];
        ASSERT_EQ(current.size(), 108);
        EXPECT_EQ(current, frame->BlockSlots[RackRingFirstSlot + frame->BlockRingIndex]);
        if (k.sProtocol) {
            EXPECT_EQ(frame->LastBlockTime, s.unit.stamp);
            EXPECT_EQ(current.right(8), s.unit.lastStampBytes());
        }
        EXPECT_TRUE(linesOf("ERROR").isEmpty()) << linesOf("ERROR").join('\n').toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(BothTransports, RackLoginTest, ::testing::Values(trNetwork, trSerial),
                         [](const auto& info) {
                             return info.param == trNetwork ? "Tcp" : "Pty";
                         });

using RackLinkTest = RackLinkFixture;

TEST_F(RackLinkTest, AWrongPasswordSaysGoodbye)
{
    ASSERT_TRUE(open(trNetwork));
    frame->DevicePassword = "WRONG";
    ASSERT_TRUE(tickUntil([&] { return frame->Status == stError; }, 60));
    const QString text = " QEL INVAILD PASSWORD             ";
    EXPECT_EQ(text.size(), 34);
    EXPECT_TRUE(logged("ERROR", text));
    EXPECT_EQ(frame->ProcessState, 0u);
    pump(100);
    const QList<QByteArray> cmds = sim->unit.commands();
    ASSERT_GE(cmds.size(), 2);
    EXPECT_EQ(cmds.mid(cmds.size() - 2), (QList<QByteArray>{op(0xFE).left(1), op(0x02)}));
    EXPECT_EQ(TFrame2::StatusText(frame->Status, 0), "Error");
}

// The waits, on the tick seam: the rack answers nothing.
TEST_F(RackLinkTest, SilentStepsAreAskedAgainThenGivenUp)
{
    struct Case
    {
        const char* name;
        RackUnit::Silence silence;
        int resendTick;      // 0: no resend
        QByteArray resent;   // what follows the FE of the resend
        int failTick;
        const char* message;
    };
    const Case cases[] = {
        {"prompt", RackUnit::Silence::Prompt, 25, op(0x01), 31,
         " QEL Hardware not responding check settings "},
        {"password", RackUnit::Silence::Password, 0, {}, 11, " QEL password verification failed "},
        {"identification", RackUnit::Silence::Identification, 25, op(0x07), 51,
         " QEL hardware not responding"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        log.clear();
        makeSim().unit.silence = k.silence;
        ASSERT_TRUE(open(trNetwork));
        // Up to the waiting step, with time for the rack's answers.
        const quint32 waitStep = k.silence == RackUnit::Silence::Prompt           ? 2
                                 : k.silence == RackUnit::Silence::Password        ? 3
                                                                                   : 5;
        ASSERT_TRUE(tickUntil([&] { return frame->LoginStep == waitStep; }, 20));
        int tick = 0;
        while (frame->ProcessState == 3 && tick < 200) {
            const int before = int(sim->unit.commands().size());
            frame->Timer1Timer();
            ++tick;
            pump(3);
            if (k.resendTick && tick == k.resendTick) {
                waitFor([&] { return sim->unit.commands().size() >= before + 2; }, 1000);
                EXPECT_EQ(sim->unit.commands().mid(before),
                          (QList<QByteArray>{QByteArray(1, char(0xFE)), k.resent}));
                if (k.silence == RackUnit::Silence::Prompt) {
                    EXPECT_EQ(frame->Timer1->interval(), 1000);
                }
            }
        }
        EXPECT_EQ(tick, k.failTick);
        EXPECT_EQ(frame->Status, stError);
        EXPECT_TRUE(logged("ERROR", k.message));
        pump(50);
        EXPECT_EQ(sim->unit.commands().last(), op(0x02));
    }
}

TEST_F(RackLinkTest, AGarbageStampGivesThePcTimeAndIsKeptAsReceived)
{
    makeSim().unit.prompt = RackUnit::Prompt::SValid;
    ASSERT_TRUE(open(trNetwork));
    ASSERT_TRUE(loggedIn());
    sim->unit.silence = RackUnit::Silence::Polls;
    frame->Clock = [] { return QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)); };
    QByteArray block = sim->unit.records.recordBlock(sim->unit.records.nextRecord(), 0xFC);
    const QByteArray garbage("\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 8); // NaN
    sim->send(block + garbage);
    ASSERT_TRUE(tickUntil([&] { return frame->BlockRingIndex != 0; }, 20));
    EXPECT_EQ(frame->LastBlockTime, QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)));
    EXPECT_EQ(frame->BlockSlots[CurrentRackBlockSlot].right(8), garbage);
}
