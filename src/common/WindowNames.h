#pragma once

#include <QString>
#include <iterator>

// The component names of instrument windows: panel name + kind token + index.
// The open-window list reads them back, so every token and index format lives
// here and nowhere else.
struct TWindowToken
{
    const char* token;    // appended to the panel name
    bool twoDigitIndex;   // index written as two digits ("03"), else decimal
    bool noIndex = false; // the name ends with the token: a window of which a panel has one
};

namespace WindowToken {
inline constexpr TWindowToken BarPlot{"_BarPlot", false};
inline constexpr TWindowToken HistPlot{"_HistPlot", true};
inline constexpr TWindowToken DTPlot{"_DTPlot", true};
inline constexpr TWindowToken Tavr1BarGraph{"_TAVR1BARGRAPH", false};
inline constexpr TWindowToken Tavr1DbRead{"_TAVR1DBREAD", false};
inline constexpr TWindowToken Tavr1Spectrum{"_TAVR1SPECTRUM", false};
inline constexpr TWindowToken Tavr1RdsBasic{"_TAVR1RDSBASIC", false};
inline constexpr TWindowToken Tavr1RawData{"_TAVR1RAWDATA", false};
inline constexpr TWindowToken Tavr1AlarmRelay{"_TAVR1AR", false};
inline constexpr TWindowToken Tavr1Config{"_TAVR1CONFIG", false};
inline constexpr TWindowToken Tavr1Settings{"_TAVR1SETTINGS", false};
} // namespace WindowToken

// Panel model tokens, appended to the rack name.
namespace PanelToken {
inline constexpr const char* Tavr1 = "_TAVR1";
inline constexpr const char* Vren1 = "_VREN1";
inline constexpr const char* Jov4 = "_JOV4";
inline constexpr const char* Zu4 = "_ZU4";
inline constexpr const char* Dask4 = "_DASK4";
inline constexpr const char* Kelb1 = "_KELB1";
inline constexpr const char* Nuva1 = "_NUVA1";
inline constexpr const char* Lyn1 = "_LYN1";
inline constexpr const char* Varn1Unit0 = "_VARN10";
inline constexpr const char* Varn1Unit1 = "_VARN11";
inline constexpr const char* Gry230 = "_GRY230";
inline constexpr const char* Gry250 = "_GRY250";
inline constexpr const char* Pelo1 = "_PELO1";
inline constexpr const char* Pelo2 = "_PELO2";
} // namespace PanelToken

inline QString ChildWindowName(const QString& panelName, const TWindowToken& t, int index)
{
    if (t.noIndex)
        return panelName + t.token;
    return panelName + t.token +
           (t.twoDigitIndex ? QString("%1").arg(index, 2, 10, QChar('0')) : QString::number(index));
}

// ---------------------------------------------------------------------------
// The Vren1 windows and the rack modules' alarm and RDS windows. Named here
// before their windows exist, so each window only has to use its token and
// the open-window list already reads it.
namespace WindowToken {
inline constexpr TWindowToken HdBarGraph{"_HDBARGRAPH", false};
inline constexpr TWindowToken HdSisData{"_HDSISData", false};
inline constexpr TWindowToken HdPadData{"_HDPADData", false};
inline constexpr TWindowToken HdSigInfo{"_HDSG", true};
inline constexpr TWindowToken HdArtistExperience{"_HDARTECP", true};
inline constexpr TWindowToken HdAeEventLog{"_HDARTEEL", true};
inline constexpr TWindowToken HdSpectrum{"_HDSPECTRUM", false};
inline constexpr TWindowToken HdTimeAlign{"_HDTIMEALIGN", false};
inline constexpr TWindowToken HdTaSettings{"_HDTASETTINGS", false};
inline constexpr TWindowToken HdProgramSel{"_HDPROGRAMSEL", false};
inline constexpr TWindowToken Vren1Settings{"_VREN1SETTINGS", false};
inline constexpr TWindowToken HdBerData{"_HDBERData", false};
inline constexpr TWindowToken Vren1AlarmRelay{"_VREN1AR", false};
inline constexpr TWindowToken HdConfig{"_HDCONFIG", false};
inline constexpr TWindowToken HdRawData{"_HDRAWDATA", false};
inline constexpr TWindowToken HdHistoricalData{"_HData", true};
inline constexpr TWindowToken RackAlarms{"_Alarms", false, true};
inline constexpr TWindowToken RdsData{"_RDSData", false, true};
} // namespace WindowToken

