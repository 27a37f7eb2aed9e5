#pragma once

#include <QStringList>

// The resolution steps of the spectrum pages as the instruments name them,
// indexed by the value the unit stores.

// Vertical resolution: 0..7 are 0.1 dB .. 0.8 dB per division.
const QStringList& VerticalResolutionTexts();
// Horizontal resolution of the RF page: 25 Hz .. 2.5 kHz.
const QStringList& RfHorizontalResolutionTexts();
// Horizontal resolution of the composite page: 5 Hz .. 250 Hz.
const QStringList& CompositeHorizontalResolutionTexts();
// Horizontal resolution of the audio page: 1 Hz .. 50 Hz.
const QStringList& AudioHorizontalResolutionTexts();

// ---------------------------------------------------------------------------
// The numbers behind those steps. Every lookup clamps its index into its
// table, so a word the unit sent out of range never reads past an array; the
// word itself is left as the unit holds it.

// The pages a spectrum window draws. The HD unit's RF page follows the Tavr1
// RF tables.
enum class TSpectrumPageKind
{
    Rf,
    Composite,
    Audio,
    Hd,
};

constexpr int SpectrumPoints = 501;
constexpr int SpectrumMaxVr = 7;

// The largest horizontal resolution index of a page: 8 on RF pages, 5 else.
int SpectrumMaxHr(TSpectrumPageKind kind);
int ClampVr(int vr);
int ClampHr(TSpectrumPageKind kind, int hr);

// Frequency step per point, in whole hertz: every step of the pages is one.
int SpectrumStepHz(TSpectrumPageKind kind, int hr);
// dB per step of cursor C1, in tenths of dB (0.1 .. 0.8 dB).
int SpectrumC1StepTenths(int vr);
// dB per step of the vertical offset.
int SpectrumOffsetStepDb(int vr);
// Span of the vertical axis below its top, dB (negative).
int SpectrumVerticalSpanDb(int vr);

struct TSpectrumRange
{
    int min = 0;
    int max = 0;
    int step = 1; // the "Freq" up-down's increment

    int clamp(int v) const { return v < min ? min : (v > max ? max : v); }
    bool operator==(const TSpectrumRange&) const = default;
};

// Range of the vertical offset at a vertical resolution.
TSpectrumRange SpectrumOffsetRange(int vr);
// Range and step of the "Freq" offset in points; dual applies to the audio
// page only.
TSpectrumRange SpectrumFreqRange(TSpectrumPageKind kind, int hr, bool dual);
// Label increment of the frequency axis, kHz.
double SpectrumAxisIncrementKHz(TSpectrumPageKind kind, int hr);
// The resolution texts of the page's horizontal resolution, index clamped.
QString SpectrumHrText(TSpectrumPageKind kind, int hr);
QString SpectrumVrText(int vr);
