#include "Tavr1WindowSupport.h"

#include "protocol/tavr1/Tavr1Commands.h"
#include "tavr1/Tavr1_BarChart.h"
#include "tavr1/Tavr1_BarGraphs.h"
#include "tavr1/Tavr1_RDSBasic.h"
#include "tavr1/Tavr1_RawData.h"
#include "tavr1/Tavr1_dBRead.h"

#include <QBarSet>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

class Tavr1RdsRawDataTest : public Tavr1WindowTest
{
protected:
    static QStringList items(QListWidget* l)
    {
        QStringList out;
        for (int i = 0; i < l->count(); ++i)
            out << l->item(i)->text();
        return out;
    }
    static QString label(QWidget* w, const char* name)
    {
        auto* l = w->findChild<QLabel*>(name);
        return l ? l->text() : QString("<none>");
    }
};

QString dumpOf(const QByteArray& bytes, int offset)
{
    QString line = QString::number(offset).rightJustified(4) + "  ";
    for (char c : bytes) {
        const int b = quint8(c);
        line += QString::number(b).rightJustified(3) + "[" +
                QString::number(b, 16).toUpper().rightJustified(2, '0') + "] ";
    }
    return line;
}

} // namespace

// The simulated unit's readings, RDS data and link lines, through the frame's
// own decoding, in every read-only window.
TEST_F(Tavr1RdsRawDataTest, TheSimulatedUnitFillsEveryReadOnlyWindow)
{
    auto f = connectToSim();
    auto* stereo = open<TTavr1StereoBG>(*f);
    auto* db = open<TTavr1dBRead>(*f);
    auto* rds = open<TTavr1RDSBasic>(*f);
    auto* raw = open<TTavr1RawData>(*f);
    EXPECT_EQ(raw->objectName(), "Rack1_TAVR1_TAVR1RAWDATA0");
    EXPECT_EQ(raw->windowTitle(), " Studio A Tavr-1 Raw Data");
    EXPECT_EQ(rds->objectName(), "Rack1_TAVR1_TAVR1RDSBASIC0");
    EXPECT_EQ(rds->windowTitle(), " Studio A Tavr-1 RDS Basic");

    // A setting goes out and comes back as the unit's echo.
    f->Tavr1LocalConfig[7] = 3;
    ASSERT_TRUE(PostTavr1SetParameter(*f, 18, 0, 0, 0, 0));
    ASSERT_TRUE(sendPending(*f));
    ASSERT_TRUE(tickUntil(
        *f, [&] { return raw->ListBox1->count() > 0; }, 40));
    // Until an RDS tail has come too.
    ASSERT_TRUE(tickUntil(
        *f, [&] { return rds->PS_LD->text() == "TOLVEX  "; }, 40));

    // Each line as it went and came, its CR included.
    EXPECT_EQ(items(raw->ListBox2), QStringList{QString(sealedLine("CC1203") + "\r")});
    EXPECT_EQ(items(raw->ListBox1), QStringList{" 18[12]  00 00 00 03"});
    const QByteArray block = f->BlockSlots[CurrentTavr1BlockSlot];
    ASSERT_EQ(block.size(), 1509);
    EXPECT_EQ(label(raw, "Label1"),
              "Block Num = " + QString::number(f->BlockNumber).rightJustified(2));
    EXPECT_EQ(label(raw, "Label2"),
              "Checksums =  $" +
                  QString::number(f->BlockChecksums[0], 16).toUpper().rightJustified(4, '0') +
                  "   $0000");
    // 150 whole lines from the refreshes, and the partial last line of the
    // block the window was made with.
    ASSERT_EQ(raw->ListBox3->count(), 151);
    EXPECT_TRUE(raw->ListBox3->item(150)->text().startsWith("1500  "));
    EXPECT_EQ(raw->ListBox3->item(0)->text(), dumpOf(block.left(10), 0));
    EXPECT_TRUE(raw->ListBox3->item(0)->text().startsWith("   0  255[FF] 254[FE] 253[FD] "));
    EXPECT_EQ(raw->ListBox3->item(149)->text(), dumpOf(block.mid(1490, 10), 1490));

    EXPECT_EQ(stereo->chart(0)->barSet(0)->label(), "PEAK 100.1%");
    EXPECT_EQ(label(db, "LD_RF_Lev"), " -35.2 dB");
    EXPECT_EQ(rds->PI_Hex_LD->text(), "54A8");
    EXPECT_EQ(rds->PI_Call_LD->text(), "WXYZ");
    EXPECT_EQ(rds->RT_LD->text(), f->Tavr1Rds.RadioTextA);
    EXPECT_TRUE(rds->RT_LD->text().startsWith("Station engineer's morning show"));
    EXPECT_EQ(rds->Text_AB_LD->text(), "A");
    EXPECT_EQ(rds->PTY_N_LD->text(), "10");
    EXPECT_EQ(rds->PTY_S_LD->text(), "Pop M   ");
    EXPECT_EQ(rds->GT_LD->text(), " 0A 2A 2B 14A");
    EXPECT_EQ(rds->PIN_LD->text(), "") << "the unit's block carries no PIN";
}

