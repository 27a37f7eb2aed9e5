// The data-service and time-alignment windows against the simulated HD unit
// over loopback TCP: what the unit sends reaches them through the link and
// the decoder, and its faults (bad checksums, a picture that cannot be
// decoded, a corrupted object) show as a clear line, never as stale values.
#include "Vren1WindowSupport.h"

#include "common/FieldHelpers.h"
#include "protocol/hd/HdBlockLayout.h"
#include "vren1/HD_AEEventLog.h"
#include "vren1/HD_AEFrame.h"
#include "vren1/HD_ArtistExperience.h"
#include "vren1/HD_RawData.h"
#include "vren1/HD_SIGInfo.h"
#include "vren1/HD_SISData.h"
#include "vren1/HD_TimeAlign.h"

#include <QAreaSeries>
#include <QChart>
#include <QComboBox>
#include <QFile>
#include <QLineSeries>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTreeWidget>
#include <QValueAxis>

namespace {

class HdDataServiceSimTest : public Vren1SimWindowTest
{
protected:
    static double lowest(QAreaSeries* s)
    {
        double v = 1e9;
        for (const QPointF& p : s->upperSeries()->points())
            v = qMin(v, p.x());
        return v;
    }
    static double highest(QAreaSeries* s)
    {
        double v = -1e9;
        for (const QPointF& p : s->upperSeries()->points())
            v = qMax(v, p.x());
        return v;
    }
    int received(const QByteArray& line) const { return int(sim.requestLines().count(line)); }
    static QString cell(QTreeWidget* l, int row, int column)
    {
        auto* item = l->topLevelItem(row);
        return item ? item->text(column) : QStringLiteral("<no row>");
    }
    static bool showsPicture(const THDAEFrame* f) { return !f->Image1->pixmap().isNull(); }
    static QStringList errorLines()
    {
        QStringList out;
        for (const QString& l : logOldestFirst())
            if (l.startsWith("ERROR"))
                out << l;
        return out;
    }
};

} // namespace

// The unit's time-alignment status bytes reach the window, and its three
// controls reach the unit, each line once.
TEST_F(HdDataServiceSimTest, TimeAlignmentStatusAndControls)
{
    sim.unit().HdLocalConfig[177] = 0;
    sim.unit().TimeAlignConfigs.CurrentConfig = 2;
    THdServiceRec& v = sim.fields.service;
    v.TaValid = 1;
    v.TaPolarityInverted = 0;
    v.LevelAvg = -15;
    v.LevelFast = 7;
    v.TimeAvg = 500;
    v.TimeFast = -20;
    v.TaState = 2;
    v.DeviceDelayUs = 1234567;
    v.AvgErrorNs = 1500;
    v.AutoSampleResolution = 4;
    auto f = connectToSim();
    THDTimeAlign* w = openOn<THDTimeAlign>(*f);
    std::unique_ptr<THDTimeAlign> owned(w);

    ASSERT_TRUE(tickUntil(
        *f, [&] { return w->SeriesTA1->name() == "AVG    +500 samples    11.3 ms      "; }, 60));
    EXPECT_EQ(w->Chart1->title(), "Level Alignment:  Audio Polarity Normal");
    EXPECT_EQ(w->Chart2->titleBrush().color(), QColor(0, 128, 0));
    EXPECT_DOUBLE_EQ(lowest(w->SeriesTA1), 250) << "500 samples stand at the axis's end";
    EXPECT_DOUBLE_EQ(highest(w->SeriesTA1), 262);
    EXPECT_EQ(w->SeriesLA1->name(), "AVG    -1.5 dB  ");
    EXPECT_DOUBLE_EQ(lowest(w->SeriesLA2), 0.45);
    EXPECT_EQ(w->StatusStaticText->text(), "  Active       ");
    EXPECT_EQ(w->DeviceDelayStaticText->text(), " 1.234567 sec");
    EXPECT_EQ(w->AverageErrorStaticText->text(), " 0.000001500 sec");
    EXPECT_EQ(w->Active_ST->text(), " #2");
    EXPECT_EQ(w->SampleResComboBox->itemText(0), " Auto( 4 )");

    // The unit loses the measurement and wants its delay applied.
    v.TaValid = 0;
    v.TaState = 3;
    ASSERT_TRUE(tickUntil(
        *f, [&] { return w->Chart2->title() == "Time Alignment:  Out of Range"; }, 40));
    EXPECT_TRUE(w->SeriesTA1->upperSeries()->points().isEmpty());
    EXPECT_EQ(w->StatusStaticText->text(), " Apply Required");
    EXPECT_EQ(w->DeviceDelayStaticText->text(), QString(16, ' '));

    // The display resolution: sent once, stored by the unit, and its echo
    // refills the list without sending again.
    w->HRComboBox->setCurrentIndex(3);
    emit w->HRComboBox->activated(3);
    ASSERT_TRUE(tickUntil(
        *f, [&] { return received("CC00AB03CC") == 1; }, 20));
    EXPECT_EQ(sim.unit().HdLocalConfig[177], 3);
    ASSERT_TRUE(tickUntil(
        *f, [&] { return qAbs(w->SamplesAxis->max() - 2048.01) < 1e-9; }, 20));
    EXPECT_DOUBLE_EQ(w->MsAxis->max(), 46.01);
    tickUntil(
        *f, [] { return false; }, 10);
    EXPECT_EQ(w->HRComboBox->currentIndex(), 3);
    EXPECT_EQ(f->HdLocalConfig[177], 3);

    // The sample resolution of configuration 2, then "Update Device".
    w->SampleResComboBox->setCurrentIndex(4);
    emit w->SampleResComboBox->activated(4);
    ASSERT_TRUE(tickUntil(
        *f, [&] { return received("CC00C604C3") == 1; }, 20));
    EXPECT_EQ(sim.unit().TimeAlignConfigs.Field7[1], 4);
    w->UpdateButton->click();
    ASSERT_TRUE(tickUntil(
        *f, [&] { return received("PB02155A") == 1; }, 20));
    tickUntil(
        *f, [] { return false; }, 10);
    EXPECT_EQ(sim.requestLines(), (QList<QByteArray>{"CC00AB03CC", "CC00C604C3", "PB02155A"}));
    EXPECT_EQ(f->TimeAlignConfigs.Field7[1], 4) << "the unit's table came back with it";
    EXPECT_EQ(w->SampleResComboBox->currentIndex(), 4);
    EXPECT_EQ(sim.badSums(), 0);
}

