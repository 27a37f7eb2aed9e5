#include "models/Tavr1AlarmRelayRows.h"

#include <gtest/gtest.h>

TEST(Tavr1AlarmRelayRows, ItemsAndCodesOfEachAlarm)
{
    EXPECT_EQ(Tavr1AlarmThresholdItem(1), 116);
    EXPECT_EQ(Tavr1AlarmTimeItem(1), 117);
    EXPECT_EQ(Tavr1AlarmActionItem(14), 157);
    EXPECT_EQ(Tavr1AlarmCodeOf(Tavr1AlarmActionItem(1)), 116);
    // Each variant's own codes for a row are the row's items minus 2, unless
    // the row edits a setting (plain variant) or edits nothing.
    const auto& rows = Tavr1AlarmRows();
    for (int n = 1; n <= Tavr1AlarmCount; ++n) {
        SCOPED_TRACE(n);
        const TTavr1AlarmRow& r = rows[size_t(n - 1)];
        EXPECT_EQ(r.trap.thresholdCode, Tavr1AlarmCodeOf(Tavr1AlarmThresholdItem(n)));
        EXPECT_EQ(r.trap.timeCode, Tavr1AlarmCodeOf(Tavr1AlarmTimeItem(n)));
        if (r.settingsItem < 0 && !r.thresholdNotShown) {
            EXPECT_EQ(r.plain.thresholdCode, r.trap.thresholdCode);
        }
        EXPECT_EQ(r.plain.timeCode, r.fixedTimeText ? -1 : r.trap.timeCode);
    }
    // The plain window edits the settings behind rows 6 and 11..14, with
    // their SCA channel.
    const struct
    {
        int n, item, code, channel;
    } settings[] = {
        {6, 11, 22, 0}, {11, 87, 33, 0}, {12, 83, 31, 0}, {13, 88, 33, 1}, {14, 84, 31, 1}};
    for (const auto& s : settings) {
        const TTavr1AlarmRow& r = rows[size_t(s.n - 1)];
        EXPECT_EQ(r.settingsItem, s.item) << s.n;
        EXPECT_EQ(r.plain.thresholdCode, s.code) << s.n;
        EXPECT_EQ(r.plain.thresholdB3, s.channel) << s.n;
    }
    EXPECT_EQ(rows[9].plain.thresholdCode, -1);
    EXPECT_EQ(rows[9].trap.max, 15);
    EXPECT_EQ(rows[9].plain.max, 1500);
}

TEST(Tavr1AlarmRelayRows, ThresholdAndTimeTexts)
{
    EXPECT_EQ(Tavr1AlarmThresholdText(1, -600), "-60.0 dB");
    EXPECT_EQ(Tavr1AlarmThresholdText(6, 850), " 85.0 %");
    EXPECT_EQ(Tavr1AlarmThresholdText(5, 0), "  0.0 %");
    EXPECT_EQ(Tavr1AlarmThresholdText(10, 7), "  N/A ");
    EXPECT_EQ(Tavr1AlarmTimeText(1, 5), "  5.0 sec");
    EXPECT_EQ(Tavr1AlarmTimeText(6, 5), "  N/A   ");
    EXPECT_EQ(Tavr1AlarmTimeText(12, 5), "  N/A ");
    EXPECT_EQ(Tavr1AlarmTimeText(14, 5), "  N/A  ");
    EXPECT_EQ(Tavr1AlarmSecondsText(600), "600.0 sec");
    // Out of the window's rows: nothing, never a read past the table.
    EXPECT_EQ(Tavr1AlarmThresholdText(0, 1), QString());
    EXPECT_EQ(Tavr1AlarmTimeText(15, 1), QString());
}

TEST(Tavr1AlarmRelayRows, ThresholdPositionIsTheSignedLowWord)
{
    EXPECT_EQ(Tavr1AlarmThresholdPosition(-600), -600);
    EXPECT_EQ(Tavr1AlarmThresholdPosition(0x0001FFFF), -1);
    EXPECT_EQ(Tavr1AlarmThresholdPosition(0x00008000), -32768);
    EXPECT_EQ(Tavr1AlarmThresholdPosition(1500), 1500);
}

TEST(Tavr1AlarmRelayRows, LampColourFromTheTwoMaskWords)
{
    const struct
    {
        quint16 first, second;
        int n;
        TAlarmLamp lamp;
    } cases[] = {
        {0x0000, 0x0000, 1, TAlarmLamp::Lime},   {0x0001, 0x0000, 1, TAlarmLamp::Red},
        {0x0000, 0x0001, 1, TAlarmLamp::Yellow}, {0x0001, 0x0001, 1, TAlarmLamp::Yellow},
        {0x2000, 0x0000, 14, TAlarmLamp::Red},   {0x0000, 0x2000, 14, TAlarmLamp::Yellow},
        {0xDFFF, 0x0000, 14, TAlarmLamp::Lime},  {0x0002, 0x0001, 2, TAlarmLamp::Red},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Tavr1AlarmLamp({c.first, c.second}, c.n), c.lamp)
            << c.first << " " << c.second << " alarm " << c.n;
}

TEST(Tavr1AlarmRelayRows, ListIndicesOfTheActionByte)
{
    using L = TAlarmList;
    const auto trap = TAlarmVariant::Trap;
    const auto plain = TAlarmVariant::Plain;
    // Trap and display both set: both lists show " Y".
    EXPECT_EQ(Tavr1AlarmListIndex(L::Display, trap, 0xC0), 1);
    EXPECT_EQ(Tavr1AlarmListIndex(L::Trap, trap, 0xC0), 1);
    EXPECT_EQ(Tavr1AlarmListIndex(L::Relay, trap, 0x5B), 3);
    EXPECT_EQ(Tavr1AlarmListIndex(L::Email, trap, 0x5B), 3);
    // The plain window reads bits 6-7 together: 0x80 and 0xC0 name no entry.
    EXPECT_EQ(Tavr1AlarmListIndex(L::Display, plain, 0x40), 1);
    EXPECT_EQ(Tavr1AlarmListIndex(L::Display, plain, 0x80), 2);
    EXPECT_EQ(Tavr1AlarmListIndex(L::Display, plain, 0xC0), 3);
}

TEST(Tavr1AlarmRelayRows, EachListChangesOnlyItsBits)
{
    using L = TAlarmList;
    const auto trap = TAlarmVariant::Trap;
    const auto plain = TAlarmVariant::Plain;
    const struct
    {
        L list;
        TAlarmVariant v;
        qint32 action;
        int index;
        qint32 result;
    } cases[] = {
        {L::Relay, trap, 0xFF, 2, 0xFA},
        {L::Relay, plain, 0xC0, 4, 0xC4},
        {L::Email, trap, 0xFF, 1, 0xCF},
        {L::Email, plain, 0x87, 4, 0xA7},
        {L::Display, trap, 0x80, 1, 0xC0},
        {L::Display, trap, 0xFF, 0, 0xBF},
        {L::Trap, trap, 0x7F, 1, 0xFF},
        {L::Trap, trap, 0xFF, 0, 0x7F},
        // The plain window's display choice clears the trap bit.
        {L::Display, plain, 0x80, 1, 0x40},
        {L::Display, plain, 0xBF, 0, 0x3F},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Tavr1AlarmActionWith(c.list, c.v, c.action, c.index), c.result)
            << int(c.list) << " " << c.action << " " << c.index;
    }
}
