#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <optional>

// What the time-alignment settings window shows and works out, free of
// widgets: its lists, the texts beside its up-downs, the apply state and
// notice, and the delay centre taken from the device's measured delay.

constexpr int HdTaDeviceCount = 17;
constexpr int HdTaApplyStateCount = 8;
constexpr int HdTaRateCount = 8;
constexpr int HdTaApplyAction = 534; // carries the configuration k - 1
constexpr int HdTaApplyRequiredState = 3;

// The list items, each shown with its leading blanks.
const QStringList& HdTaModeItems();     // Direct, Manual, Auto
const QStringList& HdTaRateItems();     // 0.5 .. 60.0 min
const QStringList& HdTaDeviceItems();   // the 17 external processors
const QStringList& HdTaConnectItems();  // Disable, Enable
const QStringList& HdTaScanModeItems(); // Disable, Enable

// The apply state of a configuration; empty for a value no state names.
QString HdTaApplyStateText(qint32 state);

// The notice every configuration page shows from the unit-wide state: the
// unit asks for an Apply in state 3 only.
struct THdTaApplyNotice
{
    QString text;
    bool required = false; // red notice and lime Apply caption; else black
};
THdTaApplyNotice HdTaApplyNotice(qint32 state);

// A multi-scan entry: the frequency in tenths of MHz (875..1079, step 2) and
// its up-down position 0..102.
QString HdTaScanFreqText(qint32 tenthsMhz); // " 98.1 MHz"
int HdTaScanFreqPosition(qint32 tenthsMhz); // halves to the even neighbour
qint32 HdTaScanFreqValue(int position);
QString HdTaScanTimeText(qint32 value);

// The texts beside a configuration's up-downs. Ramp and port digits read
// differently after a refill than after the operator's click.
QString HdTaDelaySecondsText(qint32 v);  // "  1 sec"
QString HdTaDelayMsText(qint32 v);       // "234 ms"
QString HdTaDelayUsText(qint32 v);       // "567 us"
QString HdTaRampText(qint32 v);          // " 12 ms", after a click
QString HdTaRampFillText(qint32 v);      // " 12ms", after a refill
QString HdTaOffsetText(qint32 v);        // "100 samples"
QString HdTaOctetText(qint32 v);         // "192"
QString HdTaPortDigitText(qint32 v);     // "  8", after a click
QString HdTaPortDigitFillText(qint32 v); // "8", after a refill

// The delay centre the device's measured delay gives, split into whole
// seconds, milliseconds and microseconds. Only while the unit reports a
// device delay (state 2 active, 5 delay-centre error, 9 delay-limit error),
// and only for a delay the up-downs can hold (0 .. 15,999,999 µs).
struct THdTaDelayCentre
{
    qint32 s = 0, ms = 0, us = 0;
    bool operator==(const THdTaDelayCentre&) const = default;
};
std::optional<THdTaDelayCentre> HdTaDelayCentreFromDevice(qint32 state, qint32 deviceDelayUs);
