#include "models/HdTimeAlignTexts.h"

#include "common/FieldHelpers.h"

#include <array>

namespace {

constexpr std::array<int, HdTaResolutionCount> Samples = {256, 512, 1024, 2048, 4096, 8192, 16384};
constexpr std::array<int, HdTaResolutionCount> Ms = {6, 12, 23, 46, 93, 186, 372};

const QString SixteenBlanks(16, ' ');

QString delaySeconds(qint32 us)
{
    return RealField(9, 6, us / 1e6) + " sec";
}

} // namespace

THdTaAxes HdTaAxes(int resolution)
{
    if (resolution < 0 || resolution >= HdTaResolutionCount)
        return {};
    const double n = Samples[size_t(resolution)];
    const double m = Ms[size_t(resolution)];
    return {n + 0.01, n / 4, m + 0.01, m / 4};
}

THdTaSpan HdTaLevelAvgBar(qint32 levelAvgTenths)
{
    const double v = levelAvgTenths / 10.0;
    return {v - 0.5, v + 0.5};
}

THdTaSpan HdTaLevelFastBar(qint32 levelFastTenths)
{
    const double v = levelFastTenths / 10.0;
    return {v - 0.25, v + 0.25};
}

THdTaTimeBars HdTaTimeBars(double samplesLimit, qint32 timeAvg, qint32 timeFast)
{
    const qint64 e = RoundHalfEven(samplesLimit);
    const int w = int(RoundHalfEven(samplesLimit * 0.025));
    const int v = int(RoundHalfEven(samplesLimit * 0.0125));
    const double avg = double(qBound<qint64>(-e, timeAvg, e));
    const double fast = double(qBound<qint64>(-e, timeFast, e));
    return {{avg - w, avg + w}, {fast - v, fast + v}, w, v};
}

QString HdTaLevelAvgTitle(qint32 levelAvgTenths)
{
    return "AVG " + FixedField(5, 1, levelAvgTenths / 10.0) + " dB  ";
}

QString HdTaLevelFastTitle(qint32 levelFastTenths)
{
    return "FAST " + FixedField(5, 1, levelFastTenths / 10.0) + " dB";
}

QString HdTaTimeAvgTitle(qint32 timeAvg)
{
    return "AVG " + SignedIntField(timeAvg, 6) + " samples " +
           FixedField(5, 1, timeAvg / HdSamplesPerMs) + " ms      ";
}

QString HdTaTimeFastTitle(qint32 timeFast)
{
    return "FAST " + SignedIntField(timeFast, 6) + " samples " +
           FixedField(5, 1, timeFast / HdSamplesPerMs) + " ms";
}

QString HdTaBlankLevelAvgTitle()
{
    return QStringLiteral("AVG       dB  ");
}

QString HdTaBlankLevelFastTitle()
{
    return QStringLiteral("FAST       dB");
}

QString HdTaBlankTimeAvgTitle()
{
    return QStringLiteral("AVG        samples       ms      ");
}

QString HdTaBlankTimeFastTitle()
{
    return QStringLiteral("FAST        samples       ms");
}

THdTaChartTitles HdTaChartTitles(bool valid, bool polarityInverted)
{
    if (!valid)
        return {"Level Alignment:  Out of Range", "Time Alignment:  Out of Range", true};
    if (polarityInverted)
        return {"Level Alignment:  Audio Polarity Inverted",
                "Time Alignment:  Audio Polarity Inverted", true};
    return {"Level Alignment:  Audio Polarity Normal", "Time Alignment:  Audio Polarity Normal",
            false};
}

QString HdTaStateText(qint32 state)
{
    static const char* const texts[18] = {" Not Connected ", " InActive      ", "  Active       ",
                                          " Apply Required", " Not Activated ", " Dly Ctr Error ",
                                          " Initializing  ", " Tuner Freq Err", " Login Failed  ",
                                          " Dly Limit Err ", "  Idle         ", "  Configuring  ",
                                          "  Rebooting    ", "  Success      ", "  Failed       ",
                                          "  Logging In   ", "  Initialize   ", "  No Device    "};
    // The state is a raw byte from the unit: one outside the table shows
    // nothing rather than reading past it.
    if (state < 0 || state >= 18)
        return {};
    return QString::fromLatin1(texts[state]);
}

QString HdTaDeviceDelayText(qint32 state, qint32 deviceDelayUs)
{
    if (state == 2 || state == 5 || state == 9)
        return delaySeconds(deviceDelayUs);
    return SixteenBlanks;
}

QString HdTaErrorText(qint32 errorNs)
{
    return RealField(12, 9, errorNs / 1e9) + " sec";
}

THdTaUpdateTexts HdTaUpdateTexts(qint32 mode, const THdServiceRec& s)
{
    const QString ramp = " Ramp (" + IntField(s.RampPercent, 3) + "%) ";
    const QString correction = s.TaState == 2 ? delaySeconds(s.DelayCorrectionUs) : SixteenBlanks;
    switch (mode) {
    case 0:
        return {" Update Device ", QString(13, ' ')};
    case 1:
        return {s.RampActive == 1 ? ramp : QStringLiteral(" Update Device "), correction};
    case 2:
        return {s.RampActive == 1 ? ramp
                                  : " Auto (" + IntField(s.AutoHours, 2) + ":" +
                                        ZeroPadInt(s.AutoMinutes, 2) + ") ",
                correction};
    default:
        return {};
    }
}

QString HdTaMultiScanCaption(bool enabled, qint32 hours, qint32 minutes)
{
    if (!enabled)
        return QStringLiteral(" Multi-Scan ");
    return " Multi-Scan (" + IntField(hours, 2) + ":" + ZeroPadInt(minutes, 2) + ") ";
}

QString HdTaAutoItem(qint32 autoSampleResolution)
{
    return " Auto( " + QString::number(autoSampleResolution) + " )";
}