// The SIS header as the unit sends it, shown only while its CRC is good.
TEST_F(HdDataServiceSimTest, SisHeaderFollowsTheCrcBit)
{
    THdServiceRec& v = sim.fields.service;
    v.SisPortId = 3;
    v.SisServiceId = 0x2A;
    v.SisSessionType = 1;
    v.SisNumTypes = 4;
    v.SisBlockCount = 12;
    v.SisAlfn = 0x12345678;
    v.SisAlfnStatus = 2;
    v.SisTimeLocked = 1;
    auto f = connectToSim();
    std::unique_ptr<THDSISData> w(openOn<THDSISData>(*f));
    ASSERT_TRUE(tickUntil(
        *f, [&] { return text(w.get(), "LPort_ID") == "3"; }, 40));
    EXPECT_EQ(text(w.get(), "LService_ID"), "0x2A");
    EXPECT_EQ(text(w.get(), "LSession_TYpe"), " 1");
    EXPECT_EQ(text(w.get(), "LNum_Types"), " 4");
    EXPECT_EQ(text(w.get(), "LBlock_Count"), "12");
    EXPECT_EQ(text(w.get(), "LALFN"), "305419896");
    EXPECT_EQ(text(w.get(), "LALFN_Status"), " 2");
    EXPECT_EQ(text(w.get(), "LTime_Lock_Status"), "LOCKED");

    sim.fields.service.SisTimeLocked = 0;
    ASSERT_TRUE(tickUntil(
        *f, [&] { return text(w.get(), "LTime_Lock_Status") == "UNLOCKED"; }, 40));

    sim.fields.status = 0x03; // the SIS CRC bit clear
    ASSERT_TRUE(tickUntil(
        *f, [&] { return text(w.get(), "LPort_ID") == " "; }, 40));
    EXPECT_EQ(text(w.get(), "LALFN"), QString(9, ' '));
    EXPECT_EQ(text(w.get(), "LTime_Lock_Status"), QString(8, ' '));
    EXPECT_EQ(text(w.get(), "LLong_Name"), QString(56, ' '));
}

