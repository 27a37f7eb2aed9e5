#include "models/Vren1AlarmRows.h"

#include <gtest/gtest.h>

namespace {

TEST(Vren1AlarmRows, IdsTextsAndSignedThresholds)
{
    EXPECT_EQ(Vren1AlarmThresholdId(1), 101);
    EXPECT_EQ(Vren1AlarmActionId(23), 169);
    EXPECT_EQ(Vren1AlarmItemOf(Vren1AlarmTimeId(4)), 103);
    EXPECT_EQ(Vren1AlarmRows()[11].label, QString("Loss of HD1 L+R"));
    EXPECT_EQ(Vren1AlarmRows()[18].label, QString("Loss of HD8 L+R"));

    const struct
    {
        int n;
        qint32 value;
        const char* text;
    } thresholds[] = {
        {1, -800, "-80.0 dB"},   {11, 300, " 30.0 dB"}, {2, 1000, "100.0 %"},
        {21, -250, " -250 sam"}, {20, 7, "    7 sam"}, {10, 15, "   15"},
        {8, 42, "  N/A  "},      {0, 1, ""},           {24, 1, ""},
    };
    for (const auto& t : thresholds)
        EXPECT_EQ(Vren1AlarmThresholdText(t.n, t.value), t.text) << t.n;

    // The unit keeps the word in the low 16 bits; position and text read it signed.
    EXPECT_EQ(Vren1AlarmThresholdValue(0xFF06), -250);
    EXPECT_EQ(Vren1AlarmThresholdValue(0x7FFF0064), 100);
    EXPECT_EQ(Vren1AlarmTimeText(3, 600), "600.0 sec");
    EXPECT_EQ(Vren1AlarmTimeText(4, 600), "  N/A  ");
}

TEST(Vren1AlarmRows, ActionListsKeepTheOtherBits)
{
    EXPECT_EQ(Vren1AlarmActionWith(TAlarmList::Relay, 0x88, 2), 0x8A);
    EXPECT_EQ(Vren1AlarmActionWith(TAlarmList::Email, 0x47, 4), 0x67);
    EXPECT_EQ(Vren1AlarmActionWith(TAlarmList::Display, 0x3F, 1), 0x7F);
    EXPECT_EQ(Vren1AlarmActionWith(TAlarmList::Display, 0x7F, 0), 0x3F);
    EXPECT_EQ(Vren1AlarmListIndex(TAlarmList::Relay, 0x5A), 2);
    EXPECT_EQ(Vren1AlarmListIndex(TAlarmList::Email, 0x5A), 3);
    EXPECT_EQ(Vren1AlarmListIndex(TAlarmList::Display, 0x5A), 1);
    // 5..7 are no entry of a four-group list.
    EXPECT_EQ(Vren1AlarmListIndex(TAlarmList::Relay, 0x07), -1);
    EXPECT_EQ(Vren1AlarmListIndex(TAlarmList::Email, 0x30), -1);
}

TEST(Vren1AlarmRows, LampRule)
{
    const std::array<qint32, 2> masks = {qint32(0x00400003), qint32(0x00400002)};
    EXPECT_EQ(Vren1AlarmLamp(masks, 1), TAlarmLamp::Red);
    EXPECT_EQ(Vren1AlarmLamp(masks, 2), TAlarmLamp::Yellow);
    EXPECT_EQ(Vren1AlarmLamp(masks, 3), TAlarmLamp::Lime);
    EXPECT_EQ(Vren1AlarmLamp(masks, 23), TAlarmLamp::Yellow);
    EXPECT_EQ(Vren1AlarmLamp(masks, 0), TAlarmLamp::Lime);
    EXPECT_EQ(Vren1AlarmLamp(masks, 24), TAlarmLamp::Lime);
}

} // namespace
