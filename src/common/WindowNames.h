#pragma once

#include <QString>

// The component names of instrument windows: panel name + kind token + index.
// The open-window list reads them back, so every token and index format lives
// here and nowhere else.
struct TWindowToken
{
    const char* token;  // appended to the panel name
    bool twoDigitIndex; // index written as two digits ("03"), else decimal
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
    return panelName + t.token +
           (t.twoDigitIndex ? QString("%1").arg(index, 2, 10, QChar('0')) : QString::number(index));
}
