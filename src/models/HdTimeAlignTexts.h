#pragma once

#include "protocol/hd/HdData.h"

#include <QString>

// What the time/level alignment display shows, worked out from the unit's
// time-alignment status: the time axes of a display resolution, the bars'
// extents and every readout text. Plain functions, so each case is a table
// row in a test.

constexpr int HdTaResolutionCount = 7;
constexpr double HdSamplesPerMs = 44.1;

struct THdTaAxes
{
    double samples = 0.01;         // bottom axis: -samples .. +samples
    double samplesIncrement = 0.0; // 0: automatic label spacing
    double ms = 0.01;              // top axis: -ms .. +ms
    double msIncrement = 0.0;
};
// The display resolution index 0..6; any other index gives ±0.01, increment 0.
THdTaAxes HdTaAxes(int resolution);

struct THdTaSpan
{
    double from = 0;
    double to = 0;
    bool operator==(const THdTaSpan&) const = default;
};
// The level bars: 1 dB wide about the average, 0.5 dB about the fast value.
THdTaSpan HdTaLevelAvgBar(qint32 levelAvgTenths);
THdTaSpan HdTaLevelFastBar(qint32 levelFastTenths);

struct THdTaTimeBars
{
    THdTaSpan avg, fast;
    int avgHalfWidth = 0;
    int fastHalfWidth = 0;
};
// The time bars for a bottom-axis limit of samplesLimit: each value clamped to
// the axis, the bars 2.5 % and 1.25 % of the limit either side.
THdTaTimeBars HdTaTimeBars(double samplesLimit, qint32 timeAvg, qint32 timeFast);

QString HdTaLevelAvgTitle(qint32 levelAvgTenths);
QString HdTaLevelFastTitle(qint32 levelFastTenths);
QString HdTaTimeAvgTitle(qint32 timeAvg); // of the unclamped value
QString HdTaTimeFastTitle(qint32 timeFast);
// The four series titles while the measurement is out of range.
QString HdTaBlankLevelAvgTitle();
QString HdTaBlankLevelFastTitle();
QString HdTaBlankTimeAvgTitle();
QString HdTaBlankTimeFastTitle();

struct THdTaChartTitles
{
    QString level, time;
    bool red = true; // else green
};
THdTaChartTitles HdTaChartTitles(bool valid, bool polarityInverted);

// The state's text; empty for a state the table does not hold.
QString HdTaStateText(qint32 state);
// The device delay, shown only in states 2, 5 and 9; else sixteen blanks.
QString HdTaDeviceDelayText(qint32 state, qint32 deviceDelayUs);
QString HdTaErrorText(qint32 errorNs);

struct THdTaUpdateTexts
{
    QString caption;         // of the update button
    QString delayCorrection; // the delay correction readout
};
// By the mode of the configuration in use (0 manual, 1 manual with ramp,
// 2 automatic); any other mode gives an empty caption.
THdTaUpdateTexts HdTaUpdateTexts(qint32 mode, const THdServiceRec& s);
QString HdTaMultiScanCaption(bool enabled, qint32 hours, qint32 minutes);
// Item 0 of the sample-resolution list once the unit chose a resolution.
QString HdTaAutoItem(qint32 autoSampleResolution);
