#include "link/RackLinkSupport.h"

using RackPasswordTest = RackLinkFixture;

namespace {
const QByteArray crlfEnd = "\r\n";
}

TEST_F(RackPasswordTest, TheWholeDialogueChangesTheRacksPassword)
{
    ASSERT_TRUE(open(trNetwork));
    ASSERT_TRUE(polling());
    frame->NewPassword = "NEWPW1";
    frame->StartPasswordChange();
    ASSERT_EQ(frame->ProcessState, 5u);
    bool sawPassword = false;
    ASSERT_TRUE(tickUntil(
        [&] {
            sawPassword |= frame->Status == stPassword;
            return frame->ProcessState == 4;
        },
        60));
    EXPECT_TRUE(sawPassword);
    pump(60);
    const QList<QByteArray> cmds = sim->unit.commands();
    const qsizetype at = cmds.lastIndexOf(op(0x03));
    ASSERT_GE(at, 0);
    EXPECT_EQ(cmds.mid(at, 6), (QList<QByteArray>{op(0x03), op(0x06), fe("3"), fe("NEWPW1"),
                                                  fe("NEWPW1"), op(0x04)}));
    EXPECT_TRUE(logged("STATUS", " QEL Succesful Password Change"));
    EXPECT_EQ(sim->unit.passwords.value(3), "NEWPW1");
    EXPECT_EQ(frame->DevicePassword, "QUMOR7");
    // Polling goes on.
    const int polls = sim->unit.polls();
    ASSERT_TRUE(tickUntil([&] { return sim->unit.polls() > polls; }, 40));
}

TEST_F(RackPasswordTest, AnOperatorIsRefusedAndPollingResumes)
{
    ASSERT_TRUE(open(trNetwork));
    frame->DevicePassword = "OPER";
    ASSERT_TRUE(polling());
    EXPECT_EQ(frame->AccessLevel, 2);
    frame->NewPassword = "NEWPW1";
    frame->StartPasswordChange();
    ASSERT_TRUE(tickUntil([&] { return frame->ProcessState == 4; }, 40));
    EXPECT_TRUE(logged("ERROR", " Must be VAILD SUPERVISOR to change password"));
    pump(60);
    EXPECT_EQ(sim->unit.commands().mid(sim->unit.commands().lastIndexOf(op(0x06)), 2),
              (QList<QByteArray>{op(0x06), op(0x04)}));
    const int polls = sim->unit.polls();
    ASSERT_TRUE(tickUntil([&] { return sim->unit.polls() > polls; }, 40));
    EXPECT_EQ(sim->unit.passwords.value(3), "QUMOR7");
}

TEST_F(RackPasswordTest, ASilentStepIsAskedOnceMoreThenGivenUp)
{
    ASSERT_TRUE(open(trNetwork));
    ASSERT_TRUE(loggedIn());
    sim->unit.silence = RackUnit::Silence::PasswordChange;
    frame->NewPassword = "NEWPW1";
    frame->StartPasswordChange();
    frame->Timer1Timer(); // 03 FE
    frame->Timer1Timer(); // 06 FE
    pump(60);
    int tick = 0, resends = 0;
    while (frame->ProcessState == 5 && tick < 40) {
        frame->Timer1Timer();
        ++tick;
        if (frame->PasswordStep == 1) {
            ++resends;
            EXPECT_EQ(tick, 5);
        }
        pump(3);
    }
    EXPECT_EQ(resends, 1);
    EXPECT_EQ(tick, 12); // eleven waiting ticks and the resend
    EXPECT_EQ(frame->Status, stError);
    EXPECT_TRUE(logged("ERROR", " QEL Hardware not responding check settings "));
    pump(60);
    EXPECT_EQ(sim->unit.commands().count(op(0x06)), 2);
    EXPECT_EQ(sim->unit.commands().last(), op(0x02));
}

// Bytes that would break the framing never reach the rack.
TEST_F(RackPasswordTest, FramingBytesAreLeftOutOfPasswords)
{
    ASSERT_TRUE(open(trNetwork));
    ASSERT_TRUE(loggedIn());
    sim->unit.silence = RackUnit::Silence::Polls;
    frame->NewPassword = QString::fromLatin1("AB\xFE" "C\xFF");
    frame->StartPasswordChange();
    ASSERT_TRUE(tickUntil([&] { return frame->ProcessState == 4; }, 60));
    EXPECT_EQ(sim->unit.passwords.value(3), "ABC");
    EXPECT_EQ(countLogLines("password byte"), 4);
}
