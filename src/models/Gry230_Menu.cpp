#include "models/Gry230_Menu.h"

#include "common/FieldHelpers.h"
#include "models/RackMenuLines.h"
#include "protocol/rack/RackCommands.h"

using namespace RackLines;

namespace {

double hs(const TMeasurementHistory& history, int s)
{
    return h(history, TGry230Menu::SeriesArea, s);
}

} // namespace

TGry230Menu::TGry230Menu()
    : TRackMenuModel(Gry230MenuTable(), {Gry230ShowItemCmd, Gry230SelectPageCmd, Gry230SetValueCmd})
{}

QString TGry230Menu::Readout(int which, const TGry230State& s, const TMeasurementHistory& hist)
{
    return stereoReadout(hist, SeriesArea, s.MenuIndex == PilotItem ? 12 : 6, which);
}

QString TGry230Menu::MenuText(int item, const TGry230State& s, const TMeasurementHistory& hist)
{
    if (item >= 7 && item <= 15)
        return separationLine(item - 7, hist, SeriesArea, 19, (s.SettingsBits & Gry230FlagBit) != 0,
                              " SUB   ");
    const bool busy = (s.StatusBits & GryBusyBit) != 0;
    const qint32 v = setting(s, item);
    static const char* const modes[] = {"OFF   ", "ON    ", "AUTO  "};
    switch (item) {
    case 0:
        return percentLine("  TOTAL   ", hs(hist, 0));
    case 1:
        return percentLine(" STEREO   ", hs(hist, 3));
    case 2:
        return "STEREO PPM " + IntField(qint64(hs(hist, 22)), 4) + " ";
    case 3:
        return percentLine("  L + R   ", hs(hist, 12));
    case 4:
        return "L + R  PPM " + IntField(qint64(hs(hist, 23)), 4) + " ";
    case 5:
        return percentLine("  L - R   ", hs(hist, 15));
    case 6:
        return "PILOT  " + RealField(4, 1, hs(hist, 18) / 10) + " KHZ";
    case 16:
        return QStringLiteral("   MODIFY PPM   ");
    case 17:
        return QStringLiteral(" MODIFY SETTINGS");
    case 18:
        return "   SAP  - " + valueField(s, item, tableText(modes, v, unknownCode(6)));
    case 19:
        return "   PRO  - " + valueField(s, item, tableText(modes, v, unknownCode(6)));
    case 20:
        return " ST PEAK " + valueField(s, item, IntField(v, 4)) + " %";
    case 23:
        return "L+R PEAK " + valueField(s, item, IntField(v, 4)) + " %";
    case 21:
        return " ST THRES  " + valueField(s, item, IntField(v, 4)) + " ";
    case 24:
        return "L+R THRES  " + valueField(s, item, IntField(v, 4)) + " ";
    case 22:
        return durationLine(" ST DUR ", v, " ST DUR - TRACK");
    case 25:
        return durationLine("L+R DUR ", v, "L+R DUR - TRACK");
    case 26:
    case 37:
        return exitLine;
    case 27:
        return holdLine(s, 27);
    case 28:
    case 29:
    case 30:
        return unitLine(item - 28, flag(s, item));
    case 31:
        return saveLine(busy);
    case 32:
        return onOffLine(busy, "    LOADING     ", "  LOAD CONFIG   ");
    case 33:
        return onOffLine(flag(s, 33), " MODE - MTS     ", " MODE - EQUIV   ");
    case 34:
        return onOffLine(flag(s, 34), "   DBX - IN    ", "   DBX - OUT   ");
    case 35:
        return onOffLine(flag(s, 35), "INPUT SEL - #2 ", "INPUT SEL - #1 ");
    case 36:
        return onOffLine(flag(s, 36), "SYNC DET - ON  ", "SYNC DET - OFF ");
    default:
        return reservedLine;
    }
}
