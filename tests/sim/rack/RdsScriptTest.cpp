#include "sim/rack/RdsScript.h"
#include "models/RdsBasicPage.h"
#include "protocol/rack/RackCommands.h"
#include "protocol/rds/RdsDecoder.h"
#include "sim/rack/RackCorpus.h"
#include "sim/rack/RackUnit.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TRdsDecoder decodeBatches(RdsScript& s, int batches)
{
    TRdsDecoder d;
    d.setUp();
    for (int i = 0; i < batches; ++i) {
        std::array<TRdsGroupRec, 6> b{};
        const RdsScript::Batch groups = s.nextBatch();
        for (int g = 0; g < 6; ++g)
            b[g] = {groups[g][0], groups[g][1], groups[g][2], groups[g][3]};
        d.walk(b);
    }
    return d;
}

TEST(RdsScript, GroupFilesOneGroupALine)
{
    QString error;
    const auto s = RdsScript::fromText(
        "# a station\n\n6201 00F7 E704 5349  # first\n  6201 00f0 2217 594C\n", &error);
    ASSERT_TRUE(s) << qPrintable(error);
    ASSERT_EQ(s->groups.size(), 2u);
    EXPECT_EQ(s->groups[1], (RdsScript::Group{0x6201, 0x00F0, 0x2217, 0x594C}));

    const char* bad[] = {"6201 00F7 E704\n", "6201 00F7 E704 5349 1\n", "6201 00F7 E704 XYZ1\n",
                         "6201 00F7 E704 15349\n", "# nothing\n"};
    for (const char* text : bad) {
        EXPECT_FALSE(RdsScript::fromText(text, &error)) << text;
        EXPECT_FALSE(error.isEmpty());
    }
    RdsScript::fromText("6201 00F7 E704 5349\n\n62X1 0 0 0\n", &error);
    EXPECT_TRUE(error.startsWith("line 3:")) << qPrintable(error);
}

TEST(RdsScript, BuiltInStationLoopsAndItsSwitches)
{
    RdsScript s = RdsScript::builtIn();
    s.clock = QDateTime(QDate(2025, 6, 1), QTime(3, 30), Qt::UTC);
    TRdsDecoder d = decodeBatches(s, int(s.groups.size()) / 6 + 2);
    const TRdsBasicPage p = RdsBasicPage(d);
    EXPECT_EQ(p.piCall.text, "KVEX");
    EXPECT_EQ(p.ps.text, "KVEX FM ");
    EXPECT_EQ(p.ptyn.text, "CLASSIC ");
    EXPECT_EQ(p.time.text, "10:30 PM");
    EXPECT_EQ(p.afCount.text, "05");
    EXPECT_TRUE(p.afMethodA.known);

    s.emptyEntries = true;
    EXPECT_EQ(s.nextBatch()[0], (RdsScript::Group{}));
    s.emptyEntries = false;
    s.injectPi = 0x1234;
    const RdsScript::Batch b = s.nextBatch();
    EXPECT_EQ(b[0][0], 0x1234);
    EXPECT_EQ(b[1][0], 0x47F3);
}

TEST(RdsScript, BuiltInStationCarriesPagingOtherNetworkAndData)
{
    RdsScript s = RdsScript::builtIn();
    TRdsDecoder d = decodeBatches(s, 2 * (int(s.groups.size()) / 6 + 1));
    EXPECT_EQ(d.pagingFields().PagingInterval, 10);
    EXPECT_TRUE(d.paging().Received[TRdsPagingState::TenDigit]);
    EXPECT_EQ(d.paging().TenDone, "1234567890");
    EXPECT_EQ(d.paging().AlphaDone, QByteArray("CALL STUDIO ").leftJustified(80, ' '));
    EXPECT_EQ(d.paging().LastIndividualCode, 3456);
    EXPECT_EQ(d.eon().OnPs, "KVEX AM ");
    EXPECT_EQ(d.eon().AfLines[0], QByteArray(" 94.0 95.2 96.0").leftJustified(71, ' '));
    EXPECT_EQ(d.eon().OnPty, 10);
    EXPECT_TRUE(d.eonTa());
    EXPECT_TRUE(d.eonTp());
    const auto& tdc = d.tdc().channel(2).aText;
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(tdc.data()), 4), "DATA");
    const auto& ih = d.inHouse().channel(1).bText;
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(ih.data()), 4), "--IH");
    const TRdsBasicPage p = RdsBasicPage(d);
    EXPECT_EQ(p.ecc.text, "A0");
    EXPECT_EQ(p.ps.text, "KVEX FM ");
}

TEST(RdsScript, TheLyn1StreamsItsGroupsAndKeepsItsMenu)
{
    RackUnit unit(rkFM);
    unit.rds = *RdsScript::fromText("1111 0000 0000 0001\n2222 0000 0000 0002\n");
    unit.take(Lyn1RdsStreamCmd(1));
    unit.nextBlocks();
    EXPECT_EQ(unit.records.rdsGroups[0], (std::array<quint16, 4>{0x1111, 0, 0, 1}));
    EXPECT_EQ(unit.records.rdsGroups[1], (std::array<quint16, 4>{0x2222, 0, 0, 2}));
    EXPECT_EQ(unit.records.rdsGroups[2][0], 0x1111) << "the script loops";

    SimModuleState& lyn1 = unit.records.module(SimModule::Lyn1);
    unit.take(Lyn1ShowItemCmd(4));
    EXPECT_EQ(lyn1.menuItem, 4);
    unit.take(Lyn1SelectPageCmd(1));
    EXPECT_EQ(lyn1.menuItem, 10);
    unit.take(Lyn1SelectPageCmd(0));
    EXPECT_EQ(lyn1.menuItem, 9);
    unit.take(Lyn1SetValueCmd(10, 20));
    EXPECT_EQ(lyn1.settings[10], 20);
    EXPECT_EQ(lyn1.echoItem, 10);
}

TEST(RdsScript, CorpusHoldsTheDecoderSeeds)
{
    QTemporaryDir dir;
    ASSERT_TRUE(WriteRackCorpus(dir.path()));
    const QStringList seeds = QDir(dir.path() + "/RdsDecoderFuzz").entryList(QDir::Files);
    EXPECT_GE(seeds.size(), 4);
}

} // namespace
