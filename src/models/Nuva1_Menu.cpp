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

} // namespace

TNuva1Menu::TNuva1Menu()
    : TRackMenuModel(Nuva1MenuTable(), {Nuva1ShowItemCmd, Nuva1SelectPageCmd, Nuva1SetValueCmd})
{}

QString TNuva1Menu::Readout(int which, const TNuva1State& s, const TMeasurementHistory& hist)
{
    return stereoReadout(hist, SeriesArea, s.MenuIndex == CrosstalkItem ? 9 : 3, which);
}

QString TNuva1Menu::MenuText(int item, const TNuva1State& s, const TMeasurementHistory& hist)
{
    if (item >= 5 && item <= 13)
        return separationLine(item - 5, hist, SeriesArea, 17, (s.SettingsBits & FlagBit) != 0,
                              "38 KHZ ");
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
    case 14:
        return QStringLiteral(" MODIFY SETTINGS");
    case 15:
        return holdLine(s);
    case 16:
    case 17:
    case 18:
        return unitLine(item - 16, flag(s, item));
    case 19:
        return saveLine(s.Saving);
    case 20:
        return onOffLine(flag(s, 20), " XTALK - DIRECT ", " XTALK - MATRIX ");
    case 21:
        return exitLine;
    default:
        return reservedLine;
    }
}
