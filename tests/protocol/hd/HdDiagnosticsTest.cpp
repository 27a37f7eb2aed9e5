#include "protocol/hd/HdDiagnostics.h"

#include <gtest/gtest.h>

namespace {

THistoryDataRec record(const QByteArray& text, qint32 len)
{
    THistoryDataRec d(HdDiagnosticBytes);
    std::copy(text.begin(), text.begin() + std::min<qsizetype>(text.size(), HdDiagnosticBytes),
              d.Data.begin());
    d.Len = len;
    return d;
}

// The walked lines without the five header lines.
QStringList walked(const THistoryDataRec& d)
{
    QStringList l = HdDiagnosticLines(d);
    EXPECT_GE(l.size(), 5);
    return l.mid(5);
}

TEST(HdDiagnostics, HeaderLines)
{
    THistoryDataRec d = record("", 0);
    d.Id = 0;
    d.Type = 12;
    d.Len = 2384;
    d.Index = 340;
    const QStringList l = HdDiagnosticLines(d);
    ASSERT_GE(l.size(), 5);
    EXPECT_EQ(l[0], "DData ID:    0");
    EXPECT_EQ(l[1], "DData Type:   12");
    EXPECT_EQ(l[2], "DData Len:   2384");
    EXPECT_EQ(l[3], "DData Index:    340");
    EXPECT_EQ(l[4], QString(48, '*'));
}

TEST(HdDiagnostics, TheWalk)
{
    const QString stars(48, '*');
    const QByteArray lf100 = "\n" + QByteArray(100, 'b');
    const struct
    {
        QByteArray text;
        QStringList lines;
    } cases[] = {
        {"ab\ncd", {"ab[LF]", "cd"}},
        {"a\rb", {"a[CR]b"}},
        {"x***y", {"x", stars, "y"}},
        {QByteArray(200, 'a'), {QString(80, 'a'), QString(80, 'a'), QString(40, 'a')}},
        // The LF counts as the first byte of the next line.
        {lf100, {"[LF]", QString(79, 'b'), QString(21, 'b')}},
        // Wherever the line end falls: text after it is never cut mid-line early.
        {"ab\r\n" + QByteArray(100, 'c'), {"ab[CR][LF]", QString(79, 'c'), QString(21, 'c')}},
        {QByteArray(50, 'a') + "***" + QByteArray(100, 'c'),
         {QString(50, 'a'), stars, QString(79, 'c'), QString(21, 'c')}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(walked(record(c.text, qint32(c.text.size()))), c.lines) << c.text.toStdString();
}

TEST(HdDiagnostics, ALenOutsideTheAreaWalksNoFurther)
{
    THistoryDataRec big = record(QByteArray(HdDiagnosticBytes, 'z'), 100000);
    QStringList l = walked(big);
    qsizetype chars = 0;
    for (const QString& s : l)
        chars += s.size();
    EXPECT_EQ(chars, HdDiagnosticBytes);

    EXPECT_EQ(walked(record("abc", -5)), QStringList{""});
    EXPECT_EQ(walked(record("abc", 0)), QStringList{""});

    // A record smaller than the area (none the decoder makes) is still safe.
    THistoryDataRec small(10);
    small.Len = 2384;
    EXPECT_EQ(walked(small).join("").size(), 10);
}

TEST(HdDiagnostics, ProgressLabel)
{
    THistoryDataRec d = record("", 0);
    EXPECT_EQ(HdDiagnosticLabel(d), "Downloading( 0.0%)");
    d.Len = 2384;
    d.Index = 0;
    EXPECT_EQ(HdDiagnosticLabel(d), "Downloading(14.3%)");
    d.Index = 2044;
    EXPECT_EQ(HdDiagnosticLabel(d), "Complete");
    d.Index = 5000;
    EXPECT_DOUBLE_EQ(HdDiagnosticProgress(d), 100.0);
    d.Len = -5;
    EXPECT_EQ(HdDiagnosticLabel(d), "Downloading( 0.0%)");
}

} // namespace
