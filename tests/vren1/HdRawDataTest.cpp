// The HD raw-data window on a frame the test fills by hand.
#include "Vren1WindowSupport.h"

#include "vren1/HD_RawData.h"

#include <QListWidget>
#include <QPushButton>

namespace {

using HdRawDataTest = Vren1WindowTest;

QByteArray ramp(int size)
{
    QByteArray b(size, '\0');
    for (int i = 0; i < size; ++i)
        b[i] = char(i % 256);
    return b;
}

} // namespace

TEST_F(HdRawDataTest, ChecksumLine)
{
    std::unique_ptr<THDRawData> w(open<THDRawData>());
    EXPECT_EQ(w->objectName(), "Rack1_VREN1_HDRAWDATA0");
    EXPECT_EQ(w->windowTitle(), " Studio B Vren-1 Raw Data");
    EXPECT_EQ(w->Label2->text(), "Checksums = ");

    frame.BlockNumber = 7;
    frame.BlockChecksums = {0x1234, 0x1235};
    refresh(w.get(), 3); // any lParam
    EXPECT_EQ(w->Label1->text(), "Block Num =  7");
    EXPECT_EQ(w->Label2->text(), "Checksums =  $1234   $1235 Bad Checksum ");
    frame.BlockChecksums = {0x00AB, 0x00AB};
    refresh(w.get());
    EXPECT_EQ(w->Label2->text(), "Checksums =  $00AB   $00AB Good Checksum");
}

TEST_F(HdRawDataTest, DumpOfTheCurrentSlot)
{
    QByteArray block = ramp(2737);
    block[2] = char(200);
    frame.BlockSlots[CurrentHdBlockSlot] = block;
    std::unique_ptr<THDRawData> w(open<THDRawData>());
    QListWidget* dump = w->ListBox1;
    ASSERT_EQ(dump->count(), 274);
    EXPECT_TRUE(dump->item(0)->text().startsWith("   0    0[00]   1[01] 200[C8]   3[03] "));
    EXPECT_TRUE(dump->item(272)->text().startsWith("2720  "));
    EXPECT_EQ(dump->item(273)->text(), "170[AA] 171[AB] 172[AC] 173[AD] 174[AE] 175[AF] 176[B0] ")
        << "the last seven bytes, without an offset";

    // A refresh rewrites the full lines only.
    frame.BlockSlots[CurrentHdBlockSlot] = QByteArray(2737, char(0xFF));
    refresh(w.get());
    EXPECT_EQ(dump->count(), 274);
    EXPECT_TRUE(dump->item(272)->text().startsWith("2720  255[FF] "));
    EXPECT_TRUE(dump->item(273)->text().startsWith("170[AA]"));

    // A 2729-byte bare frame: 272 full lines, 0 .. 2710.
    frame.BlockSlots[CurrentHdBlockSlot] = ramp(2729);
    std::unique_ptr<THDRawData> bare(open<THDRawData>());
    ASSERT_EQ(bare->ListBox1->count(), 273);
    EXPECT_TRUE(bare->ListBox1->item(271)->text().startsWith("2710  "));
    EXPECT_TRUE(bare->ListBox1->item(272)->text().startsWith("160[A0] "));
}

TEST_F(HdRawDataTest, OpenedBeforeTheFirstBlockGrowsItsDump)
{
    std::unique_ptr<THDRawData> w(open<THDRawData>());
    EXPECT_EQ(w->ListBox1->count(), 0);
    frame.BlockSlots[CurrentHdBlockSlot] = ramp(35);
    refresh(w.get());
    EXPECT_EQ(w->ListBox1->count(), 3);
    EXPECT_TRUE(w->ListBox1->item(2)->text().startsWith("  20   20[14]"));
}

TEST_F(HdRawDataTest, LinesKeepComingWhilePaused)
{
    frame.BlockSlots[CurrentHdBlockSlot] = ramp(20);
    std::unique_ptr<THDRawData> w(open<THDRawData>());
    w->Button1->click();
    EXPECT_TRUE(w->Paused);
    EXPECT_EQ(w->Button1->text(), "Pause");

    frame.BlockChecksums = {1, 2};
    frame.BlockSlots[CurrentHdBlockSlot] = QByteArray(20, char(0xFF));
    frame.TxLine = "CC00AB03CC\r";
    frame.TxLineNew = true;
    frame.RxLine = "OK\r";
    frame.RxLineNew = true;
    frame.HdTextLine = "CC006EFE0C5F";
    frame.HdTextLineNew = true;
    refresh(w.get());
    EXPECT_FALSE(frame.TxLineNew);
    EXPECT_FALSE(frame.RxLineNew);
    EXPECT_FALSE(frame.HdTextLineNew);
    ASSERT_EQ(w->ListBox2->count(), 1);
    EXPECT_EQ(w->ListBox2->item(0)->text(), "CC00AB03CC\r");
    ASSERT_EQ(w->ListBox3->count(), 2);
    EXPECT_EQ(w->ListBox3->item(0)->text(), "OK\r");
    EXPECT_EQ(w->ListBox3->item(1)->text(), "CC006EFE0C5F");
    EXPECT_EQ(w->Label2->text(), "Checksums = ");
    EXPECT_TRUE(w->ListBox1->item(0)->text().startsWith("   0    0[00]"));

    w->Button1->click();
    refresh(w.get());
    EXPECT_TRUE(w->ListBox1->item(0)->text().startsWith("   0  255[FF]"));
    EXPECT_TRUE(w->Label2->text().endsWith("Bad Checksum "));
}

TEST_F(HdRawDataTest, LineListsKeepTheirNewestThousand)
{
    std::unique_ptr<THDRawData> w(open<THDRawData>());
    for (int i = 0; i < 1005; ++i) {
        frame.TxLine = QByteArray::number(i);
        frame.TxLineNew = true;
        refresh(w.get());
    }
    ASSERT_EQ(w->ListBox2->count(), THDRawData::MaxListLines);
    EXPECT_EQ(w->ListBox2->item(0)->text(), "5");
    EXPECT_EQ(w->ListBox2->item(999)->text(), "1004");
}
