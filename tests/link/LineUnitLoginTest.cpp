#include "link/LineUnitLinkSupport.h"

#include <QTimer>
#include <gtest/gtest.h>

// The login steps the HD and Tavr1 links share, for both families: the same
// prompt, password and identification waits on the tick seam, each ending in
// the family's own line.

namespace {

template <class Texts>
class LineUnitLoginTest : public TLineUnitFamilyTest<Texts>
{};

TYPED_TEST_SUITE(LineUnitLoginTest, TLineUnitFamilies, TLineUnitFamilyNames);

} // namespace

TYPED_TEST(LineUnitLoginTest, AWrongPasswordEndsTheLogin)
{
    auto& sim = this->sim;
    sim.password = "OTHER";
    auto f = this->connect(trNetwork);
    ASSERT_TRUE(this->tickUntil(
        *f, [&] { return f->Status == stError; }, 20));
    const QStringList errors = this->linesOf("ERROR");
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].endsWith(QString("<Connect1>   ") + TypeParam::invalidPassword));
    EXPECT_EQ(f->ProcessState, 0u);
    ASSERT_TRUE(sim.waitForLine("EC"));
    const QList<QByteArray> lines = sim.receivedLines();
    EXPECT_EQ(lines.mid(lines.size() - 2), (QList<QByteArray>{"", "EC"}));
}

// The time-outs count ticks, so the test runs them without waiting.
TYPED_TEST(LineUnitLoginTest, ASilentPromptIsAskedAgainThenGivenUp)
{
    auto& sim = this->sim;
    sim.answerPrompt = false;
    auto f = this->connect(trNetwork);
    ASSERT_TRUE(this->tickUntil(
        *f, [&] { return f->LoginStep == 2; }, 5, 0));
    for (int tick = 1; tick <= 24; ++tick)
        f->Timer1Timer();
    pump(50);
    EXPECT_EQ(sim.receivedLines(), (QList<QByteArray>{"HD", "SC"}));
    f->Timer1Timer(); // tick 25
    EXPECT_TRUE(sim.waitUntil([&] { return sim.receivedLines().count("SC") == 2; }, 2000));
    EXPECT_EQ(sim.receivedLines().mid(2), (QList<QByteArray>{"", "SC"}));
    for (int tick = 26; tick <= 30; ++tick)
        f->Timer1Timer();
    EXPECT_EQ(f->Status, stConnecting);
    f->Timer1Timer(); // tick 31
    EXPECT_EQ(f->Status, stError);
    EXPECT_EQ(f->ProcessState, 0u);
    ASSERT_EQ(this->linesOf("ERROR").size(), 1);
    EXPECT_TRUE(this->linesOf("ERROR").value(0).endsWith(TypeParam::noPrompt));
}

TYPED_TEST(LineUnitLoginTest, APromptAnsweredOnTheResendTickIsNotTimedOut)
{
    auto& sim = this->sim;
    sim.prompt = SimLineUnit::Prompt::ValidClassic;
    sim.answerPrompt = false;
    auto f = this->connect(trNetwork);
    ASSERT_TRUE(this->tickUntil(
        *f, [&] { return f->LoginStep == 2; }, 5, 0));
    for (int tick = 1; tick <= 24; ++tick)
        f->Timer1Timer();
    sim.answerPrompt = true;
    sim.send(TypeParam::validPrompt);
    pump(80);
    f->Timer1Timer(); // tick 25 matches: no resend, no slow-down
    EXPECT_EQ(f->LoginStep, 4u);
    pump(50);
    EXPECT_EQ(sim.receivedLines().count("SC"), 1);
    EXPECT_EQ(f->Timer1->interval(), 100);
}

TYPED_TEST(LineUnitLoginTest, ALevelInTheEleventhTickIsTooLate)
{
    auto& sim = this->sim;
    sim.answerPassword = false;
    auto f = this->connect(trNetwork);
    ASSERT_TRUE(this->tickUntil(
        *f, [&] { return f->LoginStep == 3; }, 10));
    for (int i = 0; i < 10; ++i)
        f->Timer1Timer();
    sim.send("SUPERVISOR\r");
    pump(80);
    f->Timer1Timer();
    EXPECT_EQ(f->Status, stError);
    ASSERT_EQ(this->linesOf("ERROR").size(), 1);
    EXPECT_TRUE(this->linesOf("ERROR").value(0).endsWith(TypeParam::noLevel));
}

TYPED_TEST(LineUnitLoginTest, NoLevelAnswerIsAFailure)
{
    auto& sim = this->sim;
    sim.answerPassword = false;
    auto f = this->connect(trNetwork);
    ASSERT_TRUE(this->tickUntil(
        *f, [&] { return f->LoginStep == 3; }, 10));
    for (int i = 0; i < 11; ++i)
        f->Timer1Timer();
    EXPECT_EQ(f->Status, stError);
    EXPECT_TRUE(this->linesOf("ERROR").value(0).endsWith(TypeParam::noLevel));
}

TYPED_TEST(LineUnitLoginTest, AMissingIdentificationIsAskedAgainThenGivenUp)
{
    auto& sim = this->sim;
    sim.answerIdentification = false;
    auto f = this->connect(trNetwork);
    ASSERT_TRUE(this->tickUntil(
        *f, [&] { return f->LoginStep == 5; }, 10));
    sim.clearReceived();
    for (int i = 0; i < 25; ++i)
        f->Timer1Timer();
    EXPECT_TRUE(sim.waitForLine("UI")) << "asked again at tick 25";
    EXPECT_EQ(sim.receivedLines(), (QList<QByteArray>{"", "UI"}));
    for (int i = 0; i < 25; ++i)
        f->Timer1Timer();
    EXPECT_EQ(f->Status, stConnecting);
    f->Timer1Timer(); // tick 51
    EXPECT_EQ(f->Status, stError);
    ASSERT_EQ(this->linesOf("ERROR").size(), 1);
    EXPECT_TRUE(this->linesOf("ERROR").value(0).endsWith(TypeParam::noIdentification));
}

// Neither unit answers a modem's dialogue: a connection set to MODEM is
// closed at once with the family's line, and nothing is sent to the unit.
TYPED_TEST(LineUnitLoginTest, AModemConnectionIsRefusedWithTheFamilysLine)
{
    auto f = this->connect(trModem);
    ASSERT_TRUE(this->tickUntil(
        *f, [&] { return f->Status == stError; }, 5));
    const QStringList errors = this->linesOf("ERROR");
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].endsWith(QString("<Connect1>   ") + TypeParam::modemRefusal)) << errors[0].toStdString();
    EXPECT_FALSE(f->PortOpen);
    pump(50);
    EXPECT_TRUE(this->sim.receivedLines().isEmpty());
}
