#include "common/VersionFile.h"

#include <gtest/gtest.h>

namespace {

struct VersionCase
{
    const char* what;
    QByteArray body;
    const char* program;
    bool newer;
    const char* vren1;
    const char* tavr1;
};

} // namespace

TEST(VersionFile, ReadsTheVersionsWhereverTheMarkersStand)
{
    const QByteArray usual = "Tolvex Version 5.1\r\nVren1 Version 4.05\r\nTavr1 Version 1.21\r\n";
    const VersionCase cases[] = {
        {"the usual file", usual, "5.1\r", true, "4.05", "1.21"},
        {"after a byte-order mark", "\xEF\xBB\xBF" + usual, "5.1\r", true, "4.05", "1.21"},
        {"after a blank first line", "\r\n" + usual, "5.1\r", true, "4.05", "1.21"},
        {"the same version", "Tolvex Version 5.0", "5.0", false, "", ""},
        {"an older one", "Tolvex Version 4.99", "4.99", false, "", ""},
        {"a later one", "Tolvex Version 10.2\n", "10.2", true, "", ""},
        {"a blank before the number", "Tolvex Version  5.5\n", " 5.5", true, "", ""},
        {"no marker", "Tolvex 5.1\nVersion 5.1\n", "", false, "", ""},
        {"not a number", "Tolvex Version abc\n", "abc\n", false, "", ""},
        {"a comma", "Tolvex Version 5,9\n", "5,9\n", false, "", ""},
        {"not finite", "Tolvex Version inf\n", "inf\n", false, "", ""},
        {"cut short", "Tolvex Version 6", "6", true, "", ""},
        {"nothing after the marker", "Tolvex Version", "", false, "", ""},
        {"firmware markers cut short", "Vren1 Version 4\nTavr1 Version", "", false, "4\nTa", ""},
        {"empty", "", "", false, "", ""},
        {"binary garbage", QByteArray("\x00\xFF\x01Tolvex\x00Version 9.9", 22), "", false, "", ""},
    };
    for (const VersionCase& c : cases) {
        const TVersionFile f = ParseVersionFile(c.body);
        EXPECT_EQ(f.programVersion.toStdString(), c.program) << c.what;
        EXPECT_EQ(f.newerProgram, c.newer) << c.what;
        EXPECT_EQ(f.vren1Version.toStdString(), c.vren1) << c.what;
        EXPECT_EQ(f.tavr1Version.toStdString(), c.tavr1) << c.what;
        EXPECT_EQ(f.text, QString::fromLatin1(c.body)) << c.what;
    }
}

TEST(VersionFile, TheAddressCanBeReplacedFromTheEnvironment)
{
    const QByteArray old = qgetenv("TOLVEX_UPDATE_URL");
    qputenv("TOLVEX_UPDATE_URL", "http://127.0.0.1:5/Tolvex_Version.txt");
    EXPECT_EQ(VersionFileAddress(), QUrl("http://127.0.0.1:5/Tolvex_Version.txt"));
    qputenv("TOLVEX_UPDATE_URL", "");
    EXPECT_EQ(VersionFileAddress().path(), "/Tolvex_Version.txt");
    EXPECT_TRUE(VersionFileAddress().host().endsWith(".example"));
    qputenv("TOLVEX_UPDATE_URL", old);
}
