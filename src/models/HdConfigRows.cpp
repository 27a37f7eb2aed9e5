#include "models/HdConfigRows.h"

#include "common/FieldHelpers.h"
#include "protocol/hd/HdSettingTexts.h"

#include <iterator>

namespace {

using Record = HdConfigRecord;
using Row = TConfigReportRow<Record>;
using Format = std::function<QString(const Record&)>;

const QStringList& rfInputTexts()
{
    static const QStringList l = {"Antenna", "High Level"};
    return l;
}
const QStringList& calibratorTexts()
{
    static const QStringList l = {"Off",
                                  "Zero",
                                  "Mono 1kHz 100%",
                                  "Left    1Hz     90%",
                                  "Left    5kHz   90%",
                                  "Left  11kHz   90%",
                                  "Left  15kHz   90%"};
    return l;
}
const QStringList& compositeBandwidthTexts()
{
    static const QStringList l = {"Stereo + RDS", "Stereo + 67 kHz SCA", "Stereo + 92 kHz SCA"};
    return l;
}
const QStringList& displayModeTexts()
{
    static const QStringList l = {"Real Time", "Peak Hold", "Average", "Infinite Hold"};
    return l;
}
const QStringList& verticalResolutionTexts()
{
    static const QStringList l = {" 0.1 dB ", " 0.2 dB ", " 0.3 dB ", " 0.4 dB ",
                                  " 0.5 dB ", " 0.6 dB ", " 0.7 dB ", " 0.8 dB "};
    return l;
}
const QStringList& horizontalResolutionTexts()
{
    static const QStringList l = {"  25 Hz ", " 50 Hz ", "100 Hz ", "250 Hz ", "500 Hz ",
                                  "1 kHz",    "1.5 kHz", "2.0 kHz", "2.5 kHz"};
    return l;
}
const QStringList& timeModeTexts()
{
    static const QStringList l = {"Realtime", "Pastime"};
    return l;
}
const QStringList& offOnTexts()
{
    static const QStringList l = {"OFF", "ON"};
    return l;
}
// The settings window lets the screen saver run to 12 hours.
const QStringList& screenSaverTexts()
{
    static const QStringList l = [] {
        QStringList s{"OFF"};
        for (int h = 1; h <= 12; ++h)
            s << QString("%1 hr").arg(h);
        return s;
    }();
    return l;
}
const QStringList& timeAlignResolutionTexts()
{
    static const QStringList l = {"256 samples, 6 ms",     "512 samples, 12 ms",
                                  "1024 samples, 23 ms",   "2048 samples, 46 ms",
                                  "4096 samples, 93 ms",   "8192 samples, 186 ms",
                                  "16384 samples, 372 ms"};
    return l;
}

QString offOnAutoText(qint32 v)
{
    switch (v) {
    case 2:
        return QStringLiteral("AUTO");
    case 1:
        return QStringLiteral("ON");
    default:
        return QStringLiteral("OFF");
    }
}

// A decoder's program is one bit of a mask; anything else names no program.
QString programText(qint32 v)
{
    if (v == 0)
        return QStringLiteral("N/A");
    for (int hd = 1; hd <= 8; ++hd) {
        if (v == (1 << (hd - 1)))
            return QString("HD%1").arg(hd);
    }
    return {};
}

// Formatters of one item.
Format tenths(int item, int width, const char* suffix)
{
    return [=](const Record& r) { return RealField(width, 1, r[item] / 10.0) + suffix; };
}
// The unit stores the bar-graph scale factors as positive attenuations.
Format negatedTenths(int item, int width, const char* suffix)
{
    return [=](const Record& r) { return RealField(width, 1, (0.0 - r[item]) / 10.0) + suffix; };
}
Format plain(int item, int width, const char* suffix)
{
    return [=](const Record& r) { return RealField(width, 1, double(r[item])) + suffix; };
}
Format integer(int item, int width, const char* suffix = "")
{
    return [=](const Record& r) { return IntField(r[item], width) + suffix; };
}
Format listed(int item, const QStringList& texts)
{
    return [=, &texts](const Record& r) { return ConfigReportText(texts, r[item]); };
}
Format onOffAuto(int item)
{
    return [=](const Record& r) { return offOnAutoText(r[item]); };
}
Format program(int item)
{
    return [=](const Record& r) { return programText(r[item]); };
}
Format fixed(const char* text)
{
    return [=](const Record&) { return QString(text); };
}

void addSettingsRows(TConfigReportRows<Record>& rows)
{
    auto value = [&](const char* caption, Format f) { rows << Row{caption, std::move(f)}; };
    auto header = [&](const char* caption) { rows << Row{caption, {}}; };
    auto blank = [&] { rows << Row{QString(), {}}; };

    value(" RF Input", listed(4, rfInputTexts()));
    value(" Tuning Frequency", tenths(2, 5, " MHz"));
    value(" Calibarator", listed(179, calibratorTexts()));
    value(" RF Mute", onOffAuto(8));
    blank();
    value(" Composite Filter Bandwidth", listed(9, compositeBandwidthTexts()));
    value(" Composite Peak ", tenths(10, 5, "%"));
    blank();

    header(" RF Spectrum");
    value("   Display Mode", listed(22, displayModeTexts()));
    value("   Hold Count", integer(23, 4));
    value("   Average Count", integer(24, 4));
    value("   Power Measurments", onOffAuto(32));
    value("   RF Mask", onOffAuto(29));
    value("   RF Mask Lower Limit", tenths(30, 6, " dB"));
    value("   RF Mask Upper Limit", tenths(31, 6, " dB"));
    value("   Color", onOffAuto(28));
    value("   Curve Fill", onOffAuto(27));
    value("   dB Ref Level: Antenna", tenths(25, 6, " dBFS"));
    value("   dB Ref Level: High Level", tenths(26, 6, " dBFS"));
    value("   Vert Offset", tenths(21, 6, " dB"));
    value("   Vert Axis Index", integer(12, 4));
    value("   Vert Resolution", listed(13, verticalResolutionTexts()));
    value("   Cursor C1", integer(14, 4));
    value("   Horz Resolution", listed(16, horizontalResolutionTexts()));
    value("   Cursor C2", integer(15, 4));
    value("   HRI Index", integer(17, 4));
    value("   Zoom Freq",
          [](const Record& r) { return RealField(8, 3, r.real(HdZoomWord)); });
    blank();

    header(" Unit Settings");
    value("   Time Mode", listed(71, timeModeTexts()));
    value("   Hold Time", listed(72, Vren1HoldTimeTexts()));
    value("   Infinite Hold", listed(73, offOnTexts()));
    value("   Remote", listed(74, offOnTexts()));
    value("   Screen Saver", listed(75, screenSaverTexts()));
    blank();

    header(" Bar Graph");
    header("   Scale Factor");
    value("     Analog", negatedTenths(168, 5, " dBFS"));
    for (int hd = 1; hd <= 8; ++hd)
        rows << Row{QString("     HD%1").arg(hd), negatedTenths(168 + hd, 5, " dBFS")};
    blank();
    value(" Time Align Resolution", listed(177, timeAlignResolutionTexts()));
    blank();

    auto outputs = [&](const char* caption, int firstItem, int count) {
        header(caption);
        for (int ch = 0; ch < count; ++ch) {
            rows << Row{QString("    Ch%1").arg(ch + 1),
                        listed(firstItem + ch, Vren1OutputSources())};
        }
        blank();
    };
    outputs(" Analog Output", 76, 8);
    outputs(" AES_EBU Output", 84, 6);

    header(" Headphone Output");
    value("    Left", listed(90, Vren1OutputSources()));
    value("    Right", listed(91, Vren1OutputSources()));
    value("    Volume", integer(92, 5, "%"));
    blank();

    header(" Program Select");
    for (int d = 1; d <= 4; ++d)
        rows << Row{QString("    Decoder #%1").arg(d), program(161 + d)};
    blank();
    header(" Alarms/Relays");
}

void addAlarmRows(TConfigReportRows<Record>& rows)
{
    enum Threshold
    {
        Tenths,  // tenths of the unit, with the suffix
        Samples, // whole samples, with the suffix (0..250)
        NegativeSamples, // the same, -250..0
        Count,   // a plain number
        None,    // the alarm has no threshold
    };
    struct Alarm
    {
        const char* caption;
        Threshold threshold;
        const char* suffix;
    };
    static const Alarm alarms[] = {
        {"    Loss of RF(ANT)", Tenths, " dB"},
        {"    Loss of RF(HL)", Tenths, " %"},
        {"    Loss of Total", Tenths, " %"},
        {"    Total Peak", Tenths, " %"},
        {"    Loss of ANL L+R", Tenths, " %"},
        {"    Loss of Pilot", Tenths, " %"},
        {"    HD Station LED", None, ""},
        {"    HD Audio LED", None, ""},
        {"    SIS CRC LED", None, ""},
        {"    QI Value", Count, ""},
        {"    CD/NO", Tenths, " dB"},
        {"    Loss of HD1", Tenths, " %"},
        {"    Loss of HD2", Tenths, " %"},
        {"    Loss of HD3", Tenths, " %"},
        {"    Loss of HD4", Tenths, " %"},
        {"    Loss of HD5", Tenths, " %"},
        {"    Loss of HD6", Tenths, " %"},
        {"    Loss of HD7", Tenths, " %"},
        {"    Loss of HD8", Tenths, " %"},
        {"    Time Align +", Samples, " samples"},
        {"    Time Align -", NegativeSamples, " samples"},
        {"    Audio Polarity LED", None, ""},
    };
    constexpr int totalPeak = 4;
    constexpr int compositePeakItem = 10;
    for (int n = 1; n <= int(std::size(alarms)); ++n) {
        const Alarm& a = alarms[n - 1];
        const int base = 93 + 3 * (n - 1);
        // The total-peak alarm trips on the composite peak setting.
        const int thresholdItem = n == totalPeak ? compositePeakItem : base;
        Format threshold;
        switch (a.threshold) {
        case Tenths:
            threshold = tenths(thresholdItem, 5, a.suffix);
            break;
        case Samples:
            threshold = plain(thresholdItem, 5, a.suffix);
            break;
        case NegativeSamples:
            // Width 6, so -100.0 .. -250.0 fit.
            threshold = plain(thresholdItem, 6, a.suffix);
            break;
        case Count:
            threshold = integer(thresholdItem, 5);
            break;
        case None:
            threshold = fixed("N/A");
            break;
        }
        rows << Row{a.caption, {}};
        rows << Row{"      Thres", std::move(threshold)};
        rows << Row{"      Time", n == totalPeak ? fixed("N/A") : integer(base + 1, 5, " sec")};
        rows << Row{"      Action",
                    [item = base + 2](const Record& r) { return AlarmActionText(r[item]); }};
    }
}

} // namespace

const TConfigReportRows<HdConfigRecord>& HdConfigRows()
{
    static const TConfigReportRows<Record> rows = [] {
        TConfigReportRows<Record> r;
        r.reserve(HdConfigRowCount);
        addSettingsRows(r);
        addAlarmRows(r);
        return r;
    }();
    return rows;
}

QStringList HdConfigColumn(const HdConfigRecord& record)
{
    return ConfigReportColumn(HdConfigRows(), record);
}
