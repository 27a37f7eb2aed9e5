#include "common/OpenWindowList.h"

#include "common/WindowNames.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

QList<TOpenWindowName> named(const QStringList& names)
{
    QList<TOpenWindowName> out;
    for (const QString& n : names) {
        // Each rack's caption as its connection would give it.
        QString caption;
        if (n.startsWith("Rack") && n.size() >= 5)
            caption = QString("Caption %1").arg(n.at(4));
        out.append({n, caption});
    }
    return out;
}

QStringList shown(const QList<TOpenWindowEntry>& entries)
{
    QStringList out;
    for (const TOpenWindowEntry& e : entries)
        out.append(e.text);
    return out;
}

std::string joined(const QStringList& l)
{
    return ("\n|" + l.join("|\n|") + "|").toStdString();
}

} // namespace

// The names given in a scrambled order, as the windows happen to be found;
// the list comes out grouped by rack, panel first, windows by kind and index.
TEST(OpenWindowList, TwoRacksSortedByRackPanelKindAndIndex)
{
    const QStringList names = {
        "Rack2_TAVR1_TAVR1SETTINGS0",
        "Rack1_TAVR1_HistPlot00",
        "Rack1_TAVR1_TAVR1BARGRAPH4",
        "Main",
        "Rack1_TAVR1_FOO7",
        "Rack1_TAVR1_TAVR1SPECTRUM0",
        "Rack2",
        "Rack1_TAVR1_TAVR1BARGRAPH1",
        "Rack1_TAVR1",
        "Rack1_TAVR1_TAVR1SETTINGS0",
        "Configure",
        "Rack1_TAVR1_TAVR1BARGRAPH0",
        "Rack2_TAVR1",
        "Rack9",
        "Rack1_TAVR1_DTPlot03",
        "Racks",
        "Rack1_TAVR1_TAVR1AR0",
        "MyRack1",
        "Rack1",
        "Connects",
        "Rack1_TAVR1_TAVR1DBREAD0",
        "Rack12",
        "Rack1_TAVR1_TAVR1RAWDATA0",
        "Rack1_TAVR1_TAVR1CONFIG0",
        "Rack1_TAVR1_TAVR1RDSBASIC0",
    };
    const QList<TOpenWindowEntry> entries = BuildOpenWindowList(named(names));
    const QStringList want = {
        "Connections",
        "Caption 1",
        "  TAVR1",
        "     Stereo Bar Graph",
        "     SCA Bar Graph   ", // the trailing blanks kept
        "     CrossTalk  Bar Graph",
        "     TOTAL Histogram",
        "     L + R vs Time",
        "     dB Readings",
        "     Spectrum",
        "     RDS Basic",
        "     Alarm/Relay",
        "     Settings",
        "     Unit Configuration",
        "     Raw Data",
        "TAVR1_FOO7", // no kind of its own: last of its rack, under its name
        "Caption 2",
        "  TAVR1",
        "     Settings",
    };
    EXPECT_EQ(joined(shown(entries)), joined(want));

    // Every entry points back at its window, and its key is four characters.
    for (const TOpenWindowEntry& e : entries) {
        ASSERT_GE(e.source, 0);
        EXPECT_EQ(e.key.size(), 4) << e.text.toStdString();
    }
    EXPECT_EQ(names.at(entries.at(0).source), "Connects");
    EXPECT_EQ(names.at(entries.at(2).source), "Rack1_TAVR1");
    EXPECT_EQ(names.at(entries.at(15).source), "Rack1_TAVR1_FOO7");
    EXPECT_EQ(entries.at(15).key, "BZ  ");
    EXPECT_EQ(entries.at(1).key, "BA  ");
}

struct ChildCase
{
    const char* name;
    const char* shown; // nullptr: listed only as an unknown window
};

