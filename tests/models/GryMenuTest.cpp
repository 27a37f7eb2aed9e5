#include "models/Gry230_Menu.h"
#include "models/Gry250_Menu.h"
#include "models/RackMenuFixture.h"
#include "protocol/rack/RackCommands.h"

#include <gtest/gtest.h>

namespace {

struct GryMenuTest : RackMenuFixture<>
{
    TGry230Menu m230;
    TGry250Menu m250;

    QString line230() const { return TGry230Menu::MenuText(s.MenuIndex, s, *hist); }
    QString line250() const { return TGry250Menu::MenuText(s.MenuIndex, s, *hist); }
};

TEST_F(GryMenuTest, Gry230EntriesOnlySelect)
{
    s.MenuIndex = 16;
    s.Settings[18] = 1;
    EXPECT_EQ(m230.key3(s, 3), Cmds{bytes({0x1A, 0x01, 0xFE})});
    EXPECT_EQ(s.MenuIndex, 18);
    EXPECT_EQ(s.Settings[18], 1);
    EXPECT_EQ(line230(), "   SAP  - ON    ");
    s.MenuIndex = 26;
    EXPECT_EQ(m230.key3(s, 3), Cmds{bytes({0x1A, 0x00, 0xFE})});
    EXPECT_EQ(s.MenuIndex, 16);
    s.MenuIndex = 17;
    EXPECT_EQ(m230.key3(s, 3), Cmds{bytes({0x1A, 0x02, 0xFE})});
    EXPECT_EQ(s.MenuIndex, 27);
    s.MenuIndex = 37;
    m230.key3(s, 3);
    EXPECT_EQ(s.MenuIndex, 17);
}

TEST_F(GryMenuTest, Gry230DurationsBusyLinesAndReadouts)
{
    s.MenuIndex = 22;
    const char* const expected[] = {" ST DUR   10 MS", " ST DUR   20 MS", " ST DUR   50 MS",
                                    " ST DUR  100 MS", " ST DUR  250 MS", " ST DUR  500 MS",
                                    " ST DUR - TRACK"};
    for (int code = 0; code <= 6; ++code) {
        s.Settings[22] = code;
        EXPECT_EQ(line230(), expected[code]) << code;
    }
    s.Settings[22] = 9; // echoed by the module
    EXPECT_EQ(line230(), " ST DUR - TRACK");
    s.Settings[22] = 6;
    EXPECT_EQ(m230.key3(s, 3), Cmds{bytes({0x4C, 0x16, 0x30, 0x36, 0xFE})});

    s.MenuIndex = 31;
    EXPECT_EQ(line230(), "  SAVE CONFIG   ");
    EXPECT_EQ(m230.key4(s, 3), Cmds{bytes({0x4C, 0x1F, 0x30, 0x30, 0xFE})});
    s.StatusBits = 0x40;
    EXPECT_EQ(line230(), "    SAVING      ");
    s.MenuIndex = 32;
    EXPECT_EQ(line230(), "    LOADING     ");

    (*hist)[256 + 6][1] = 704;
    (*hist)[256 + 9][1] = 296;
    (*hist)[256 + 12][1] = 1000;
    (*hist)[256 + 15][1] = 4;
    s.MenuIndex = 0;
    EXPECT_EQ(TGry230Menu::Readout(0, s, *hist), " 70");
    EXPECT_EQ(TGry230Menu::Readout(1, s, *hist), " 30");
    s.MenuIndex = 6;
    EXPECT_EQ(TGry230Menu::Readout(0, s, *hist), "100");
    EXPECT_EQ(TGry230Menu::Readout(1, s, *hist), "  0");

    s.MenuIndex = 200;
    EXPECT_EQ(line230(), "  RESERVED     ");
    s.MenuIndex = 18;
    s.Settings[18] = 7;
    EXPECT_EQ(line230(), "   SAP  - ******");
}

TEST_F(GryMenuTest, Gry250CarriersCalibrationsAndEntries)
{
    s.MenuIndex = 3;
    EXPECT_EQ(TGry250Menu::Readout(0, s, *hist), "- - -");
    EXPECT_EQ(line250(), " SAP    **.* DB ");
    s.StatusBits = 0x01;
    (*hist)[512 + 5][1] = 9;
    (*hist)[512 + 1][1] = 875;
    EXPECT_EQ(line250(), " SAP   - 1.0 DB ");
    EXPECT_EQ(TGry250Menu::Readout(0, s, *hist), " 88");
    EXPECT_EQ(TGry250Menu::Readout(1, s, *hist), "- - -");

    s.MenuIndex = 14;
    s.Settings[14] = 1;
    s.Settings[20] = 2;
    EXPECT_EQ(m250.key3(s, 3), Cmds{bytes({0x51, 0x0E, 0x30, 0x32, 0xFE})});
    EXPECT_EQ(s.Settings[20], 0);
    EXPECT_EQ(line250(), "SAP CAL -  DEV  ");
    s.MenuIndex = 20;
    EXPECT_EQ(m250.key4(s, 3), Cmds{bytes({0x51, 0x14, 0x30, 0x32, 0xFE})});
    EXPECT_EQ(s.Settings[14], 0);
    EXPECT_EQ(line250(), "PRO CAL -  DEV  ");
    s.Settings[20] = 5;
    EXPECT_EQ(line250(), "PRO CAL - ******");
    s.MenuIndex = 13;
    s.Settings[13] = 1;
    EXPECT_EQ(line250(), "SAP RESP -  75US ");
    s.Settings[13] = 3;
    EXPECT_EQ(line250(), "SAP RESP -  **** ");

    s.MenuIndex = 5;
    s.Settings[8] = 50;
    EXPECT_EQ(m250.key3(s, 3), Cmds{bytes({0x1B, 0x01, 0xFE})});
    EXPECT_EQ(s.Settings[8], 50);
    s.MenuIndex = 7;
    EXPECT_EQ(m250.key3(s, 3), Cmds{bytes({0x1B, 0x03, 0xFE})});
    EXPECT_EQ(s.MenuIndex, 22);
    s.MenuIndex = 28;
    m250.key3(s, 3);
    EXPECT_EQ(s.MenuIndex, 7);
    s.MenuIndex = 200;
    EXPECT_EQ(line250(), "  RESERVED     ");
    EXPECT_TRUE(m250.key4(s, 3).isEmpty());
}

// The Gry250's PRO mute level and calibration and its hold are learnt from
// the module alone: their lines stay blank until the module's echo or the
// first key, and the keys step from the frame's copy, which the decoder
// starts at the lowest value (hold 1 by count). A SAP calibration key tells
// the PRO calibration (off).
TEST_F(GryMenuTest, Gry250UnreportedSettingsStepFromTheFramesCopy)
{
    for (int item : {18, 20, 22})
        s.Unreported[std::size_t(item)] = true;
    s.Settings[18] = 1;
    s.Settings[20] = 0;
    s.HoldTime = 1;
    s.MenuIndex = 18;
    EXPECT_EQ(line250(), "  MUTE       KHZ");
    EXPECT_EQ(m250.key4(s, 3), Cmds{Gry250SetValueCmd(18, 1)}) << "at its bound: sent as it is";
    EXPECT_EQ(line250(), "  MUTE   0.1 KHZ");
    EXPECT_EQ(m250.key3(s, 3), Cmds{Gry250SetValueCmd(18, 2)});
    EXPECT_EQ(line250(), "  MUTE   0.2 KHZ");
    s.MenuIndex = 22;
    EXPECT_EQ(line250(), "   HOLD      SEC");
    EXPECT_EQ(m250.key3(s, 3), Cmds{Gry250SetValueCmd(22, 2)});
    EXPECT_EQ(line250(), "   HOLD  1.0 SEC");

    s.MenuIndex = 20;
    s.Unreported[20] = true;
    EXPECT_EQ(line250(), "PRO CAL -       ");
    s.MenuIndex = 14;
    EXPECT_EQ(m250.key3(s, 3), Cmds{Gry250SetValueCmd(14, 1)});
    s.MenuIndex = 20;
    EXPECT_FALSE(s.Unreported[20]);
    EXPECT_EQ(line250(), "PRO CAL -  OFF  ");

    // The Gry230's hold likewise.
    s.MenuIndex = 27;
    s.Unreported[27] = true;
    s.HoldTime = 1;
    EXPECT_EQ(line230(), "   HOLD      SEC");
    EXPECT_EQ(m230.key3(s, 3), Cmds{Gry230SetValueCmd(27, 2)});
    EXPECT_EQ(line230(), "   HOLD  1.0 SEC");
}

} // namespace