TEST_F(Tavr1RdsRawDataTest, TheRdsWindowShowsEveryFieldAndItsFlags)
{
    auto* w = open<TTavr1RDSBasic>();
    TTavr1RdsRec& r = frame.Tavr1Rds;
    r.Tp = 1;
    r.Ta = 0;
    r.MusicSpeech = 7;
    r.AfCount = 5;
    r.AfList = " 87.6 90.1";
    r.RadioTextA = "first text";
    r.RadioTextB = " second text";
    r.RadioTextAB = 1;
    r.GroupsA = 0;
    r.GroupsB = 0;
    refresh(w);
    EXPECT_EQ(w->TP_V_LD->text(), "1");
    EXPECT_EQ(w->TP_S_LD->text(), "ON");
    EXPECT_EQ(w->TA_V_LD->text(), "0");
    EXPECT_EQ(w->TA_S_LD->text(), "OFF");
    EXPECT_EQ(w->MS_V_LD->text(), "1");
    EXPECT_EQ(w->MS_S_LD->text(), "MUSIC");
    EXPECT_EQ(w->AF_Num_LD->text(), " 5");
    EXPECT_EQ(w->AF_Str_LD->text(), " 87.6 90.1");
    EXPECT_EQ(w->Text_AB_LD->text(), "B");
    EXPECT_EQ(w->RT_LD->text(), " second text");
    EXPECT_EQ(w->GT_LD->text(), "") << "no group received";

    // The flag switches between the two stored texts; neither is lost.
    r.RadioTextAB = 0;
    refresh(w);
    EXPECT_EQ(w->Text_AB_LD->text(), "A");
    EXPECT_EQ(w->RT_LD->text(), "first text");
    r.RadioTextAB = 1;
    refresh(w);
    EXPECT_EQ(w->RT_LD->text(), " second text");

    // Only a refresh with lParam 0 redraws.
    r.MusicSpeech = 0;
    refresh(w, 1);
    EXPECT_EQ(w->MS_S_LD->text(), "MUSIC");
    refresh(w);
    EXPECT_EQ(w->MS_S_LD->text(), "SPEECH");

    w->close();
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(closedRecorder.closed.size(), 1u);
    EXPECT_EQ(closedRecorder.closed[0], (std::pair<qintptr, qintptr>(5, 0)));
}

TEST(Tavr1RdsGroupTypes, VersionsAreListedTypeByType)
{
    EXPECT_EQ(TTavr1RDSBasic::groupTypesText(0x4005, 0x0004), " 0A 2A 2B 14A");
    EXPECT_EQ(TTavr1RDSBasic::groupTypesText(0x0201, 0), " 0A 9A");
    EXPECT_EQ(TTavr1RDSBasic::groupTypesText(0, 0x8400), " 10B 15B");
    EXPECT_EQ(TTavr1RDSBasic::groupTypesText(0, 0), "");
}

