#include "models/Tavr1ConfigRows.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

TEST(Tavr1ConfigRows, CaptionsAndValueRows)
{
    const auto& rows = Tavr1ConfigRows();
    ASSERT_EQ(rows.size(), Tavr1ConfigRowCount);
    const struct
    {
        int row;
        const char* caption;
    } captions[] = {
        {0, " Tuning Frequency"},    {8, " Composite Peak"},      {10, " RF Spectrum"},
        {26, " Zoom Freq"},          {28, " Composite Spectrum"}, {44, " Audio Spectrum"},
        {48, "  Measurments"},       {60, " Analog Output"},      {68, "    Ch8"},
        {70, " AES_EBU Output"},     {80, " Headphone Output"},   {83, "    Volume"},
        {85, " Alarms/Relays"},      {86, "    Loss of RF(ANT)"}, {87, "      Thres"},
        {88, "      Time"},          {89, "      Action"},        {122, "    Loss RDS SYNC"},
        {138, "    SCA#2 Peak LED"}, {141, "      Action"},
    };
    for (const auto& c : captions)
        EXPECT_EQ(rows[c.row].caption, c.caption) << c.row;

    // Blank rows and section headers carry no value; every other row does.
    const int noValue[] = {6, 9, 10, 27, 28, 43, 44, 59, 60, 69, 70, 79, 80, 84, 85};
    for (int r = 0; r < Tavr1ConfigRowCount; ++r) {
        bool expectValue =
            std::find(std::begin(noValue), std::end(noValue), r) == std::end(noValue);
        if (r >= Tavr1ConfigFirstAlarmRow)
            expectValue = (r - Tavr1ConfigFirstAlarmRow) % 4 != 0; // the group captions
        EXPECT_EQ(rows[r].hasValue(), expectValue) << r;
    }
    for (int blank : {6, 9, 27, 43, 59, 69, 79, 84})
        EXPECT_TRUE(rows[blank].caption.isEmpty()) << blank;

    const QStringList column = Tavr1ConfigColumn(Tavr1ConfigRecord{});
    ASSERT_EQ(column.size(), Tavr1ConfigRowCount);
    for (int r = 0; r < Tavr1ConfigRowCount; ++r) {
        if (!rows[r].hasValue()) {
            EXPECT_TRUE(column[r].isEmpty()) << r;
        }
    }
}

TEST(Tavr1ConfigRows, ValueTexts)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct
    {
        const char* what;
        int row;
        int item; // -1: a real at realItem
        qint32 value;
        int realItem;
        double real;
        const char* text;
    } cases[] = {
        {"tuning", 0, 2, 1001, 0, 0, "100.1 MHz"},
        {"RF input", 1, 4, 1, 0, 0, "High Level"},
        {"RF input past its texts", 1, 4, 2, 0, 0, "data out of range"},
        {"attenuator 0", 2, 5, 0, 0, 0, "   0.0dB"},
        {"attenuator 63", 3, 6, 63, 0, 0, " -31.5dB"},
        {"filter", 4, 8, 4, 0, 0, "HD -50dB MP3"},
        {"filter negative", 4, 8, -1, 0, 0, "data out of range"},
        {"mute 6", 5, 9, 6, 0, 0, "AUTO"},
        {"mute 3", 5, 9, 3, 0, 0, "OFF"},
        {"composite bandwidth", 7, 10, 2, 0, 0, "Stereo+92kHz"},
        {"composite bandwidth 3", 7, 10, 3, 0, 0, ""},
        {"composite peak", 8, 11, 1000, 0, 0, "100.0 % "},
        {"display mode", 11, 24, 3, 0, 0, "Infinite Hold"},
        {"display mode 4", 11, 24, 4, 0, 0, "data out of range"},
        {"hold count", 12, 25, 12, 0, 0, "  12"},
        {"RF mask 5", 15, 30, 5, 0, 0, "ON"},
        {"colour 2", 16, 29, 2, 0, 0, "AUTO"},
        {"reference, antenna", 18, 27, -205, 0, 0, " -20.5 dBFS"},
        {"reference, high level", 19, 27, -205, 0, 0, " -20.5 dBFS"},
        {"VR", 21, 14, 7, 0, 0, " 0.8 dB "},
        {"VR 9", 21, 14, 9, 0, 0, "data out of range"},
        {"RF HR", 23, 17, 8, 0, 0, "2.5 kHz"},
        {"composite HR", 39, 36, 5, 0, 0, "250 Hz"},
        {"audio HR", 55, 53, 0, 0, 0, "   1 Hz "},
        {"audio HR 6", 55, 53, 6, 0, 0, "data out of range"},
        {"zoom", 26, -1, 0, 20, 100.125, " 100.125"},
        {"zoom NaN", 26, -1, 0, 20, nan, "********"},
        {"composite zoom infinite", 42, -1, 0, 38, inf, "********"},
        {"audio zoom", 58, -1, 0, 56, 15.5, "  15.500"},
        {"output source", 61, 97, 14, 0, 0, "Test -6 dB"},
        {"output source 20", 78, 112, 20, 0, 0, "data out of range"},
        {"headphone volume", 83, 115, 75, 0, 0, "   75%"},
        {"alarm 1 threshold", 87, 116, -600, 0, 0, "-60.0 dB"},
        {"alarm 1 time", 88, 117, 20, 0, 0, "   20 sec"},
        {"alarm 1 action", 89, 118, 0x51, 0, 0, "R:1 E:2 D:1"},
        {"alarm 2 threshold", 91, 119, 150, 0, 0, " 15.0 %"},
        {"group 6 threshold, the composite peak", 107, 11, 850, 0, 0, " 85.0 %"},
        {"group 6 time", 108, 132, 20, 0, 0, "N/A"},
        {"group 10 threshold", 123, 143, 5, 0, 0, "N/A"},
        {"group 10 time", 124, 144, 30, 0, 0, "   30 sec"},
        {"group 11 threshold, SCA#1 loss", 127, 87, 50, 0, 0, "  5.0 %"},
        {"group 12 threshold, SCA#1 peak", 131, 83, 1000, 0, 0, "100.0 %"},
        {"group 12 time", 132, 150, 20, 0, 0, "N/A"},
        {"group 13 threshold, SCA#2 loss", 135, 88, 50, 0, 0, "  5.0 %"},
        {"group 14 threshold, SCA#2 peak", 139, 84, 1200, 0, 0, "120.0 %"},
        {"group 14 time", 140, 156, 20, 0, 0, "N/A"},
        {"group 14 action", 141, 157, 0xC9, 0, 0, "R:1 E:1 D:3"},
    };
    const auto& rows = Tavr1ConfigRows();
    for (const auto& c : cases) {
        Tavr1ConfigRecord r;
        if (c.item >= 0)
            r[c.item] = c.value;
        else
            r.setReal(c.realItem, c.real);
        EXPECT_EQ(rows[c.row].format(r), c.text) << c.what;
    }
}