// One child name at a time: its title, or that it falls back to its name.
TEST(OpenWindowList, TitlesOfEveryFamily)
{
    const ChildCase cases[] = {
        {"Rack1_TAVR1_TAVR1BARGRAPH2", "     Total dB Bar Graph"},
        {"Rack1_TAVR1_TAVR1BARGRAPH3", "     Separation Bar Graph"},
        {"Rack1_TAVR1_TAVR1BARGRAPH5", nullptr}, // no sixth bar graph
        {"Rack1_TAVR1_TAVR1AR0", "     Alarm/Relay"},
        {"Rack1_TAVR1_HistPlot0", nullptr}, // two digits or nothing
        {"Rack1_TAVR1_HistPlot001", nullptr},
        {"Rack1_TAVR1_TAVR1SETTINGS", nullptr},
        {"Rack1_TAVR1_TAVR1SETTINGSx", nullptr},
        {"Rack1_VREN1_HDBARGRAPH0", "     HD Analog Bar Graph"},
        {"Rack1_VREN1_HDBARGRAPH8", "     HD Bar Graph#8"},
        {"Rack1_VREN1_HDBARGRAPH9", "     Analog Bar Graph"},
        {"Rack1_VREN1_HistPlot00", "     TOTAL Histogram"},
        {"Rack1_VREN1_HData05", "     PILOT INJ Hist Data vs Time"},
        {"Rack1_VREN1_HDSG00", "     SIG Info"},
        {"Rack1_VREN1_HDSG0", nullptr},
        {"Rack1_VREN1_HDARTECP00", "     Artist Experience"},
        {"Rack1_VREN1_HDARTEEL01", "     AE Event Log"},
        {"Rack1_VREN1_HDSISData0", "     SIS Data"},
        {"Rack1_VREN1_HDPADData0", "     PAD Data"},
        {"Rack1_VREN1_HDSPECTRUM0", "     Spectrum"},
        {"Rack1_VREN1_HDTIMEALIGN0", "     Time/Level Alignment"},
        {"Rack1_VREN1_HDTASETTINGS1", "     Time Alignment Settings"},
        {"Rack1_VREN1_HDPROGRAMSEL0", "     Program Select"},
        {"Rack1_VREN1_VREN1SETTINGS0", "     Settings"},
        {"Rack1_VREN1_HDBERData0", "     BER Data"},
        {"Rack1_VREN1_VREN1AR3", "     Alarms/Relays"},
        {"Rack1_VREN1_HDCONFIG0", "     Unit Configuration"},
        {"Rack1_VREN1_HDRAWDATA0", "     Raw Data"},
        {"Rack1_VREN1_TAVR1SETTINGS0", nullptr}, // another model's window
        {"Rack1_KELB1_BarPlot0", "     TOTAL Bar Graph"},
        {"Rack1_KELB1_Alarms", "      Alarms"},
        {"Rack1_KELB1_Alarms0", nullptr},
        {"Rack1_LYN1_RDSData", "      RDS Data "},
        {"Rack1_NUVA1_DTPlot01", "     LEFT vs Time"},
        {"Rack1_VARN11_HistPlot02", "     SCA MOD Histogram"},
        {"Rack1_GRY250_BarPlot1", "     SAP DEV Bar Graph"},
        {"Rack1_PELO2_Alarms", "      Alarms"},
        {"Rack1_JOV4_HistPlot00", nullptr}, // the tuner module opens no plots
        {"Rack1_ZU4", "  ZU4"},
        {"Rack1_VARN10", "  VARN10"},
    };
    for (const ChildCase& c : cases) {
        const QList<TOpenWindowEntry> entries = BuildOpenWindowList({{c.name, "R"}});
        ASSERT_EQ(entries.size(), 1) << c.name;
        const QString fallback = QString(c.name).mid(6);
        EXPECT_EQ(entries.at(0).text.toStdString(),
                  c.shown ? std::string(c.shown) : fallback.toStdString())
            << c.name;
        if (!c.shown) {
            EXPECT_EQ(entries.at(0).key, "BZ  ") << c.name;
        }
    }
}