// ---------------------------------------------------------------------------
// How the main window's list of open windows sorts and titles each panel and
// window. The list's one source: a window that takes a token above gets its
// row here.

// The panel models, as bits, so one row can serve several.
namespace ListModel {
enum : unsigned
{
    Jov4 = 1u << 0, // also Zu4 and Dask4
    Kelb1 = 1u << 1,
    Nuva1 = 1u << 2,
    Lyn1 = 1u << 3,
    Varn1 = 1u << 4, // either unit
    Gry230 = 1u << 5,
    Gry250 = 1u << 6,
    Pelo1 = 1u << 7,
    Pelo2 = 1u << 8,
    Vren1 = 1u << 9,
    Tavr1 = 1u << 10,
    RackPlots = Kelb1 | Nuva1 | Lyn1 | Varn1 | Gry230 | Gry250 | Pelo1 | Pelo2,
};
} // namespace ListModel

struct TListPanel
{
    const char* token;
    unsigned model;    // a ListModel bit
    char moduleLetter; // sorts the panels of one rack
    int family;        // TPlotFamilyCode, for the channel names
    int instrument;    // PlotInstrumentCode
};

// Pelo2 sorts after Pelo1 (as Gry250 after Gry230), so the windows of the two
// AM panels never interleave.
inline constexpr TListPanel ListPanels[] = {
    {PanelToken::Jov4, ListModel::Jov4, 'B', 0, 0},
    {PanelToken::Zu4, ListModel::Jov4, 'B', 0, 0},
    {PanelToken::Dask4, ListModel::Jov4, 'B', 0, 0},
    {PanelToken::Kelb1, ListModel::Kelb1, 'C', 1, 0},
    {PanelToken::Nuva1, ListModel::Nuva1, 'D', 1, 1},
    {PanelToken::Lyn1, ListModel::Lyn1, 'E', 1, 2},
    {PanelToken::Varn1Unit0, ListModel::Varn1, 'F', 1, 3},
    {PanelToken::Varn1Unit1, ListModel::Varn1, 'G', 1, 4},
    {PanelToken::Gry230, ListModel::Gry230, 'C', 2, 1},
    {PanelToken::Gry250, ListModel::Gry250, 'D', 2, 2},
    {PanelToken::Pelo1, ListModel::Pelo1, 'C', 3, 0},
    {PanelToken::Pelo2, ListModel::Pelo2, 'D', 3, 1},
    {PanelToken::Vren1, ListModel::Vren1, 'C', 4, 0},
    {PanelToken::Tavr1, ListModel::Tavr1, 'C', 5, 0},
};

enum class TListTitle
{
    Fixed,   // title as written
    Channel, // the channel's name + title; index letter "A" + channel
    ByIndex, // titles[index]; index letter "B" + index
};

inline constexpr const char* Vren1BarGraphTitles[] = {
    "HD Analog Bar Graph", "HD Bar Graph#1",  "HD Bar Graph#2", "HD Bar Graph#3",
    "HD Bar Graph#4",      "HD Bar Graph#5",  "HD Bar Graph#6", "HD Bar Graph#7",
    "HD Bar Graph#8",      "Analog Bar Graph"};
inline constexpr const char* Tavr1BarGraphTitles[] = {"Stereo Bar Graph", "SCA Bar Graph   ",
                                                      "Total dB Bar Graph", "Separation Bar Graph",
                                                      "CrossTalk  Bar Graph"};

struct TListWindow
{
    unsigned models;           // ListModel bits of the panels that open it
    const TWindowToken* token; // nullptr: a title no window carries
    const char* key;           // kind letter, or kind and index letters
    TListTitle how;
    const char* title = nullptr;
    const char* const* titles = nullptr; // ByIndex
    int titleCount = 0;
};

