#include "protocol/tavr1/Tavr1Firmware.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void writeDld(const QString& path, const QByteArray& header)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(header + "S00600004844521B\r\n");
}

} // namespace

TEST(Tavr1Firmware, VersionTexts)
{
    struct Row
    {
        const char* text;
        double value;
        TVersionError error;
    } rows[] = {
        {"V01.18", 1.18, TVersionError::None},    {"01.20", 1.2, TVersionError::None},
        {"xx02.05yy", 2.05, TVersionError::None}, {"1.18", 0, TVersionError::NoPoint},
        {".118", 0, TVersionError::NoPoint},      {"0118", 0, TVersionError::NoPoint},
        {"", 0, TVersionError::NoPoint},          {"AB.CD", 0, TVersionError::NotANumber},
    };
    for (const Row& r : rows) {
        TVersionError e = TVersionError::None;
        const auto v = ParseVersionText(r.text, &e);
        EXPECT_EQ(e, r.error) << r.text;
        if (r.error == TVersionError::None) {
            ASSERT_TRUE(v) << r.text;
            EXPECT_DOUBLE_EQ(*v, r.value) << r.text;
        } else {
            EXPECT_FALSE(v) << r.text;
        }
    }
}

TEST(Tavr1Firmware, FileChoiceByRevisionLetters)
{
    EXPECT_EQ(Tavr1MainFirmwareName("B", "B", "A", false), "TAVR1_1.DLD");
    EXPECT_EQ(Tavr1MainFirmwareName("B", "B", "A", true), "TAVR1_B.DLD");
    EXPECT_EQ(Tavr1MainFirmwareName("B", "B", "B", true), "TAVR1_BBB.DLD");
    EXPECT_EQ(Tavr1MainFirmwareName("C", "B", "B", false), "TAVR1_CBB.DLD");
    EXPECT_EQ(Tavr1MainFirmwareName("C", "A", "A", true), "");
    EXPECT_EQ(Tavr1NetworkFirmwareName("B"), "XPORT.DLD");
    EXPECT_EQ(Tavr1NetworkFirmwareName("C"), "SOM.DLD");
    EXPECT_EQ(Tavr1NetworkFirmwareName("D"), "");
}

TEST(Tavr1Firmware, TheCheckComparesTheUnitWithItsFile)
{
    QTemporaryDir dir;
    // Shipped in upper case, found by its name in any case.
    writeDld(dir.filePath("tavr1_b.dld"), "120\r\nV01.18\r\nV01.20\r\n");
    const TTavr1FirmwareUnit older{"01.18", "01.18", "B", "B", "A"};

    TTavr1FirmwareCheck c = CheckTavr1Firmware(older, dir.path());
    EXPECT_EQ(c.Result, 0);
    EXPECT_FALSE(c.UpToDate) << "1.20 in the file is newer than the unit's 1.18";
    EXPECT_TRUE(c.MainAtLeast118);
    EXPECT_TRUE(c.BootNotNewer);
    EXPECT_FALSE(c.MainNotNewer);
    EXPECT_EQ(c.LineCount, 120);

    // Equal, and a unit newer than its file: both up to date.
    EXPECT_TRUE(CheckTavr1Firmware({"01.18", "01.20", "B", "B", "A"}, dir.path()).UpToDate);
    EXPECT_TRUE(CheckTavr1Firmware({"01.18", "01.25", "B", "B", "A"}, dir.path()).UpToDate);

    // 1.17 needs the other file, which is not there.
    c = CheckTavr1Firmware({"01.18", "01.17", "B", "B", "A"}, dir.path());
    EXPECT_EQ(c.Result, 5);
    EXPECT_FALSE(c.UpToDate);
}

TEST(Tavr1Firmware, ResultCodesOfEveryFailure)
{
    QTemporaryDir dir;
    writeDld(dir.filePath("TAVR1_BBB.DLD"), "10\r\n1.00\r\nV01.20\r\n");
    writeDld(dir.filePath("TAVR1_CBB.DLD"), "10\r\nV01.00\r\nVxx.yy\r\n");
    writeDld(dir.filePath("TAVR1_B.DLD"), "ten\r\nV01.00\r\nV01.20\r\n");
    struct Row
    {
        TTavr1FirmwareUnit unit;
        int result;
    } rows[] = {
        {{"118", "01.18", "B", "B", "A"}, 1},   {{"ab.cd", "01.18", "B", "B", "A"}, 2},
        {{"01.18", "", "B", "B", "A"}, 3},      {{"01.18", "xy.zw", "B", "B", "A"}, 4},
        {{"01.18", "01.18", "D", "D", "D"}, 5}, {{"01.18", "01.18", "B", "B", "B"}, 6},
        {{"01.18", "01.18", "C", "B", "B"}, 9}, {{"01.18", "01.18", "B", "B", "A"}, 10},
    };
    for (const Row& r : rows) {
        const TTavr1FirmwareCheck c = CheckTavr1Firmware(r.unit, dir.path());
        EXPECT_EQ(c.Result, r.result)
            << r.unit.BootVersion.toStdString() << " " << r.unit.MainVersion.toStdString();
        EXPECT_FALSE(c.UpToDate);
    }
}

TEST(Tavr1Firmware, ACountLineOutOfRangeMakesTheFileInvalid)
{
    QTemporaryDir dir;
    for (const char* count : {"0", "65536", "-3", ""}) {
        writeDld(dir.filePath("TAVR1_B.DLD"), QByteArray(count) + "\r\nV01.00\r\nV01.20\r\n");
        EXPECT_EQ(CheckTavr1Firmware({"01.18", "01.18", "B", "B", "A"}, dir.path()).Result, 10)
            << count;
    }
    writeDld(dir.filePath("TAVR1_B.DLD"), "65535\r\nV01.00\r\nV01.20\r\n");
    EXPECT_EQ(CheckTavr1Firmware({"01.18", "01.18", "B", "B", "A"}, dir.path()).LineCount, 65535);
}
