// The log reader's seeds are real log files: the simulator's blocks as the
// log writer stores them.
#include "sim/rack/RackCorpus.h"

#include "common/TDateTime.h"
#include "models/LogPlaybackModel.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(RackLogCorpusTest, SeedsAreWholeLogFilesOfTheSimulatedRack)
{
    QTemporaryDir dir;
    ASSERT_TRUE(WriteRackCorpus(dir.path()));
    const QString folder = dir.path() + "/RackLogFuzz/";
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 4);
    struct Case
    {
        const char* name;
        int records;
        int trailing;
    };
    for (const Case& c : {Case{"one-record", 1, 0}, Case{"five-records", 5, 0},
                          Case{"fragment", 5, 50}, Case{"s-protocol-stamp", 3, 0}}) {
        SCOPED_TRACE(c.name);
        TLogPlaybackModel m;
        ASSERT_EQ(m.load(folder + c.name, nullptr), TLogPlaybackModel::Load::Loaded);
        EXPECT_EQ(m.count(), c.records);
        EXPECT_EQ(m.trailingBytes(), c.trailing);
        EXPECT_EQ(m.damagedCount(), 0);
    }
    TLogPlaybackModel s;
    s.load(folder + "s-protocol-stamp", nullptr);
    EXPECT_EQ(FromTDateTime(s.firstTime()), QDateTime(QDate(2025, 1, 1), QTime(12, 0, 0)));
}