// The dump shows whole lines of ten after a refresh, and the last partial
// line too when the window is made.
TEST_F(Tavr1RdsRawDataTest, TheDumpShowsWholeLinesAndTheLastPartOnlyAtCreation)
{
    auto* empty = open<TTavr1RawData>();
    EXPECT_EQ(empty->ListBox3->count(), 0);
    EXPECT_EQ(label(empty, "Label1"), "Block Num =  0");
    EXPECT_EQ(label(empty, "Label2"), "Checksums = ");

    QByteArray block(25, '\0');
    for (int i = 0; i < 25; ++i)
        block[i] = char(i < 10 ? 200 : i);
    frame.BlockSlots[CurrentTavr1BlockSlot] = block;
    frame.BlockNumber = 7;
    frame.BlockChecksums = {0xC8A1, 0x0102};
    refresh(empty);
    EXPECT_EQ(label(empty, "Label1"), "Block Num =  7");
    EXPECT_EQ(label(empty, "Label2"), "Checksums =  $C8A1   $0102");
    ASSERT_EQ(empty->ListBox3->count(), 2);
    QString line0 = "   0  ";
    for (int i = 0; i < 10; ++i)
        line0 += "200[C8] ";
    EXPECT_EQ(empty->ListBox3->item(0)->text(), line0) << "bytes are unsigned";
    EXPECT_EQ(empty->ListBox3->item(1)->text(), dumpOf(block.mid(10, 10), 10));

    auto* made = open<TTavr1RawData>();
    ASSERT_EQ(made->ListBox3->count(), 3);
    EXPECT_EQ(made->ListBox3->item(2)->text(), dumpOf(block.mid(20), 20));
    EXPECT_EQ(made->ListBox3->item(2)->text(), "  20   20[14]  21[15]  22[16]  23[17]  24[18] ");

    // A refresh rewrites the whole lines in place.
    block[0] = char(1);
    frame.BlockSlots[CurrentTavr1BlockSlot] = block;
    refresh(made);
    ASSERT_EQ(made->ListBox3->count(), 3);
    EXPECT_TRUE(made->ListBox3->item(0)->text().startsWith("   0    1[01] 200[C8] "));
}

TEST_F(Tavr1RdsRawDataTest, PausedTheLinesStillArriveButTheBlockStaysAndAnyLParamActs)
{
    frame.BlockSlots[CurrentTavr1BlockSlot] = QByteArray(20, char(0x11));
    frame.BlockNumber = 3;
    auto* w = open<TTavr1RawData>();
    refresh(w);
    ASSERT_EQ(w->ListBox3->count(), 2);

    w->Button1->click();
    EXPECT_TRUE(w->Paused);
    EXPECT_EQ(w->Button1->text(), "Pause");
    frame.TxLine = "CC1203D8\r";
    frame.TxLineNew = true;
    frame.RxLine = " 18[12]  00 00 00 03";
    frame.RxLineNew = true;
    frame.BlockSlots[CurrentTavr1BlockSlot] = QByteArray(40, char(0x22));
    frame.BlockNumber = 4;
    frame.BlockChecksums = {1, 2};
    refresh(w, 5); // the raw data window takes every refresh
    EXPECT_EQ(items(w->ListBox2), QStringList{"CC1203D8\r"});
    EXPECT_EQ(items(w->ListBox1), QStringList{" 18[12]  00 00 00 03"});
    EXPECT_FALSE(frame.TxLineNew);
    EXPECT_FALSE(frame.RxLineNew);
    EXPECT_EQ(label(w, "Label1"), "Block Num =  3");
    EXPECT_EQ(w->ListBox3->count(), 2);
    EXPECT_TRUE(w->ListBox3->item(0)->text().startsWith("   0   17[11] "));

    // A line shows once, however many refreshes follow.
    refresh(w);
    EXPECT_EQ(w->ListBox2->count(), 1);

    w->Button1->click();
    refresh(w, 1);
    EXPECT_EQ(label(w, "Label1"), "Block Num =  4");
    EXPECT_EQ(label(w, "Label2"), "Checksums =  $0001   $0002");
    EXPECT_EQ(w->ListBox3->count(), 4);
    EXPECT_TRUE(w->ListBox3->item(0)->text().startsWith("   0   34[22] "));

    w->close();
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(closedRecorder.closed.size(), 1u);
    EXPECT_EQ(closedRecorder.closed[0], (std::pair<qintptr, qintptr>(99, 0)));
}

TEST_F(Tavr1RdsRawDataTest, TheLineListsKeepTheirNewestLines)
{
    auto* w = open<TTavr1RawData>();
    for (int i = 0; i < TTavr1RawData::MaxListLines + 5; ++i) {
        frame.TxLine = "PB" + QByteArray::number(i) + "\r";
        frame.TxLineNew = true;
        refresh(w);
    }
    ASSERT_EQ(w->ListBox2->count(), TTavr1RawData::MaxListLines);
    EXPECT_EQ(w->ListBox2->item(0)->text(), "PB5\r");
    EXPECT_EQ(w->ListBox2->item(TTavr1RawData::MaxListLines - 1)->text(),
              "PB" + QString::number(TTavr1RawData::MaxListLines + 4) + "\r");
}