// Orders that fixed letters alone would get wrong.
TEST(OpenWindowList, HighChannelsAndTheTwoAmPanelsKeepTheirOrder)
{
    // Channels above 25 take the character 39 + channel: 26 is "A" again and
    // sorts with channel 0 (by its title), 30 is "E" and sorts with channel 4.
    const QList<TOpenWindowEntry> vren1 = BuildOpenWindowList(named({
        "Rack3_VREN1_HistPlot30",
        "Rack3_VREN1_HistPlot25",
        "Rack3_VREN1_HDSG00",
        "Rack3_VREN1",
        "Rack3_VREN1_HistPlot26",
        "Rack3_VREN1_HistPlot01",
        "Rack3_VREN1_HistPlot04",
        "Rack3_VREN1_HistPlot00",
    }));
    EXPECT_EQ(joined(shown(vren1)), joined({
                                        "  VREN1",
                                        "     HD Audio:HD4 L-R Histogram", // 26: A
                                        "     TOTAL Histogram",            // 0: A
                                        "     LEFT Histogram",             // 1: B
                                        "     HD Audio:HD5 L-R Histogram", // 30: E
                                        "     L - R Histogram",            // 4: E
                                        "     HD Audio:HD4 L+R Histogram", // 25: Z
                                        "     SIG Info",
                                    }));
    const auto keyOf = [&](const char* text) {
        for (const TOpenWindowEntry& e : vren1)
            if (e.text == text)
                return e.key;
        return QString();
    };
    EXPECT_EQ(keyOf("     HD Audio:HD4 L-R Histogram").at(3), QChar(39 + 26));
    EXPECT_EQ(keyOf("     HD Audio:HD5 L-R Histogram").at(3), QChar(39 + 30));
    EXPECT_EQ(keyOf("     HD Audio:HD4 L+R Histogram").at(3), QChar('A' + 25));

    const QStringList am = shown(BuildOpenWindowList(named({
        "Rack4_PELO2_HistPlot00",
        "Rack4_PELO1_DTPlot00",
        "Rack4_PELO2",
        "Rack4_PELO1_Alarms",
        "Rack4_PELO1",
        "Rack4_PELO2_Alarms",
    })));
    EXPECT_EQ(joined(am), joined({
                              "  PELO1",
                              "     POS MOD vs Time",
                              "      Alarms",
                              "  PELO2",
                              "     POS MOD Histogram",
                              "      Alarms",
                          }));
}

// Names that are not a connection's windows are left out.
TEST(OpenWindowList, OnlyTheConnectionsAndRacksOneToEight)
{
    const QList<TOpenWindowEntry> entries = BuildOpenWindowList(named({
        "Rack9",
        "Rack0",
        "Racks",
        "MyRack1",
        "Main",
        "Configure",
        "Rack",
        "",
        "Rack12",
        "Rack1x_TAVR1",
        "rack1",
        "Rack8",
        "Rack8_TAVR1",
    }));
    EXPECT_EQ(joined(shown(entries)), joined({"Caption 8", "  TAVR1"}));
}

// A name written by the window base reads back as its title.
TEST(OpenWindowList, NamesWrittenByTheWindowsReadBack)
{
    struct Case
    {
        const TWindowToken& token;
        int index;
        const char* shown;
    } cases[] = {
        {WindowToken::HdSigInfo, 0, "     SIG Info"},
        {WindowToken::HdHistoricalData, 43, "     Level Align Hist Data vs Time"},
        {WindowToken::RackAlarms, 0, "      Alarms"},
        {WindowToken::Vren1AlarmRelay, 3, "     Alarms/Relays"},
    };
    for (const Case& c : cases) {
        const QString panel = c.token.token == QString("_Alarms") ? "Rack2_KELB1" : "Rack2_VREN1";
        const QString name = ChildWindowName(panel, c.token, c.index);
        const QList<TOpenWindowEntry> e = BuildOpenWindowList({{name, ""}});
        ASSERT_EQ(e.size(), 1);
        EXPECT_EQ(e.at(0).text.toStdString(), c.shown) << name.toStdString();
    }
    EXPECT_EQ(ChildWindowName("Rack1_KELB1", WindowToken::RackAlarms, 0), "Rack1_KELB1_Alarms");
    EXPECT_EQ(ChildWindowName("Rack1_VREN1", WindowToken::HdHistoricalData, 5),
              "Rack1_VREN1_HData05");
}
