#include "models/Pelo_Menu.h"

#include "common/FieldHelpers.h"
#include "models/RackMenuLines.h"
#include "protocol/rack/RackCommands.h"

#include <cmath>

using namespace RackLines;

namespace {

double hs(const TMeasurementHistory& history, int area, int s)
{
    return h(history, area, s);
}

bool flag(const TRackModuleState& s, int item)
{
    return item >= 0 && item < RackSettingItems && s.Flags[std::size_t(item)];
}

qint32 setting(const TRackModuleState& s, int item)
{
    return item >= 0 && item < RackSettingItems ? s.Settings[std::size_t(item)] : 0;
}

QString count(const char* label, double h)
{
    return label + IntField(qint64(h), 4);
}

// The peak lines, Pelo1 items 6..11.
QString peakLine(int n, const TMeasurementHistory& hist, int area)
{
    switch (n) {
    case 0:
        return percentLine("+ PEAK AVE ", hs(hist, area, 1));
    case 1:
        return "+ AVE/PEAK " + RealField(4, 2, hs(hist, area, 3) / 100) + " ";
    case 2:
        return percentLine("+ PEAK MIN ", hs(hist, area, 2));
    case 3:
        return percentLine("- PEAK AVE ", hs(hist, area, 5));
    case 4:
        return "- AVE/PEAK " + RealField(4, 2, hs(hist, area, 7) / 100) + " ";
    default:
        return percentLine("- PEAK MIN ", hs(hist, area, 6));
    }
}

// The setting lines both modules share, by the Pelo1 item number; empty for
// an item that is not one of them. item is the module's own item number; its
// value shows blank while the module has not reported it.
QString settingLine(int pelo1Item, const TRackModuleState& s, int item)
{
    const qint32 v = setting(s, item);
    const bool blank = unreported(s, item);
    auto IntField = [&](qint64 value, int width) {
        return valueField(s, item, ::IntField(value, width));
    };
    auto durationLine = [&](const char* label, qint64 code, const char* track) {
        return blank ? QString(label) + "     MS" : RackLines::durationLine(label, code, track);
    };
    auto weightingLine = [&](const char* label, qint64 code, const char* off) {
        return blank ? QString(label) + "   CYC" : RackLines::weightingLine(label, code, off);
    };
    switch (pelo1Item) {
    case 16:
        return "+ PEAK MOD " + IntField(v, 3) + " %";
    case 27:
        return "- PEAK MOD " + IntField(v, 3) + " %";
    case 17:
        return "+PPM THRESH  " + IntField(v, 3);
    case 28:
        return "-PPM THRESH  " + IntField(v, 3);
    case 18:
        return durationLine("+PPM DUR ", v, "+PPM DUR - TRACK");
    case 29:
        return durationLine("-PPM DUR ", v, "-PPM DUR - TRACK");
    case 19:
        return "NORM HIGH  " + IntField(v, 3) + " %";
    case 20:
        return "NORM  LOW  " + IntField(v, 3) + " %";
    case 21:
        return "NORM THRESH  " + IntField(v, 3);
    case 22:
        return durationLine("NORM DUR ", v, "NORM DUR - TRACK");
    case 23:
        return " SENTRY  " + IntField(v, 3) + "  % ";
    case 24:
        return " SENTRY  " + IntField(v, 3) + " SEC";
    case 25:
        return weightingLine("PK WEIGHT ", v, "PK WEIGHT - OFF ");
    case 32:
        return "CAR THRESH " + IntField(v, 3) + " %";
    case 33:
        return "CAR TIME " + IntField(v, 3) + " SEC";
    case 34:
        return "SHIFT THRES " + IntField(v, 3) + "%";
    default:
        return {};
    }
}

QString unitLine(int kind, const TRackModuleState& s, int item)
{
    switch (kind) {
    case 0:
        return onOffLine(flag(s, item), "TIME MODE - PAST", "TIME MODE - REAL");
    case 1:
        return onOffLine(flag(s, item), " INFINITE -  ON ", " INFINITE - OFF ");
    case 2:
        return onOffLine(flag(s, item), "  REMOTE -  ON  ", "  REMOTE - OFF  ");
    default:
        return onOffLine(s.Saving, "    SAVING      ", "  SAVE CONFIG   ");
    }
}

const QString exitLine = QStringLiteral("     EXIT ?     ");

} // namespace

QString PeloReadout(const TMeasurementHistory& history, int area)
{
    return IntField(RoundHalfEven(hs(history, area, 4) / 10), 3);
}

TPelo1Menu::TPelo1Menu()
    : TRackMenuModel(Pelo1MenuTable(), {[](int n) { return Pelo1ShowItemCmd(n); },
                                        [](int k) { return Pelo1SelectPageCmd(k); },
                                        [](int e, int v) { return Pelo1SetValueCmd(e, v); }})
{}

