// The PAD and SIS data windows on a frame the test fills by hand: the decoder
// fills none of their strings yet, so only a hand-filled frame shows values.
#include "Vren1WindowSupport.h"

#include "common/FieldHelpers.h"
#include "vren1/HD_PADData.h"
#include "vren1/HD_SISData.h"
#include "vren1/Vren1_Panel.h"

#include <QAction>

#include <QTabBar>
#include <QTabWidget>

namespace {

using HdDataWindowsTest = Vren1WindowTest;

} // namespace

TEST_F(HdDataWindowsTest, PadNamesTabsAndGroups)
{
    std::unique_ptr<THDPADData> w(open<THDPADData>());
    EXPECT_EQ(w->objectName(), "Rack1_VREN1_HDPADData0");
    EXPECT_EQ(w->windowTitle(), " Studio B Vren-1 PAD Data");
    ASSERT_EQ(w->PageControl1->count(), 8);
    EXPECT_EQ(w->PageControl1->tabText(7), "HD 8");
    EXPECT_NE(w->findChild<QWidget*>("HD8"), nullptr);
    EXPECT_NE(w->findChild<QLabel*>("LComment8"), nullptr);
    EXPECT_NE(w->findChild<QLabel*>("LOverflow_Status1"), nullptr);
}

TEST_F(HdDataWindowsTest, PadPresentProgramHighlightedAbsentOneBlank)
{
    std::unique_ptr<THDPADData> w(open<THDPADData>());
    QTabBar* bar = w->PageControl1->tabBar();
    const QColor plain = bar->tabTextColor(2);

    THdServiceRec& s = frame.HdService;
    s.ProgramsMask[0] = 0x04; // HD3 only
    s.PadPortId[3] = 7;
    s.PadServiceId[3] = 10;
    s.PadSessionType[3] = 3;
    s.PadPacketsAvail[3] = 12;
    s.PadPacketLength[3] = 256;
    s.PadSequenceNumber[3] = 65535;
    s.PadOverflowStatus[3] = 1;
    s.PadTitle[3] = "Blue Train";
    s.PadArtist[3] = "Coltrane";
    // HD4 holds stale strings, which an absent program must not show.
    s.PadTitle[4] = "stale";
    s.PadServiceId[4] = 10;
    refresh(w.get());

    EXPECT_NE(bar->tabTextColor(2), plain) << "HD 3 highlighted";
    EXPECT_EQ(bar->tabTextColor(3), plain) << "HD 4 plain";
    EXPECT_EQ(text(w.get(), "LPort_ID3"), "7");
    EXPECT_EQ(text(w.get(), "LService_ID3"), "0x0A");
    EXPECT_EQ(text(w.get(), "LSession_Type3"), " 3");
    EXPECT_EQ(text(w.get(), "LNum_Pack_Avail3"), "   12");
    EXPECT_EQ(text(w.get(), "LPacket_Length3"), "  256");
    EXPECT_EQ(text(w.get(), "LSequence_Number3"), "65535");
    EXPECT_EQ(text(w.get(), "LOverflow_Status3"), "1");
    EXPECT_EQ(text(w.get(), "LTitle3"), "Blue Train");
    EXPECT_EQ(text(w.get(), "LArtist3"), "Coltrane");

    EXPECT_EQ(text(w.get(), "LPort_ID4"), " ");
    EXPECT_EQ(text(w.get(), "LService_ID4"), "  ");
    EXPECT_EQ(text(w.get(), "LSession_Type4"), "  ");
    EXPECT_EQ(text(w.get(), "LNum_Pack_Avail4"), "     ");
    EXPECT_EQ(text(w.get(), "LPacket_Length4"), "     ");
    EXPECT_EQ(text(w.get(), "LSequence_Number4"), "     ");
    EXPECT_EQ(text(w.get(), "LOverflow_Status4"), " ");
    EXPECT_EQ(text(w.get(), "LTitle4"), "");

    // The program going away puts its tab back to plain and blanks it.
    s.ProgramsMask[0] = 0;
    refresh(w.get());
    EXPECT_EQ(bar->tabTextColor(2), plain);
    EXPECT_EQ(text(w.get(), "LTitle3"), "");
}

