#include "models/Jov4_Entry.h"

#include <gtest/gtest.h>

namespace {

QByteArray bytes(std::initializer_list<int> b)
{
    QByteArray a;
    for (int x : b)
        a.append(char(x));
    return a;
}

// Presses the digits; returns everything sent.
QByteArray keys(TJov4Entry& e, std::initializer_list<int> digits)
{
    QByteArray sent;
    for (int d : digits)
        sent += e.digitKey(d);
    return sent;
}

TEST(Jov4Entry, FrequencyEntrySendsOnTheLastValidDigit)
{
    TJov4Entry e;
    e.frequencyKey();
    EXPECT_EQ(e.entryLine(), "Enter Freq");
    EXPECT_TRUE(keys(e, {9, 8, 1}).isEmpty());
    EXPECT_EQ(e.entryLine(), "D   98.1     ");
    EXPECT_EQ(keys(e, {5}), bytes({0x44, 0x30, 0x39, 0x38, 0x31, 0x35, 0xFE}));
    EXPECT_FALSE(e.EntryActive);

    e.frequencyKey();
    keys(e, {1, 0, 7});
    EXPECT_EQ(e.entryLine(), "D  100.7     ");
    EXPECT_EQ(keys(e, {3}), QByteArray()); // only 0 or 5 ends it
    EXPECT_TRUE(e.EntryActive);
    EXPECT_EQ(e.EntryStep, 4);
    EXPECT_EQ(keys(e, {0}), QByteArray("D10070\xFE"));
}

TEST(Jov4Entry, StepsIgnoreKeysTheyDoNotTake)
{
    TJov4Entry e;
    e.frequencyKey();
    EXPECT_TRUE(keys(e, {2, 3, 4, 5, 6}).isEmpty());
    EXPECT_EQ(e.EntryStep, 1);
    keys(e, {7, 5});
    EXPECT_EQ(e.EntryStep, 2);
    keys(e, {6});
    EXPECT_EQ(e.EntryStep, 3);
    EXPECT_EQ(e.EntryDigits, "076  ");
    // No digit during an entry is a preset, at any step.
    for (int step = 1; step <= 4; ++step) {
        for (int d = 0; d <= 9; ++d) {
            TJov4Entry f;
            f.frequencyKey();
            keys(f, {9, 8, 1});
            f.EntryStep = step;
            EXPECT_FALSE(f.digitKey(d).startsWith('C')) << step << " " << d;
        }
    }
}

TEST(Jov4Entry, PresetsSegmentsAndShownText)
{
    TJov4Entry e;
    EXPECT_EQ(e.digitKey(5), bytes({0x43, 0x35, 0xFE}));
    EXPECT_TRUE(e.digitKey(10).isEmpty());
    EXPECT_EQ(Jov4RfSegments(232), 9);
    EXPECT_EQ(Jov4RfSegments(0), 0);
    EXPECT_EQ(Jov4RfSegments(255), 10);
    EXPECT_EQ(Jov4RfSegments(-4), 0);
    EXPECT_EQ(Jov4ShownText(QString("JOV") + QChar(0) + QChar(7) + "4"), "JOV  4");
}

} // namespace
