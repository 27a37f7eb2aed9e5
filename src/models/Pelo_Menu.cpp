#include "models/Pelo_Menu.h"

#include "common/FieldHelpers.h"
#include "models/RackMenuLines.h"
#include "protocol/rack/RackCommands.h"

#include <array>
#include <cmath>
#include <span>

using namespace RackLines;

namespace {

double hs(const TMeasurementHistory& history, int area, int s)
{
    return h(history, area, s);
}

// The forms an item's line takes. The two modules share most lines, at other
// item numbers and series; a line only one of them has is drawn by that
// module's own function (Own).
enum class Form : quint8
{
    Reserved,
    Text,      // text as it stands
    Percent,   // percentLine(text, series)
    Count,     // text + the series as a count
    AvePeak,   // text + the series as an average-to-peak ratio
    Number,    // text + the item's setting + suffix
    Duration,  // durationLine(text, setting, suffix)
    Weighting, // weightingLine(text, setting, suffix)
    Flag,      // text while the item's flag is set, else suffix
    Unit,      // unitLine(series, the item's flag)
    Save,      // saveLine while the module saves
    Exit,      // exitLine
    Own,
};

struct Line
{
    Form form = Form::Reserved;
    const char* text = nullptr;
    int series = 0;
    const char* suffix = nullptr;
};

constexpr Line text(const char* t)
{
    return {Form::Text, t};
}
constexpr Line percent(const char* label, int series)
{
    return {Form::Percent, label, series};
}
constexpr Line count(const char* label, int series)
{
    return {Form::Count, label, series};
}
constexpr Line number(const char* label, const char* suffix = "")
{
    return {Form::Number, label, 0, suffix};
}
constexpr Line duration(const char* label, const char* track)
{
    return {Form::Duration, label, 0, track};
}
constexpr Line onOff(const char* on, const char* off)
{
    return {Form::Flag, on, 0, off};
}
constexpr Line own{Form::Own};
constexpr Line exitItem{Form::Exit};

// A module's lines by item number, from the runs of its pages in order.
template <std::size_t... N>
constexpr std::array<Line, (N + ...)> join(const Line (&... runs)[N])
{
    std::array<Line, (N + ...)> all{};
    std::size_t at = 0;
    auto put = [&](const auto& run) {
        for (const Line& l : run)
            all[at++] = l;
    };
    (put(runs), ...);
    return all;
}

// The runs both modules show alike.
constexpr Line peaks[] = {
    percent("+ PEAK AVE ", 1), {Form::AvePeak, "+ AVE/PEAK ", 3}, percent("+ PEAK MIN ", 2),
    percent("- PEAK AVE ", 5), {Form::AvePeak, "- AVE/PEAK ", 7}, percent("- PEAK MIN ", 6),
};
constexpr Line headings[] = {
    text("  POS SETTINGS  "),
    text("  NEG SETTINGS  "),
    text("  CAR SETTINGS  "),
    text(" UNIT SETTINGS  "),
};
constexpr Line positiveSettings[] = {
    number("+ PEAK MOD ", " %"),
    number("+PPM THRESH  "),
    duration("+PPM DUR ", "+PPM DUR - TRACK"),
    number("NORM HIGH  ", " %"),
    number("NORM  LOW  ", " %"),
    number("NORM THRESH  "),
    duration("NORM DUR ", "NORM DUR - TRACK"),
    number(" SENTRY  ", "  % "),
    number(" SENTRY  ", " SEC"),
};
constexpr Line negativeSettings[] = {
    number("- PEAK MOD ", " %"),
    number("-PPM THRESH  "),
    duration("-PPM DUR ", "-PPM DUR - TRACK"),
    exitItem,
};
constexpr Line carrierSettings[] = {
    number("CAR THRESH ", " %"),
    number("CAR TIME ", " SEC"),
    number("SHIFT THRES ", "%"),
    exitItem,
};
// The hold, its own on each module, then the time mode, infinite hold,
// remote and save lines.
constexpr Line unitSettings[] = {
    own, {Form::Unit, nullptr, 0}, {Form::Unit, nullptr, 1}, {Form::Unit, nullptr, 2}, {Form::Save},
};
constexpr Line calibrator = onOff("CALIBRATOR - ON ", "CALIBRATOR - OFF");

constexpr auto pelo1Lines =
    join({percent("  POS MOD ", 0), percent("CAR LEVEL ", 8), percent("CAR SHIFT ", 9),
          count("+PPM COUNT ", 10), count("-PPM COUNT ", 11), count("NORM COUNT ", 12)},
         peaks, headings, positiveSettings,
         {{Form::Weighting, "PK WEIGHT ", 0, "PK WEIGHT - OFF "}, exitItem}, negativeSettings,
         {onOff("MOD MODE - NORM ", "MOD MODE - FIXED")}, carrierSettings, unitSettings,
         {own, calibrator, exitItem}); // 41: the modulation adjustment
static_assert(pelo1Lines.size() == 44);

constexpr auto pelo2Lines = join(
    {percent("  POS MOD ", 0), percent("CAR LEVEL ", 8), percent("CAR REF   ", 9),
     percent("CAR HIGH  ", 10), percent("CAR LOW   ", 11), own, own, // the ratio and the noise
     count("+PPM COUNT ", 14), count("-PPM COUNT ", 15), count("NORM COUNT ", 16)},
    peaks, headings, {text(" FREQ SETTINGS  ")}, positiveSettings, {exitItem}, negativeSettings,
    {own, onOff("MDCL REF - HIGH ", "MDCL REF - LOW  ")}, // 35: the modulation mode
    carrierSettings, unitSettings,
    {onOff(" AUDIO - METER  ", " AUDIO - TEST   "), calibrator, exitItem},
    // 49: the frequency and its mode, then its increment
    {own, own, onOff("FREQ INC 5/10KHZ", "FREQ INC 1/1 KHZ"), exitItem});
static_assert(pelo2Lines.size() == 53);
static_assert(Pelo2FrequencyItem == 49 && Pelo2FrequencyModeItem == 50 && Pelo2IncrementItem == 51);

using OwnLine = QString (*)(int item, const TRackModuleState& s, const TMeasurementHistory& hist);

// The item's line from the module's table; an item past the table is
// reserved. A setting's value shows blank while the module has not reported
// it.
QString lineOf(std::span<const Line> lines, int item, const TRackModuleState& s,
               const TMeasurementHistory& hist, int area, OwnLine ownLine)
{
    if (item < 0 || item >= int(lines.size()))
        return reservedLine;
    const Line& l = lines[std::size_t(item)];
    const qint32 v = setting(s, item);
    const bool blank = unreported(s, item);
    switch (l.form) {
    case Form::Reserved:
        break;
    case Form::Text:
        return QString::fromLatin1(l.text);
    case Form::Percent:
        return percentLine(l.text, hs(hist, area, l.series));
    case Form::Count:
        return l.text + IntField(qint64(hs(hist, area, l.series)), 4);
    case Form::AvePeak:
        return l.text + RealField(4, 2, hs(hist, area, l.series) / 100) + " ";
    case Form::Number:
        return l.text + valueField(s, item, IntField(v, 3)) + l.suffix;
    case Form::Duration:
        return blank ? QString(l.text) + "     MS" : durationLine(l.text, v, l.suffix);
    case Form::Weighting:
        return blank ? QString(l.text) + "   CYC" : weightingLine(l.text, v, l.suffix);
    case Form::Flag:
        return onOffLine(flag(s, item), l.text, l.suffix);
    case Form::Unit:
        return unitLine(l.series, flag(s, item));
    case Form::Save:
        return saveLine(s.Saving);
    case Form::Exit:
        return exitLine;
    case Form::Own:
        return ownLine(item, s, hist);
    }
    return reservedLine;
}

QString pelo1Own(int item, const TRackModuleState& s, const TMeasurementHistory&)
{
    const qint32 v = setting(s, item);
    if (item == 36) {
        if (unreported(s, 36))
            return holdLine(s, 36);
        return "   HOLD " + RealField(4, 1, s.HoldTime * 0.5) + " SEC";
    }
    if (item != 41) // the modulation adjustment
        return reservedLine;
    if (unreported(s, 41))
        return QStringLiteral(" MOD ADJ      % ");
    if (v >= 20)
        return " MOD ADJ +" + RealField(4, 1, (v - 20) / 2.0) + "% ";
    return " MOD ADJ -" + RealField(4, 1, (20 - v) / 2.0) + "% ";
}

QString pelo2Own(int item, const TRackModuleState& s, const TMeasurementHistory& hist)
{
    constexpr int area = TPelo2Menu::SeriesArea;
    const qint32 v = setting(s, item);
    switch (item) {
    case 5:
        return "CAR RATIO " + RealField(3, 1, hs(hist, area, 12) / 10) + " DB";
    case 6: {
        const double noise = hs(hist, area, 13) / 10;
        return QString("NOISE  ") + (noise >= 0 ? "+" : "-") + RealField(4, 1, std::fabs(noise)) +
               " DB ";
    }
    case 35: {
        static const char* const modes[] = {"FIXED ", "NORM  ", "MDCL  ",
                                            "IMOD  ", "NORM5K", "NORM8K"};
        return "MOD MODE- " + valueField(s, item, tableText(modes, v, unknownCode(6)));
    }
    case 41:
        return holdLine(s, 41);
    case Pelo2FrequencyItem:
        if (unreported(s, item))
            return QStringLiteral("FREQ        KHZ");
        if (v > 2000)
            return "FREQ " + RealField(6, 3, v / 1000.0) + " MHZ";
        return "FREQ   " + IntField(v, 4) + " KHZ";
    case Pelo2FrequencyModeItem: {
        static const char* const modes[] = {"DIR ", "AUTO", "SCAN", "LOCK"};
        return "FREQ MODE - " + valueField(s, item, tableText(modes, v, unknownCode(4)));
    }
    default:
        return reservedLine;
    }
}

} // namespace

