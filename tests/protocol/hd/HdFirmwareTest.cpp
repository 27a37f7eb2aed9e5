#include "TestSupport.h"

#include "protocol/hd/HdFirmware.h"

#include <gtest/gtest.h>

// Every result of the silent check, and what it says about the up-to-date flag.
TEST(Vren1FirmwareCheck, ResultCodes)
{
    TempBase base;
    QDir().mkpath(base.file("DLD"));
    base.writeFile("DLD/vren1_han.dld", "12\r\nV03.05\r\nV04.02\r\nS0\r\n");
    base.writeFile("DLD/VREN1_KYO.DLD", "12\r\nV03.05\r\nV04.03\r\n");
    struct Row
    {
        QString boot, main;
        int lcd;
        int result;
        bool known, upToDate;
        int lines;
    } rows[] = {
        {"03.05", "04.03", 1, 0, true, false, 12}, // lower case file name, older file
        {"03.05", "04.03", 2, 0, true, true, 12},  // equal main version
        {"03.05", "04.04", 2, 0, true, false, 12}, // a newer unit is not "up to date"
        {"0305", "04.03", 1, 1, false, false, 0},  {"03.xx", "04.03", 1, 2, false, false, 0},
        {"03.05", "", 1, 3, false, false, 0},      {"03.05", "04.0x", 1, 4, false, false, 0},
        {"03.05", "04.03", 0, 5, false, false, 0}, {"03.05", "04.03", 3, 5, false, false, 0},
    };
    for (const Row& r : rows) {
        const TVren1FirmwareCheck c = CheckVren1Firmware({r.boot, r.main, r.lcd}, base.file("DLD"));
        const std::string at = (r.boot + " " + r.main + " " + QString::number(r.lcd)).toStdString();
        EXPECT_EQ(c.Result, r.result) << at;
        EXPECT_EQ(c.UpToDateKnown, r.known) << at;
        EXPECT_EQ(c.UpToDate, r.upToDate) << at;
        EXPECT_EQ(c.LineCount, r.lines) << at;
    }
    // No file for the display, a count that is no number, unusable file versions.
    QFile::remove(base.file("DLD/VREN1_KYO.DLD"));
    EXPECT_EQ(CheckVren1Firmware({"03.05", "04.03", 2}, base.file("DLD")).Result, 6);
    base.writeFile("DLD/VREN1_KYO.DLD", "many\r\nV03.05\r\nV04.03\r\n");
    EXPECT_EQ(CheckVren1Firmware({"03.05", "04.03", 2}, base.file("DLD")).Result, 6);
    const struct
    {
        const char* file;
        int result;
    } fileRows[] = {
        {"2\r\nV0305\r\nV04.03\r\n", 7},
        {"2\r\nV03.x5\r\nV04.03\r\n", 8},
        {"2\r\nV03.05\r\nV0403\r\n", 9},
        {"2\r\nV03.05\r\nV04.x3\r\n", 10},
    };
    for (const auto& r : fileRows) {
        base.writeFile("DLD/VREN1_KYO.DLD", r.file);
        const TVren1FirmwareCheck c = CheckVren1Firmware({"03.05", "04.03", 2}, base.file("DLD"));
        EXPECT_EQ(c.Result, r.result) << r.file;
        EXPECT_TRUE(c.UpToDateKnown);
        EXPECT_FALSE(c.UpToDate);
    }
}
