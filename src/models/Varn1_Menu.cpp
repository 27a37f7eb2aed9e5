#include "models/Varn1_Menu.h"

#include "common/FieldHelpers.h"
#include "models/RackMenuLines.h"
#include "protocol/rack/RackCommands.h"

#include <cmath>

using namespace RackLines;

namespace {

double hs(const TMeasurementHistory& history, int unit, int s)
{
    return h(history, TVarn1Menu::SeriesArea + 256 * (unit == 1 ? 1 : 0), s);
}

QString levelLine(const QString& label, double h)
{
    const double a = 3.5 - h / 2;
    return label + (a >= 0 ? "+" : "-") + RealField(4, 1, std::fabs(a)) + " DB ";
}

} // namespace

TVarn1Menu::TVarn1Menu(int unit)
    : TRackMenuModel(Varn1MenuTable(),
                     {[unit](int n) { return Varn1ShowItemCmd(unit, n); },
                      [unit](int k) { return Varn1SelectPageCmd(unit, k); },
                      [unit](int e, int v) { return Varn1SetValueCmd(unit, e, v); }})
    , m_unit(unit)
{}

QString TVarn1Menu::Readout(const TVarn1UnitState& s, const TMeasurementHistory& hist, int unit)
{
    if (s.StatusBits & 0x40)
        return QStringLiteral("- - -");
    return IntField(RoundHalfEven(hs(hist, unit, 2) / 10), 3);
}

QString TVarn1Menu::MenuText(int item, const TVarn1UnitState& s, const TMeasurementHistory& hist,
                             int unit)
{
    const bool rds = setting(s, Varn1ModulationTypeItem) == 1;
    const qint32 v = item >= 0 && item < RackSettingItems ? setting(s, item) : 0;
    const QString channel = IntField(setting(s, 2), 1);
    switch (item) {
    case 0:
        return percentLine("  TOTAL   ", hs(hist, unit, 0));
    case 1:
        return percentLine("  MAIN    ", hs(hist, unit, 1));
    case 2: {
        const QString injection = RealField(4, 1, hs(hist, unit, 3) / 10) + " %";
        if (s.SettingsBits & Varn1CalibratorBit)
            return "SCA#* INJ " + injection;
        return "SCA#" + channel + " INJ " + injection;
    }
    case 3:
        return markSixteenth(levelLine(" MAIN  ", hs(hist, unit, 4)), flag(s, 3) ? '*' : ' ');
    case 4: {
        const QString line = levelLine(" SCA   ", hs(hist, unit, 4));
        return v == 1 ? markSixteenth(line, '*') : v == 2 ? markSixteenth(line, '+') : line;
    }
    case 5:
        return QStringLiteral("   MODIFY BPF   ");
    case 6:
        return QStringLiteral("   MODIFY DET   ");
    case 7:
        return QStringLiteral(" MODIFY SETTINGS");
    case 8:
        return onOffLine(flag(s, 8), "   BPF - IN     ", "   BPF - OUT    ");
    case 9:
        if (rds)
            return QStringLiteral("FREQ<RDS> 57 KHZ");
        return "FREQ - " + RealField(5, 1, v * 5 / 10.0) + " KHZ";
    case 10:
        if (rds)
            return QStringLiteral(" BPF BW - RDS   ");
        return " BPF BW - " + IntField(v, 2) + " KHZ";
    case 12:
        return onOffLine(rds, "MOD TYPE - RDS  ", "MOD TYPE - FM   ");
    case 13:
        // Any response but flat and 75 us is the 150 us one.
        return v == 0   ? QStringLiteral("DET RESP - FLAT ")
               : v == 1 ? QStringLiteral("DET RESP - 75US ")
                        : QStringLiteral("DET RESP - 150US ");
    case 14:
        return " DET BW - " + IntField(v + 1, 2) + " KHZ";
    case 15:
        return " NORM - " + RealField(4, 1, (v + 10) / 10.0) + " KHZ";
    case 17:
        return holdLine(s, 17);
    case 18:
        return " PEAK MOD " + IntField(v, 3) + "  %";
    case 19:
        return onOffLine(flag(s, 19), "TIME MODE - PAST", "TIME MODE - REAL");
    case 20:
        if (unreported(s, 20))
            return QStringLiteral(" INFINITE -     ");
        return onOffLine(flag(s, 20), " INFINITE -  ON ", " INFINITE - OFF ");
    case 21:
        return onOffLine((s.SettingsBits & Varn1RemoteBit) != 0, "  REMOTE -  ON  ",
                         "  REMOTE - OFF  ");
    case 22:
        if (s.Saving)
            return "    SAVING  #" + channel + "  ";
        return " SAVE CONFIG #" + channel + " ";
    case 23: {
        if (rds)
            return QStringLiteral(" MUTE<RDS> - ON ");
        static const char* const modes[] = {" OFF", "  ON", "AUTO"};
        return "  MUTE - " + tableText(modes, v, unknownCode(4)) + "   ";
    }
    case 24:
        return "  MUTE   " + RealField(4, 1, v / 10.0) + " % ";
    case 25:
        return onOffLine(flag(s, 25), "MAIN RESP - 75US", "MAIN RESP - FLAT");
    case 26:
        return onOffLine(flag(s, 26), "CALIBRATOR - ON ", "CALIBRATOR - OFF");
    case 11:
    case 16:
    case 27:
        return QStringLiteral("     EXIT ?     ");
    default:
        return reservedLine;
    }
}