// A run of bad checksums: the raw-data window shows the bad sums, the event
// log holds one line, every other window keeps what it showed, and the
// unit's new values arrive once the blocks are sound again.
TEST_F(HdDataServiceSimTest, BadChecksumsShowInTheRawWindowOnly)
{
    sim.fields.service.SisPortId = 3;
    sim.fields.service.TaState = 2;
    sim.fields.service.DeviceDelayUs = 123456;
    auto f = connectToSim();
    std::unique_ptr<THDRawData> raw(openOn<THDRawData>(*f));
    std::unique_ptr<THDSISData> sis(openOn<THDSISData>(*f));
    std::unique_ptr<THDTimeAlign> ta(openOn<THDTimeAlign>(*f));
    ASSERT_TRUE(tickUntil(
        *f,
        [&] {
            return text(sis.get(), "LPort_ID") == "3" &&
                   ta->DeviceDelayStaticText->text() == " 0.123456 sec" &&
                   raw->Label2->text().endsWith(" Good Checksum");
        },
        40));
    EXPECT_EQ(raw->ListBox1->count(), 2737 / 10 + 1);
    EXPECT_EQ(countLogLines("HD block refused"), 0);

    sim.fields.service.SisPortId = 5;
    sim.fields.service.DeviceDelayUs = 7654321;
    sim.badChecksums = 1 << 30;
    ASSERT_TRUE(tickUntil(
        *f, [&] { return raw->Label2->text().endsWith(" Bad Checksum "); }, 40));
    const QRegularExpression line("^Checksums =  \\$([0-9A-F]{4})   \\$([0-9A-F]{4}) Bad Checksum $");
    const QRegularExpressionMatch m = line.match(raw->Label2->text());
    ASSERT_TRUE(m.hasMatch()) << raw->Label2->text().toStdString();
    EXPECT_EQ(m.captured(2).toUInt(nullptr, 16), (m.captured(1).toUInt(nullptr, 16) + 1) & 0xFFFF)
        << "the unit's sum is one off";
    const int refusedAt = sim.blocksSent();
    tickUntil(
        *f, [&] { return sim.blocksSent() > refusedAt + 5; }, 40);
    EXPECT_EQ(text(sis.get(), "LPort_ID"), "3");
    EXPECT_EQ(ta->DeviceDelayStaticText->text(), " 0.123456 sec");
    EXPECT_EQ(countLogLines("HD block refused: checksum"), 1);
    EXPECT_EQ(f->Status, stActive);

    sim.badChecksums = 0;
    ASSERT_TRUE(tickUntil(
        *f,
        [&] {
            return text(sis.get(), "LPort_ID") == "5" &&
                   raw->Label2->text().endsWith(" Good Checksum");
        },
        40));
    EXPECT_EQ(ta->DeviceDelayStaticText->text(), " 7.654321 sec");
    EXPECT_EQ(countLogLines("HD block refused: checksum"), 1);
}

// The unit's guide, its objects and their event lines, as the windows show
// them: the pictures decoded, the LOT list's columns from real event lines
// (a file name's comma does not shift them), and the logo becoming HD1's
// radio image on both sheets.
TEST_F(HdDataServiceSimTest, GuideObjectsAndEventLinesFromTheUnit)
{
    TempBase dir;
    auto f = connectToSim();
    std::unique_ptr<TArtistExperience> ae(openOn<TArtistExperience>(*f));
    std::unique_ptr<TAEEventLog> events(openOn<TAEEventLog>(*f, 1));
    std::unique_ptr<THDSIGInfo> sig(openOn<THDSIGInfo>(*f));
    const THDAEFrame* primary = ae->MultFrames[1]->Frames[2];
    const THDAEFrame* logo = ae->MultFrames[1]->Frames[1];
    ASSERT_TRUE(tickUntil(
        *f, [&] { return showsPicture(primary) && showsPicture(logo); }, 150));
    EXPECT_EQ(primary->Port_LB->text(), "$1002");
    EXPECT_EQ(primary->LOTID_LB->text(), "$0405");
    EXPECT_EQ(primary->DisTime_LB->text(), "$00000E10");
    EXPECT_EQ(primary->Hash_LB->text(), "$" + Hex8(HdMimeJpeg));
    EXPECT_EQ(primary->File_LB->text(), "primary,1.jpg");
    EXPECT_EQ(primary->Dimen_LB->text(), " 60 x  80");
    EXPECT_EQ(logo->Dimen_LB->text(), " 40 x  40");

    QTreeWidget* l = events->ListView1;
    int complete = -1;
    for (int r = 0; r < l->topLevelItemCount(); ++r)
        if (cell(l, r, 2) == "Received Complete Object" && cell(l, r, 5) == "$1002")
            complete = r;
    ASSERT_GE(complete, 0);
    EXPECT_TRUE(QRegularExpression("^\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d$")
                    .match(cell(l, complete, 1))
                    .hasMatch())
        << cell(l, complete, 1).toStdString();
    EXPECT_EQ(cell(l, complete, 3), "HD1");
    EXPECT_EQ(cell(l, complete, 4), "Primary");
    EXPECT_EQ(cell(l, complete, 6), "$0405");
    EXPECT_EQ(cell(l, complete, 9), "primary 1.jpg");

    EXPECT_EQ(cell(sig->ListView2, 0, 1), " :0001") << "the unit's nameless service";
    EXPECT_EQ(cell(sig->ListView2, 1, 9), "Logo");
    EXPECT_EQ(cell(sig->ListView2, 12, 1), "News:0003") << "after a service of ten components";

    // After twenty blocks program 1 shows its logo: HD1's radio image, on the
    // overview and on its own sheet.
    ASSERT_TRUE(tickUntil(
        *f,
        [&] {
            return showsPicture(ae->MultFrames[0]->Frames[0]) &&
                   showsPicture(ae->MultFrames[1]->Frames[0]);
        },
        150));
    EXPECT_EQ(ae->MultFrames[0]->Frames[0]->LOTID_LB->text(), "$0203");
    EXPECT_EQ(ae->MultFrames[1]->Frames[0]->Dimen_LB->text(), " 40 x  40");
    EXPECT_TRUE(errorLines().isEmpty()) << errorLines().join('\n').toStdString();
}