QString PeloReadout(const TMeasurementHistory& history, int area)
{
    return IntField(RoundHalfEven(hs(history, area, 4) / 10), 3);
}

TPelo1Menu::TPelo1Menu()
    : TRackMenuModel(Pelo1MenuTable(), {Pelo1ShowItemCmd, Pelo1SelectPageCmd, Pelo1SetValueCmd})
{}

QString TPelo1Menu::MenuText(int item, const TPelo1State& s, const TMeasurementHistory& hist)
{
    return lineOf(pelo1Lines, item, s, hist, SeriesArea, pelo1Own);
}

TPelo2Menu::TPelo2Menu()
    : TRackMenuModel(Pelo2MenuTable(), {Pelo2ShowItemCmd, Pelo2SelectPageCmd, Pelo2SetValueCmd},
                     [](const TValueRow& row, TRackModuleState& s, bool up) {
                         return row.item == Pelo2FrequencyItem ? FrequencyKey(s, up) : -1;
                     })
{}

int TPelo2Menu::FrequencyKey(TPelo2State& s, bool up)
{
    switch (setting(s, Pelo2FrequencyModeItem)) {
    case 0:
        break;
    case 1:
        return 1; // auto: the module tunes itself when told
    default:
        return -1;
    }
    qint32& f = s.Settings[std::size_t(Pelo2FrequencyItem)];
    int step = 1;
    if (flag(s, Pelo2IncrementItem))
        step = up ? (f > 1989 ? 5 : 10) : (f > 2000 ? 5 : 10);
    const qint64 moved = qint64(f) + (up ? step : -step);
    const qint64 rounded = RoundHalfEven(double(moved) / step) * step;
    f = int(qBound(qint64(Pelo2MinFrequency), rounded, qint64(Pelo2MaxFrequency)));
    return f;
}

QString TPelo2Menu::MenuText(int item, const TPelo2State& s, const TMeasurementHistory& hist)
{
    return lineOf(pelo2Lines, item, s, hist, SeriesArea, pelo2Own);
}
