#include "models/Nuva1_Menu.h"

#include "common/FieldHelpers.h"
#include "models/RackMenuLines.h"
#include "protocol/rack/RackCommands.h"

using namespace RackLines;

namespace {

constexpr int FlagBit = 0x10; // items 5..13 marked

double hs(const TMeasurementHistory& history, int s)
{
    return h(history, TNuva1Menu::SeriesArea, s);
}

bool flag(const TNuva1State& s, int item)
{
    return s.Flags[std::size_t(item)];
}

} // namespace

TNuva1Menu::TNuva1Menu()
    : TRackMenuModel(Nuva1MenuTable(), {[](int n) { return Nuva1ShowItemCmd(n); },
                                        [](int k) { return Nuva1SelectPageCmd(k); },
                                        [](int e, int v) { return Nuva1SetValueCmd(e, v); }})
{}

QString TNuva1Menu::Readout(int which, const TNuva1State& s, const TMeasurementHistory& hist)
{
    const bool sum = s.MenuIndex == CrosstalkItem;
    const int series = which == 0 ? (sum ? 9 : 3) : (sum ? 12 : 6);
    return IntField(RoundHalfEven(hs(hist, series) / 10), 3);
}

QString TNuva1Menu::MenuText(int item, const TNuva1State& s, const TMeasurementHistory& hist)
{
    const bool marked = (s.SettingsBits & FlagBit) != 0;
    switch (item) {
    case 0:
        return percentLine("  TOTAL   ", hs(hist, 0));
    case 1:
        return percentLine("  L + R   ", hs(hist, 9));
    case 2:
        return percentLine("  L - R   ", hs(hist, 12));
    case 3:
        return "PILOT INJ " + RealField(4, 1, hs(hist, 15) / 10) + " %";
    case 4:
        return "PILOT MOD  " + IntField(RoundHalfEven(hs(hist, 16) / 10), 3) + " %";
    case 5:
        return dbLine(" LEFT  ", hs(hist, 17), marked);
    case 6:
        return dbLine(" RIGHT ", hs(hist, 18), marked);
    case 7:
        return markSixteenth("  SEP  -" + RealField(4, 1, hs(hist, 19) / 2) + " DB ",
                             marked ? '*' : ' ');
    case 8:
        return dbLine(" L + R ", hs(hist, 17), marked);
    case 9:
        return dbLine(" L - R ", hs(hist, 18), marked);
    case 10:
        return markSixteenth("XTALK  -" + RealField(4, 1, hs(hist, 19) / 2) + " DB ",
                             marked ? '*' : ' ');
    case 11:
        return dbLine(" TOTAL ", hs(hist, 17), marked);
    case 12:
        return dbLine(" PILOT ", hs(hist, 17), marked);
    case 13:
        return dbLine("38 KHZ ", hs(hist, 18), marked);
    case 14:
        return QStringLiteral(" MODIFY SETTINGS");
    case 15:
        return holdLine(s);
    case 16:
        return onOffLine(flag(s, 16), "TIME MODE - PAST", "TIME MODE - REAL");
    case 17:
        return onOffLine(flag(s, 17), " INFINITE -  ON ", " INFINITE - OFF ");
    case 18:
        return onOffLine(flag(s, 18), "  REMOTE -  ON  ", "  REMOTE - OFF  ");
    case 19:
        return QString::fromLatin1(s.Saving ? "    SAVING      " : "  SAVE CONFIG   ");
    case 20:
        return onOffLine(flag(s, 20), " XTALK - DIRECT ", " XTALK - MATRIX ");
    case 21:
        return QStringLiteral("     EXIT ?     ");
    default:
        return reservedLine;
    }
}