// PNG bytes under the JPEG hash after a good picture: one ERROR line naming
// the program, the LOT id and the reason in the connection's event log, the
// bytes kept in error.jpeg, and the frame shows no picture, not the old one.
TEST_F(HdDataServiceSimTest, APngUnderTheJpegHashClearsThePicture)
{
    TempBase dir;
    sim.objectRoundPauseBlocks = 3;
    auto f = connectToSim();
    std::unique_ptr<TArtistExperience> ae(openOn<TArtistExperience>(*f));
    const THDAEFrame* primary = ae->MultFrames[1]->Frames[2];
    ASSERT_TRUE(tickUntil(
        *f, [&] { return showsPicture(primary); }, 150));

    sim.pngUnderJpegHash = true;
    ASSERT_TRUE(tickUntil(
        *f, [&] { return !errorLines().isEmpty(); }, 150));
    const QString error = errorLines().first();
    EXPECT_TRUE(error.contains("HD picture not decoded: HD1 LOT $0405")) << error.toStdString();
    EXPECT_TRUE(error.contains("saved as error.jpeg")) << error.toStdString();
    EXPECT_TRUE(error.contains("<Connect1>")) << error.toStdString();
    EXPECT_TRUE(QFile::exists(dir.file("error.jpeg")));
    ASSERT_TRUE(tickUntil(
        *f, [&] { return !showsPicture(primary); }, 20));
    EXPECT_EQ(primary->Dimen_LB->text(), "  0 x   0");
    EXPECT_EQ(primary->LOTID_LB->text(), "$0405");
    EXPECT_TRUE(f->AEData.GetPrimaryImage(0).Valid) << "a sound object without a picture";
    // The logo that follows it in the round still decodes.
    EXPECT_TRUE(showsPicture(ae->MultFrames[1]->Frames[1]));
    for (const QString& l : f->AEEventList.Events)
        EXPECT_FALSE(l.contains("picture not decoded")) << "not a LOT event";
}

// A data byte changed after the checksum was taken: the object is refused as
// invalid, listed so, and the frame stays empty; the logo after it arrives.
TEST_F(HdDataServiceSimTest, ACorruptedObjectLeavesTheFrameEmpty)
{
    TempBase dir;
    sim.corruptObjectByte = true;
    auto f = connectToSim();
    std::unique_ptr<TArtistExperience> ae(openOn<TArtistExperience>(*f));
    const THDAEFrame* primary = ae->MultFrames[1]->Frames[2];
    ASSERT_TRUE(tickUntil(
        *f, [&] { return showsPicture(ae->MultFrames[1]->Frames[1]); }, 150));
    EXPECT_FALSE(showsPicture(primary));
    EXPECT_EQ(primary->Port_LB->text(), "");
    EXPECT_EQ(primary->Dimen_LB->text(), "");
    EXPECT_FALSE(f->AEData.GetPrimaryImage(0).Valid);
    bool listed = false;
    for (const QString& l : f->AEEventList.Events)
        listed |= l.contains(",Received InValid Object,HD,,$1002,$0405,");
    EXPECT_TRUE(listed) << f->AEEventList.Events.join('\n').toStdString();
    EXPECT_TRUE(errorLines().isEmpty()) << errorLines().join('\n').toStdString();
}
