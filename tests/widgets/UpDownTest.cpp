#include "widgets/UpDown.h"
#include "widgets/RadioGroup.h"

#include <QRadioButton>
#include <QSignalSpy>
#include <QToolButton>
#include <gtest/gtest.h>

// Only the user's clicks may signal: a window that sets positions while it
// copies the unit's values must not send a command.
TEST(UpDown, ProgrammaticChangesAreSilentAndClamped)
{
    UpDown u;
    QSignalSpy spy(&u, &UpDown::clicked);
    u.setRange(10, 70);
    EXPECT_EQ(u.position(), 10) << "clamped into the new range";
    u.setPosition(500);
    EXPECT_EQ(u.position(), 70);
    u.setPosition(-5);
    EXPECT_EQ(u.position(), 10);
    u.setPosition(40);
    u.setRange(0, 30);
    EXPECT_EQ(u.position(), 30);
    u.setRange(5, 2);
    EXPECT_EQ(u.maximum(), 5) << "an empty range is the minimum alone";
    EXPECT_EQ(spy.count(), 0);
}

TEST(UpDown, ClicksStepByTheIncrementAndSignalTheNewPosition)
{
    UpDown u;
    u.setRange(0, 1500);
    u.setIncrement(10);
    u.setPosition(1495);
    QSignalSpy spy(&u, &UpDown::clicked);
    u.stepDown();
    u.findChild<QToolButton*>("Up")->click();
    u.findChild<QToolButton*>("Up")->click(); // past the maximum: clamped
    ASSERT_EQ(spy.count(), 3);
    EXPECT_EQ(spy[0][0].toInt(), 1485);
    EXPECT_EQ(spy[1][0].toInt(), 1495);
    EXPECT_EQ(spy[2][0].toInt(), 1500);
    u.stepUp(); // at the end: nothing moves, nothing is sent
    EXPECT_EQ(spy.count(), 3);

    u.setIncrement(0);
    EXPECT_EQ(u.increment(), 1);
    u.setEnabled(false);
    u.stepDown();
    EXPECT_EQ(spy.count(), 3) << "a disabled control takes no click";
    EXPECT_EQ(u.position(), 1500);
}

TEST(RadioGroup, OnlyAClickSignalsAndAnUnknownIndexChoosesNone)
{
    RadioGroup g(" Units ", {"  %", " kHz"});
    QSignalSpy spy(&g, &RadioGroup::clicked);
    EXPECT_EQ(g.itemIndex(), -1);
    g.setItemIndex(1);
    EXPECT_EQ(g.itemIndex(), 1);
    g.setItemIndex(2);
    EXPECT_EQ(g.itemIndex(), -1);
    EXPECT_FALSE(g.button(0)->isChecked());
    EXPECT_FALSE(g.button(1)->isChecked());
    g.setItemIndex(0);
    EXPECT_EQ(spy.count(), 0);

    g.button(1)->click();
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy[0][0].toInt(), 1);
    EXPECT_EQ(g.itemIndex(), 1);
    EXPECT_EQ(g.title(), " Units ");
    EXPECT_EQ(g.button(0)->text(), "  %");
}

TEST(UpDown, WrapCarriesAStepPastOneEndToTheOther)
{
    UpDown u;
    u.setRange(875, 1079);
    u.setIncrement(2);
    u.setPosition(1079);
    QSignalSpy spy(&u, &UpDown::clicked);
    u.stepUp();
    EXPECT_EQ(u.position(), 1079) << "without wrap the end holds";
    u.setWrap(true);
    u.stepUp();
    EXPECT_EQ(u.position(), 875);
    u.stepDown();
    EXPECT_EQ(u.position(), 1079);
    u.stepDown();
    EXPECT_EQ(u.position(), 1077) << "inside the range a step is a step";
    ASSERT_EQ(spy.count(), 3);
    EXPECT_EQ(spy[0][0].toInt(), 875);
    EXPECT_EQ(spy[1][0].toInt(), 1079);

    u.setRange(0, 0);
    u.stepUp();
    EXPECT_EQ(spy.count(), 3) << "a one-value range has nowhere to go";
}
