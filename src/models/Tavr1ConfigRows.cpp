#include "models/Tavr1ConfigRows.h"

#include "common/FieldHelpers.h"
#include "common/OutputSources.h"
#include "common/SpectrumTables.h"

namespace {

using Record = Tavr1ConfigRecord;
using Row = TConfigReportRow<Record>;
using Format = std::function<QString(const Record&)>;

const QStringList& rfInputTexts()
{
    static const QStringList l = {"Antenna", "High Level"};
    return l;
}
const QStringList& filterTexts()
{
    static const QStringList l = {"Wideband", "HD -25dB MP1", "HD -25dB MP3", "HD -50dB MP1",
                                  "HD -50dB MP3"};
    return l;
}
const QStringList& compositeBandwidthTexts()
{
    static const QStringList l = {"Stereo+RDS", "Stereo+67kHz", "Stereo+92kHz"};
    return l;
}
const QStringList& displayModeTexts()
{
    static const QStringList l = {"Real Time", "Peak Hold", "Average", "Infinite Hold"};
    return l;
}

// Formatters of one item.
Format tenths(int item, int width, const char* suffix)
{
    return [=](const Record& r) { return RealField(width, 1, r[item] / 10.0) + suffix; };
}
Format integer(int item, int width, const char* suffix = "")
{
    return [=](const Record& r) { return IntField(r[item], width) + suffix; };
}
// The attenuators store steps of -0.5 dB.
Format attenuator(int item)
{
    return [=](const Record& r) { return RealField(6, 1, r[item] * -0.5) + "dB"; };
}
Format listed(int item, const QStringList& texts, const QString& fallback = ConfigReportOutOfRange)
{
    return [=, &texts](const Record& r) { return ConfigReportText(texts, r[item], fallback); };
}
Format onOff(int item)
{
    return [=](const Record& r) { return Tavr1OnOffText(r[item]); };
}
Format onOffAuto(int item)
{
    return [=](const Record& r) { return Tavr1OnOffAutoText(r[item]); };
}
Format zoom(int firstItem)
{
    return [=](const Record& r) { return RealField(8, 3, r.real(firstItem)); };
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

    value(" Tuning Frequency", tenths(2, 5, " MHz"));
    value(" RF Input", listed(4, rfInputTexts()));
    value(" High Lev Atten", attenuator(5));
    value(" Antenna Atten", attenuator(6));
    value(" Filter       ", listed(8, filterTexts()));
    value(" Mute         ", onOffAuto(9));
    blank();
    // The unit has no text for a bandwidth past its three.
    value(" Composite BW", listed(10, compositeBandwidthTexts(), QString()));
    value(" Composite Peak", tenths(11, 5, " % "));
    blank();

    header(" RF Spectrum");
    value("   Display Mode", listed(24, displayModeTexts()));
    value("   Hold Count", integer(25, 4));
    value("   Average Count", integer(26, 4));
    value("   Power Measurments", onOff(31));
    value("   RF Mask", onOff(30));
    value("   Color", onOffAuto(29));
    value("   Curve Fill", onOff(28));
    // Both inputs share one reference item.
    value("   dB Ref Level: Antenna", tenths(27, 6, " dBFS"));
    value("   dB Ref Level: High Level", tenths(27, 6, " dBFS"));
    value("   Vert Offset", tenths(23, 6, " dB"));
    value("   Vert Resolution", listed(14, VerticalResolutionTexts()));
    value("   Cursor C1", integer(15, 4));
    value("   Horz Resolution", listed(17, RfHorizontalResolutionTexts()));
    value("   Cursor C2", integer(16, 4));
    value("   HRI Index", integer(18, 4));
    value(" Zoom Freq", zoom(Tavr1RfZoomItem));
    blank();

    header(" Composite Spectrum");
    value("   Display Mode", listed(42, displayModeTexts()));
    value("   Hold Count", integer(43, 4));
    value("   Average Count", integer(44, 4));
    value("   Measurments", onOff(48));
    value("   Color", onOffAuto(47));
    value("   Curve Fill", onOff(46));
    value("   dB Ref Level: ", tenths(45, 6, " dBFS"));
    value("   Vert Offset", tenths(41, 6, " dB"));
    value("   Vert Resolution", listed(33, VerticalResolutionTexts()));
    value("   Cursor C1", integer(34, 4));
    value("   Horz Resolution", listed(36, CompositeHorizontalResolutionTexts()));
    value("   Cursor C2", integer(35, 4));
    value("   HRI Index", integer(37, 4));
    value(" Zoom Freq", zoom(Tavr1CompositeZoomItem));
    blank();

    header(" Audio Spectrum");
    value("   Display Mode", listed(62, displayModeTexts()));
    value("   Hold Count", integer(63, 4));
    value("   Average Count", integer(64, 4));
    value("  Measurments", onOff(68));
    value("   Color", onOffAuto(67));
    value("   Curve Fill", onOff(66));
    value("   dB Ref Level: ", tenths(65, 6, " dBFS"));
    value("   Vert Offset", tenths(61, 6, " dB"));
    value("   Vert Resolution", listed(50, VerticalResolutionTexts()));
    value("   Cursor C1", integer(51, 4));
    value("   Horz Resolution", listed(53, AudioHorizontalResolutionTexts()));
    value("   Cursor C2", integer(52, 4));
    value("   HRI Index", integer(54, 4));
    value(" Zoom Freq", zoom(Tavr1AudioZoomItem));
    blank();

    auto outputs = [&](const char* caption, int firstItem) {
        header(caption);
        for (int ch = 0; ch < 8; ++ch) {
            rows << Row{QString("    Ch%1").arg(ch + 1),
                        listed(firstItem + ch, Tavr1OutputSources())};
        }
        blank();
    };
    outputs(" Analog Output", 97);
    outputs(" AES_EBU Output", 105);

    header(" Headphone Output");
    value("    Left", listed(113, Tavr1OutputSources()));
    value("    Right", listed(114, Tavr1OutputSources()));
    value("    Volume", integer(115, 5, "%"));
    blank();
    header(" Alarms/Relays");
}

void addAlarmRows(TConfigReportRows<Record>& rows)
{
    struct Alarm
    {
        const char* caption;
        const char* suffix;
        int thresholdItem; // -1: the alarm's own item
        bool thresholdNotShown;
        bool timeNotShown;
    };
    static const Alarm alarms[] = {
        {"    Loss of RF(ANT)", " dB", -1, false, false},
        {"    Loss of RF(HL)", " %", -1, false, false},
        {"    High AM Noise", " dB", -1, false, false},
        {"    High SYNC Noise", " dB", -1, false, false},
        {"    Loss of Total", " %", -1, false, false},
        {"    Total Peak", " %", 11, false, true},
        {"    Loss of L+R", " %", -1, false, false},
        {"    Loss of Pilot", " %", -1, false, false},
        {"    Loss of RDS", " %", -1, false, false},
        {"    Loss RDS SYNC", "", -1, true, false},
        {"    Loss of SCA#1", " %", 87, false, false},
        {"    SCA#1 Peak LED", " %", 83, false, true},
        {"    Loss of SCA#2", " %", 88, false, false},
        {"    SCA#2 Peak LED", " %", 84, false, true},
    };
    for (int n = 1; n <= 14; ++n) {
        const Alarm& a = alarms[n - 1];
        const int base = 116 + 3 * (n - 1);
        rows << Row{a.caption, {}};
        rows << Row{"      Thres",
                    a.thresholdNotShown
                        ? fixed("N/A")
                        : tenths(a.thresholdItem >= 0 ? a.thresholdItem : base, 5, a.suffix)};
        rows << Row{"      Time", a.timeNotShown ? fixed("N/A") : integer(base + 1, 5, " sec")};
        rows << Row{"      Action",
                    [item = base + 2](const Record& r) { return AlarmActionText(r[item]); }};
    }
}

} // namespace

QString Tavr1OnOffText(qint32 v)
{
    return (v & 3) == 1 ? QStringLiteral("ON") : QStringLiteral("OFF");
}

QString Tavr1OnOffAutoText(qint32 v)
{
    switch (v & 3) {
    case 2:
        return QStringLiteral("AUTO");
    case 1:
        return QStringLiteral("ON");
    default:
        return QStringLiteral("OFF");
    }
}

const TConfigReportRows<Tavr1ConfigRecord>& Tavr1ConfigRows()
{
    static const TConfigReportRows<Record> rows = [] {
        TConfigReportRows<Record> r;
        r.reserve(Tavr1ConfigRowCount);
        addSettingsRows(r);
        addAlarmRows(r);
        return r;
    }();
    return rows;
}

QStringList Tavr1ConfigColumn(const Tavr1ConfigRecord& record)
{
    return ConfigReportColumn(Tavr1ConfigRows(), record);
}
