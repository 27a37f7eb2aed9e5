#include "models/Gry250_Menu.h"

#include "common/FieldHelpers.h"
#include "models/RackMenuLines.h"
#include "protocol/rack/RackCommands.h"

#include <cmath>

using namespace RackLines;

namespace {

double hs(const TMeasurementHistory& history, int s)
{
    return h(history, TGry250Menu::SeriesArea, s);
}

QString muteLine(qint32 v)
{
    static const char* const modes[] = {" OFF", "  ON", "AUTO"};
    return "  MUTE - " + tableText(modes, v, unknownCode(4)) + "   ";
}

QString carrierLine(const QString& label, bool carrier, double h)
{
    if (!carrier)
        return label + " **.* DB ";
    const double a = 3.5 - h / 2;
    return label + (a >= 0 ? "+" : "-") + RealField(4, 1, std::fabs(a)) + " DB ";
}

} // namespace

TGry250Menu::TGry250Menu()
    : TRackMenuModel(Gry250MenuTable(), {Gry250ShowItemCmd, Gry250SelectPageCmd, Gry250SetValueCmd})
{}

QString TGry250Menu::Readout(int which, const TGry250State& s, const TMeasurementHistory& hist)
{
    const quint8 carrier = which == 0 ? Gry250SapCarrierBit : Gry250ProCarrierBit;
    if (!(s.StatusBits & carrier))
        return QStringLiteral("- - -");
    return IntField(RoundHalfEven(hs(hist, which == 0 ? 1 : 2) / 10), 3);
}

QString TGry250Menu::MenuText(int item, const TGry250State& s, const TMeasurementHistory& hist)
{
    const bool busy = (s.StatusBits & GryBusyBit) != 0;
    const qint32 v = setting(s, item);
    switch (item) {
    case 0:
        return percentLine("  TOTAL   ", hs(hist, 0));
    case 1:
        return "SAP INJ " + RealField(4, 1, hs(hist, 3) / 10) + " KHZ";
    case 2:
        return "PRO INJ " + RealField(4, 1, hs(hist, 4) / 10) + " KHZ";
    case 3:
        return carrierLine(" SAP   ", s.StatusBits & Gry250SapCarrierBit, hs(hist, 5));
    case 4:
        return carrierLine(" PRO   ", s.StatusBits & Gry250ProCarrierBit, hs(hist, 5));
    case 5:
        return QStringLiteral("   MODIFY SAP   ");
    case 6:
        return QStringLiteral("   MODIFY PRO   ");
    case 7:
        return QStringLiteral(" MODIFY SETTINGS");
    case 8:
    case 16:
        return " PEAK MOD " + valueField(s, item, IntField(v, 4)) + " %";
    case 9:
    case 17:
        return unreported(s, item) ? QStringLiteral("  MUTE - ") + "       " : muteLine(v);
    case 10:
    case 18:
        return "  MUTE  " + valueField(s, item, RealField(4, 1, v / 10.0)) + " KHZ";
    case 11:
        return onOffLine(flag(s, 11), " SAP BPF - IN   ", " SAP BPF - OUT  ");
    case 19:
        return onOffLine(flag(s, 19), " PRO BPF - IN   ", " PRO BPF - OUT  ");
    case 12:
        return onOffLine(flag(s, 12), "DET BW - 20 kHZ", "DET BW - 10 kHZ");
    case 13: {
        static const char* const responses[] = {"DBX ", "75US ", "FLAT "};
        return "SAP RESP -  " + tableText(responses, v, unknownCode(4) + " ");
    }
    case 14: {
        static const char* const cal[] = {" OFF  ", " ZERO ", " DEV  ", "LF DBX", "HF DBX"};
        return "SAP CAL - " + valueField(s, item, tableText(cal, v, unknownCode(6)));
    }
    case 20: {
        static const char* const cal[] = {" OFF  ", " ZERO ", " DEV  "};
        return "PRO CAL - " + valueField(s, item, tableText(cal, v, unknownCode(6)));
    }
    case 15:
    case 21:
    case 28:
        return exitLine;
    case 22:
        return holdLine(s, 22);
    case 23:
    case 24:
        return unitLine(item - 23, flag(s, item));
    case 25:
        return unitLine(2, s.SettingsBits & Gry250RemoteBit);
    case 26:
        return saveLine(busy);
    case 27:
        return onOffLine(busy, "    LOADING     ", "  LOAD CONFIG   ");
    default:
        return reservedLine;
    }
}