inline constexpr TListWindow ListWindows[] = {
    {ListModel::RackPlots, &WindowToken::BarPlot, "A", TListTitle::Channel, " Bar Graph"},
    {ListModel::RackPlots | ListModel::Vren1 | ListModel::Tavr1, &WindowToken::HistPlot, "B",
     TListTitle::Channel, " Histogram"},
    {ListModel::RackPlots | ListModel::Vren1 | ListModel::Tavr1, &WindowToken::DTPlot, "C",
     TListTitle::Channel, " vs Time"},
    {ListModel::Kelb1 | ListModel::Pelo1 | ListModel::Pelo2, &WindowToken::RackAlarms, "D",
     TListTitle::Fixed, " Alarms"},
    {ListModel::Lyn1, &WindowToken::RdsData, "D", TListTitle::Fixed, " RDS Data "},

    {ListModel::Vren1, &WindowToken::HdBarGraph, "A", TListTitle::ByIndex, nullptr,
     Vren1BarGraphTitles, int(std::size(Vren1BarGraphTitles))},
    {ListModel::Vren1, &WindowToken::HdHistoricalData, "D", TListTitle::Channel,
     " Hist Data vs Time"},
    {ListModel::Vren1, &WindowToken::HdSisData, "H", TListTitle::Fixed, "SIS Data"},
    {ListModel::Vren1, &WindowToken::HdPadData, "I", TListTitle::Fixed, "PAD Data"},
    {ListModel::Vren1, &WindowToken::HdSigInfo, "IA", TListTitle::Fixed, "SIG Info"},
    {ListModel::Vren1, &WindowToken::HdArtistExperience, "IB", TListTitle::Fixed,
     "Artist Experience"},
    {ListModel::Vren1, &WindowToken::HdAeEventLog, "IC", TListTitle::Fixed, "AE Event Log"},
    {ListModel::Vren1, &WindowToken::HdSpectrum, "J", TListTitle::Fixed, "Spectrum"},
    {ListModel::Vren1, &WindowToken::HdTimeAlign, "K", TListTitle::Fixed, "Time/Level Alignment"},
    {ListModel::Vren1, &WindowToken::HdTaSettings, "L", TListTitle::Fixed,
     "Time Alignment Settings"},
    {ListModel::Vren1, &WindowToken::HdProgramSel, "M", TListTitle::Fixed, "Program Select"},
    {ListModel::Vren1, &WindowToken::Vren1Settings, "N", TListTitle::Fixed, "Settings"},
    {ListModel::Vren1, &WindowToken::HdBerData, "O", TListTitle::Fixed, "BER Data"},
    {ListModel::Vren1, &WindowToken::Vren1AlarmRelay, "P", TListTitle::Fixed, "Alarms/Relays"},
    {ListModel::Vren1, &WindowToken::HdConfig, "Q", TListTitle::Fixed, "Unit Configuration"},
    {ListModel::Vren1, &WindowToken::HdRawData, "R", TListTitle::Fixed, "Raw Data"},

    {ListModel::Tavr1, &WindowToken::Tavr1BarGraph, "A", TListTitle::ByIndex, nullptr,
     Tavr1BarGraphTitles, int(std::size(Tavr1BarGraphTitles))},
    {ListModel::Tavr1, &WindowToken::Tavr1DbRead, "F", TListTitle::Fixed, "dB Readings"},
    {ListModel::Tavr1, &WindowToken::Tavr1Spectrum, "G", TListTitle::Fixed, "Spectrum"},
    {ListModel::Tavr1, &WindowToken::Tavr1RdsBasic, "H", TListTitle::Fixed, "RDS Basic"},
    // Both alarm/relay windows (with and without SNMP traps) take this token.
    {ListModel::Tavr1, &WindowToken::Tavr1AlarmRelay, "I", TListTitle::Fixed, "Alarm/Relay"},
    {ListModel::Tavr1, &WindowToken::Tavr1Settings, "J", TListTitle::Fixed, "Settings"},
    {ListModel::Tavr1, nullptr, "K", TListTitle::Fixed, "I/O Assign"},
    {ListModel::Tavr1, nullptr, "L", TListTitle::Fixed, "BER Data"},
    {ListModel::Tavr1, nullptr, "M", TListTitle::Fixed, "Relays"},
    {ListModel::Tavr1, &WindowToken::Tavr1Config, "O", TListTitle::Fixed, "Unit Configuration"},
    {ListModel::Tavr1, &WindowToken::Tavr1RawData, "P", TListTitle::Fixed, "Raw Data"},
};
