#include "models/HdConfigRows.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <limits>

TEST(HdConfigRows, CaptionsAndValueRows)
{
    const auto& rows = HdConfigRows();
    ASSERT_EQ(rows.size(), HdConfigRowCount);
    const struct
    {
        int row;
        const char* caption;
    } captions[] = {
        {0, " RF Input"},         {2, " Calibarator"},        {8, " RF Spectrum"},
        {27, "   Zoom Freq"},     {29, " Unit Settings"},     {37, "   Scale Factor"},
        {46, "     HD8"},         {48, " Time Align Resolution"}, {66, "    Ch6"},
        {71, "    Volume"},       {77, "    Decoder #4"},     {79, " Alarms/Relays"},
        {80, "    Loss of RF(ANT)"}, {81, "      Thres"},     {82, "      Time"},
        {83, "      Action"},     {92, "    Total Peak"},     {160, "    Time Align -"},
        {164, "    Audio Polarity LED"}, {167, "      Action"},
    };
    for (const auto& c : captions)
        EXPECT_EQ(rows[c.row].caption, c.caption) << c.row;

    // Blank rows and section headers carry no value; every other row does.
    const int blanks[] = {4, 7, 28, 35, 47, 49, 59, 67, 72, 78};
    const int headers[] = {8, 29, 36, 37, 50, 60, 68, 73, 79};
    const QStringList column = HdConfigColumn(HdConfigRecord{});
    ASSERT_EQ(column.size(), HdConfigRowCount);
    for (int r = 0; r < HdConfigRowCount; ++r) {
        const bool blank = std::find(std::begin(blanks), std::end(blanks), r) != std::end(blanks);
        const bool header =
            std::find(std::begin(headers), std::end(headers), r) != std::end(headers) ||
            (r >= HdConfigFirstAlarmRow && (r - HdConfigFirstAlarmRow) % 4 == 0);
        EXPECT_EQ(rows[r].hasValue(), !blank && !header) << r;
        EXPECT_EQ(rows[r].caption.isEmpty(), blank) << r;
        if (!rows[r].hasValue()) {
            EXPECT_TRUE(column[r].isEmpty()) << r;
        }
    }
}

TEST(HdConfigRows, ValueTexts)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct
    {
        const char* what;
        int row;
        int item; // -1: the zoom real
        qint32 value;
        double real;
        const char* text;
    } cases[] = {
        {"tuning", 1, 2, 1001, 0, "100.1 MHz"},
        {"RF input", 0, 4, 1, 0, "High Level"},
        {"RF input past its texts", 0, 4, 2, 0, "data out of range"},
        {"calibrator", 2, 179, 6, 0, "Left  15kHz   90%"},
        {"calibrator 9", 2, 179, 9, 0, "data out of range"},
        {"mute AUTO", 3, 8, 2, 0, "AUTO"},
        {"mute 3", 3, 8, 3, 0, "OFF"},
        {"composite bandwidth", 5, 9, 2, 0, "Stereo + 92 kHz SCA"},
        {"composite bandwidth 3", 5, 9, 3, 0, "data out of range"},
        {"composite peak", 6, 10, 1100, 0, "110.0%"},
        {"display mode", 9, 22, 3, 0, "Infinite Hold"},
        {"display mode 4", 9, 22, 4, 0, "data out of range"},
        {"display mode negative", 9, 22, -1, 0, "data out of range"},
        {"hold count", 10, 23, 12, 0, "  12"},
        {"mask lower limit", 14, 30, -305, 0, " -30.5 dB"},
        {"reference, high level", 19, 26, -205, 0, " -20.5 dBFS"},
        {"vertical resolution", 22, 13, 7, 0, " 0.8 dB "},
        {"vertical resolution 8", 22, 13, 8, 0, "data out of range"},
        {"horizontal resolution", 24, 16, 0, 0, "  25 Hz "},
        {"zoom", 27, -1, 0, 100.125, " 100.125"},
        {"zoom NaN", 27, -1, 0, nan, "********"},
        {"zoom infinite", 27, -1, 0, inf, "********"},
        {"time mode", 30, 71, 1, 0, "Pastime"},
        {"hold time", 31, 72, 0, 0, "0.25"},
        {"hold time 11", 31, 72, 11, 0, "data out of range"},
        {"remote 2", 33, 74, 2, 0, "data out of range"},
        {"screen saver 0", 34, 75, 0, 0, "OFF"},
        {"screen saver 7", 34, 75, 7, 0, "7 hr"},
        {"screen saver 13", 34, 75, 13, 0, "data out of range"},
        {"scale factor 120", 38, 168, 120, 0, "-12.0 dBFS"},
        {"scale factor 0", 46, 176, 0, 0, "  0.0 dBFS"},
        {"time-align resolution", 48, 177, 6, 0, "16384 samples, 372 ms"},
        {"time-align resolution 7", 48, 177, 7, 0, "data out of range"},
        {"analog output", 51, 76, 5, 0, "HD1  L"},
        {"AES output last source", 66, 89, 57, 0, " TA HD  "},
        {"headphone source 58", 70, 91, 58, 0, "data out of range"},
        {"volume", 71, 92, 50, 0, "   50%"},
        {"program none", 74, 162, 0, 0, "N/A"},
        {"program HD5", 75, 163, 16, 0, "HD5"},
        {"program mask 3", 77, 165, 3, 0, ""},
        {"RF loss threshold", 81, 93, -55, 0, " -5.5 dB"},
        {"RF loss time", 82, 94, 30, 0, "   30 sec"},
        {"RF loss action", 83, 95, 0xD1, 0, "R:1 E:2 D:3"},
        {"total peak threshold is the composite peak", 93, 10, 1050, 0, "105.0 %"},
        {"QI threshold", 117, 120, 3, 0, "    3"},
        {"loss of HD8 threshold", 153, 147, 100, 0, " 10.0 %"},
        {"time align + threshold", 157, 150, 50, 0, " 50.0 samples"},
        {"time align + threshold at its top", 157, 150, 250, 0, "250.0 samples"},
        {"time align - threshold", 161, 153, -250, 0, "-250.0 samples"},
    };
    for (const auto& c : cases) {
        HdConfigRecord r;
        if (c.item < 0)
            r.setReal(HdZoomWord, c.real);
        else
            r[c.item] = c.value;
        EXPECT_EQ(HdConfigColumn(r)[c.row], c.text) << c.what;
    }

    // Rows that show no item of the record.
    HdConfigRecord r;
    r[94 + 9] = 77; // the total-peak alarm's own time word
    const QStringList column = HdConfigColumn(r);
    EXPECT_EQ(column[94], "N/A") << "total peak time";
    for (int row : {105, 109, 113, 165})
        EXPECT_EQ(column[row], "N/A") << row;
}