TEST_F(HdDataWindowsTest, SisValuesOnlyWhileCrcGood)
{
    THdServiceRec& s = frame.HdService;
    s.SisPortId = 2;
    s.SisServiceId = 0x1F;
    s.SisSessionType = 1;
    s.SisNumTypes = 4;
    s.SisBlockCount = 12;
    s.SisAlfn = 3000000000u; // past 2^31: still the unsigned count
    s.SisAlfnStatus = 3;
    s.SisTimeLocked = 1;
    s.SisFccId = "123456";
    s.SisNetworkId = "AB";
    s.SisCountry = "US";
    s.SisLatitude = "40.7128";
    s.SisLongitude = "-74.0060";
    s.SisShortName = "WXYZ-FM";
    s.SisLongName = "The long station name";

    std::unique_ptr<THDSISData> w(open<THDSISData>());
    EXPECT_EQ(w->objectName(), "Rack1_VREN1_HDSISData0");
    EXPECT_EQ(w->windowTitle(), " Studio B Vren-1 SIS Data");
    const struct
    {
        const char* name;
        int blanks;
    } blanks[] = {{"LPort_ID", 1},     {"LService_ID", 2},       {"LSession_TYpe", 2},
                  {"LNum_Types", 2},   {"LBlock_Count", 2},      {"LALFN", 9},
                  {"LALFN_Status", 2}, {"LTime_Lock_Status", 8}, {"LFCC_ID", 6},
                  {"LNetwork_ID", 2},  {"LCountry", 4},          {"LLatitude", 12},
                  {"LLongtitude", 12}, {"LShort_Name", 8},       {"LLong_Name", 56}};
    for (const auto& b : blanks)
        EXPECT_EQ(text(w.get(), b.name), QString(b.blanks, ' ')) << b.name;

    frame.HdStatus = 1 << 2;
    refresh(w.get());
    EXPECT_EQ(text(w.get(), "LPort_ID"), "2");
    EXPECT_EQ(text(w.get(), "LService_ID"), "0x1F");
    EXPECT_EQ(text(w.get(), "LSession_TYpe"), " 1");
    EXPECT_EQ(text(w.get(), "LNum_Types"), " 4");
    EXPECT_EQ(text(w.get(), "LBlock_Count"), "12");
    EXPECT_EQ(text(w.get(), "LALFN"), IntField(3000000000LL, 9));
    EXPECT_EQ(text(w.get(), "LALFN_Status"), " 3");
    EXPECT_EQ(text(w.get(), "LTime_Lock_Status"), "LOCKED");
    EXPECT_EQ(text(w.get(), "LLongtitude"), "-74.0060");
    EXPECT_EQ(text(w.get(), "LLong_Name"), "The long station name");

    s.SisTimeLocked = 0;
    s.SisAlfn = 123;
    refresh(w.get());
    EXPECT_EQ(text(w.get(), "LTime_Lock_Status"), "UNLOCKED");
    EXPECT_EQ(text(w.get(), "LALFN"), "      123");

    frame.HdStatus = 0;
    refresh(w.get());
    for (const auto& b : blanks)
        EXPECT_EQ(text(w.get(), b.name), QString(b.blanks, ' ')) << b.name;
}

// Every window of the data services opens from the panel's menu as the class
// it is, and the panel forgets it when it closes.
TEST(HdDataWindowsFromThePanel, OpenAndForget)
{
    QWidget rack;
    TFrame2 f{"Connect1"};
    TVren1Panel p(&rack, &rack, "Rack1_VREN1", &f, 0);
    const struct
    {
        int kind, index;
        const char* className;
        const char* name;
    } windows[] = {
        {v1kSisData, 0, "THDSISData", "Rack1_VREN1_HDSISData0"},
        {v1kPadData, 0, "THDPADData", "Rack1_VREN1_HDPADData0"},
        {v1kSigInfo, 0, "THDSIGInfo", "Rack1_VREN1_HDSG00"},
        {v1kRawData, 0, "THDRawData", "Rack1_VREN1_HDRAWDATA0"},
        {v1kArtistExperience, 0, "TArtistExperience", "Rack1_VREN1_HDARTECP00"},
        {v1kArtistExperience, 1, "TAEEventLog", "Rack1_VREN1_HDARTEEL01"},
        {v1kTimeAlign, 0, "THDTimeAlign", "Rack1_VREN1_HDTIMEALIGN0"},
    };
    for (const auto& w : windows) {
        QAction* entry = p.menuEntry(w.kind, w.index);
        ASSERT_NE(entry, nullptr) << w.className;
        // The hidden raw-data entry stays disabled in the menu.
        EXPECT_EQ(entry->isEnabled(), w.kind != v1kRawData) << w.className;
        entry->trigger();
        QPointer<QWidget> opened = p.children().find(w.kind, w.index);
        ASSERT_FALSE(opened.isNull()) << w.className;
        EXPECT_STREQ(opened->metaObject()->className(), w.className);
        EXPECT_EQ(opened->objectName(), w.name);
        opened->close();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(p.children().find(w.kind, w.index), nullptr) << w.className;
    }
}