QString TPelo1Menu::MenuText(int item, const TPelo1State& s, const TMeasurementHistory& hist)
{
    constexpr int area = SeriesArea;
    const qint32 v = setting(s, item);
    if (const QString line = settingLine(item, s, item); !line.isEmpty())
        return line;
    switch (item) {
    case 0:
        return percentLine("  POS MOD ", hs(hist, area, 0));
    case 1:
        return percentLine("CAR LEVEL ", hs(hist, area, 8));
    case 2:
        return percentLine("CAR SHIFT ", hs(hist, area, 9));
    case 3:
        return count("+PPM COUNT ", hs(hist, area, 10));
    case 4:
        return count("-PPM COUNT ", hs(hist, area, 11));
    case 5:
        return count("NORM COUNT ", hs(hist, area, 12));
    case 6:
    case 7:
    case 8:
    case 9:
    case 10:
    case 11:
        return peakLine(item - 6, hist, area);
    case 12:
        return QStringLiteral("  POS SETTINGS  ");
    case 13:
        return QStringLiteral("  NEG SETTINGS  ");
    case 14:
        return QStringLiteral("  CAR SETTINGS  ");
    case 15:
        return QStringLiteral(" UNIT SETTINGS  ");
    case 26:
    case 30:
    case 35:
    case 43:
        return exitLine;
    case 31:
        return onOffLine(flag(s, 31), "MOD MODE - NORM ", "MOD MODE - FIXED");
    case 36:
        if (unreported(s, 36))
            return holdLine(s, 36);
        return "   HOLD " + RealField(4, 1, s.HoldTime * 0.5) + " SEC";
    case 37:
        return unitLine(0, s, 37);
    case 38:
        return unitLine(1, s, 38);
    case 39:
        return unitLine(2, s, 39);
    case 40:
        return unitLine(3, s, 40);
    case 41:
        if (unreported(s, 41))
            return QStringLiteral(" MOD ADJ      % ");
        if (v >= 20)
            return " MOD ADJ +" + RealField(4, 1, (v - 20) / 2.0) + "% ";
        return " MOD ADJ -" + RealField(4, 1, (20 - v) / 2.0) + "% ";
    case 42:
        return onOffLine(flag(s, 42), "CALIBRATOR - ON ", "CALIBRATOR - OFF");
    default:
        return reservedLine;
    }
}

TPelo2Menu::TPelo2Menu()
    : TRackMenuModel(Pelo2MenuTable(),
                     {[](int n) { return Pelo2ShowItemCmd(n); },
                      [](int k) { return Pelo2SelectPageCmd(k); },
                      [](int e, int v) { return Pelo2SetValueCmd(e, v); }},
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
    constexpr int area = SeriesArea;
    const qint32 v = setting(s, item);
    // Items 21..29, 31..33 and 37..39 are the Pelo1 setting lines.
    if (item >= 21 && item <= 29)
        return settingLine(item - 5, s, item);
    if (item >= 31 && item <= 33)
        return settingLine(item - 4, s, item);
    if (item >= 37 && item <= 39)
        return settingLine(item - 5, s, item);
    switch (item) {
    case 0:
        return percentLine("  POS MOD ", hs(hist, area, 0));
    case 1:
        return percentLine("CAR LEVEL ", hs(hist, area, 8));
    case 2:
        return percentLine("CAR REF   ", hs(hist, area, 9));
    case 3:
        return percentLine("CAR HIGH  ", hs(hist, area, 10));
    case 4:
        return percentLine("CAR LOW   ", hs(hist, area, 11));
    case 5:
        return "CAR RATIO " + RealField(3, 1, hs(hist, area, 12) / 10) + " DB";
    case 6: {
        const double noise = hs(hist, area, 13) / 10;
        return QString("NOISE  ") + (noise >= 0 ? "+" : "-") + RealField(4, 1, std::fabs(noise)) +
               " DB ";
    }
    case 7:
        return count("+PPM COUNT ", hs(hist, area, 14));
    case 8:
        return count("-PPM COUNT ", hs(hist, area, 15));
    case 9:
        return count("NORM COUNT ", hs(hist, area, 16));
    case 10:
    case 11:
    case 12:
    case 13:
    case 14:
    case 15:
        return peakLine(item - 10, hist, area);
    case 16:
        return QStringLiteral("  POS SETTINGS  ");
    case 17:
        return QStringLiteral("  NEG SETTINGS  ");
    case 18:
        return QStringLiteral("  CAR SETTINGS  ");
    case 19:
        return QStringLiteral(" UNIT SETTINGS  ");
    case 20:
        return QStringLiteral(" FREQ SETTINGS  ");
    case 30:
    case 34:
    case 40:
    case 48:
    case 52:
        return exitLine;
    case 35: {
        static const char* const modes[] = {"FIXED ", "NORM  ", "MDCL  ",
                                            "IMOD  ", "NORM5K", "NORM8K"};
        return "MOD MODE- " + valueField(s, item, tableText(modes, v, unknownCode(6)));
    }
    case 36:
        return onOffLine(flag(s, 36), "MDCL REF - HIGH ", "MDCL REF - LOW  ");
    case 41:
        return holdLine(s, 41);
    case 42:
        return unitLine(0, s, 42);
    case 43:
        return unitLine(1, s, 43);
    case 44:
        return unitLine(2, s, 44);
    case 45:
        return unitLine(3, s, 45);
    case 46:
        return onOffLine(flag(s, 46), " AUDIO - METER  ", " AUDIO - TEST   ");
    case 47:
        return onOffLine(flag(s, 47), "CALIBRATOR - ON ", "CALIBRATOR - OFF");
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
    case Pelo2IncrementItem:
        return onOffLine(flag(s, Pelo2IncrementItem), "FREQ INC 5/10KHZ", "FREQ INC 1/1 KHZ");
    default:
        return reservedLine;
    }
}
