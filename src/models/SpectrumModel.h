#pragma once

#include "common/SpectrumTables.h"

#include <QList>
#include <QPointF>
#include <QString>
#include <QtGlobal>
#include <array>

// What a spectrum page computes from the unit's words, free of widgets: the
// axes, the cursors and their texts, the re-centring after a change of
// horizontal resolution, the colour band and level of each point, the
// blanking after a page change and the fixed masks. The windows fill their
// controls from these, and the simulated units apply the same rules, so the
// settings a unit reloads agree with what a window computed.

// The words of one page and the command codes (Tavr1) or parameter ids (HD)
// that carry them. -1: the page has no such word or code.
struct TSpectrumWordMap
{
    TSpectrumPageKind kind = TSpectrumPageKind::Rf;
    int page = 0; // 0 RF, 1 composite, 2 audio (Tavr1); 0 for HD

    int offset = -1; // vertical offset ("dB")
    int vr = -1;
    int c1 = -1;
    int c2 = -1;
    int hr = -1;
    int freq = -1;     // horizontal offset in points
    int zoomReal = -1; // first of the two words holding the frequency under C2 (kHz)
    int rfInput = -1;
    int mode = -1;
    int hold = -1;
    int average = -1;
    int reference = -1;          // the one reference (Tavr1); Antenna input (HD)
    int referenceHighLevel = -1; // HD only
    int fill = -1;
    int colour = -1;
    int mask = -1;
    int maskLsb = -1;
    int maskUsb = -1;
    int psd = -1;
    int inputType = -1; // audio: 0 single, 1 dual
    int input1 = -1;
    int input2 = -1;

    int codeOffset = -1, codeVr = -1, codeC1 = -1, codeHr = -1, codeC2 = -1, codeFreq = -1;
    int codeRfInput = -1, codeMode = -1, codeHold = -1, codeAverage = -1, codeReference = -1;
    int codeFill = -1, codeColour = -1, codeMask = -1, codeMaskLsb = -1, codeMaskUsb = -1;
    int codePsd = -1, codeInputType = -1, codeInput1 = -1, codeInput2 = -1;
};

// The Tavr1 pages 0 RF, 1 composite, 2 audio (page clamped) and the HD page.
const TSpectrumWordMap& Tavr1SpectrumWords(int page);
const TSpectrumWordMap& HdSpectrumWords();

// The Tavr1 unit's page word: 8 RF, 9 composite, 10 audio. Any other value
// shows the RF page.
int Tavr1SpectrumPageOf(qint32 modeWord);
constexpr qint32 Tavr1SpectrumModeOf(int page)
{
    return 8 + page;
}

// Read and written by the model; the families keep their words differently.
class TSpectrumConfig
{
public:
    virtual ~TSpectrumConfig() = default;
    virtual qint32 word(int k) const = 0;
    virtual void setWord(int k, qint32 v) = 0;
    virtual double real(int firstWord) const = 0;
    virtual void setReal(int firstWord, double v) = 0;
};

// ---- Vertical axis and cursor C1 ------------------------------------------

struct TSpectrumVerticalAxis
{
    int offset = 0;   // the offset word pulled into the resolution's range
    int topDb = 0;    // offset x dB per offset step
    int bottomDb = 0; // top + span
    int incrementDb = 5;
    double levelStep = 0.1; // dB per step of C1

    bool operator==(const TSpectrumVerticalAxis&) const = default;
};
TSpectrumVerticalAxis SpectrumVerticalAxis(int vr, int offset);
double SpectrumC1Level(int c1, const TSpectrumVerticalAxis& axis);
// RealField(6, 1, level) + " dB".
QString SpectrumC1Text(double level);

// ---- Horizontal axis and cursor C2 ----------------------------------------

struct TSpectrumHorizontalAxis
{
    TSpectrumPageKind kind = TSpectrumPageKind::Rf;
    int stepHz = 0;     // FreqStep
    qint64 startHz = 0; // FreqStart: the frequency of point 0
    double minKHz = 0;
    double maxKHz = 0;
    double incrementKHz = 1;

    double freqStepKHz() const { return stepHz / 1000.0; }
    double freqStartKHz() const { return startHz / 1000.0; }
    bool operator==(const TSpectrumHorizontalAxis&) const = default;
};
// RF pages start 250 points below the offset, so the offset 0 centres the
// trace on the carrier; composite and audio start at the offset. With dual
// input the audio axis spans one input's 250 points.
TSpectrumHorizontalAxis SpectrumHorizontalAxis(TSpectrumPageKind kind, int hr, int offset,
                                               bool dual = false);
// The frequency of point i, whole hertz, computed from the integers so that
// the band edges are exact.
qint64 SpectrumPointHz(const TSpectrumHorizontalAxis& axis, int i);
// The frequency under C2, whole hertz.
qint64 SpectrumC2Hz(TSpectrumPageKind kind, int hr, int offset, int c2);
// The value kept in the C2-frequency words, kHz: on RF pages C2 at 0 keeps
// the offset alone.
double SpectrumC2Real(TSpectrumPageKind kind, int hr, int offset, int c2);
// " " + f + " kHz  " + RealField(6, 1, level) + "dB"; f as RealField(6, 1)
// on RF pages, (7, 3) on composite and audio.
QString SpectrumC2Text(TSpectrumPageKind kind, qint64 fHz, double level);
// RealField(6, 1, level) + "dB", the dual-input readouts.
QString SpectrumLevelText(double level);

// A point index of the 501, clamped: cursor words come from the unit.
inline int ClampSpectrumPoint(int i)
{
    return i < 0 ? 0 : (i > SpectrumPoints - 1 ? SpectrumPoints - 1 : i);
}
// (value - reference) / 10, dB, of point i (clamped).
double SpectrumLevel(const std::array<qint32, SpectrumPoints>& spectrum, int i, int reference);

// ---- Re-centring after a change of horizontal resolution -------------------

struct TSpectrumCentre
{
    int offset = 0;
    int c2 = 0;
    bool operator==(const TSpectrumCentre&) const = default;
};
// Keeps the frequency under C2 (zoomKHz) where it was at the new resolution:
// the offset goes to the nearest multiple of the "Freq" step within its range
// and C2 takes up the rest. C2 at 0 stays 0 and then the offset alone follows
// the frequency. Computed on whole hertz, so 0.3 kHz at 0.1 kHz a step is 3.
TSpectrumCentre SpectrumRecentre(TSpectrumPageKind kind, int newHr, double zoomKHz, int c2,
                                 bool dual = false);

// ---- Operations on a page's words, shared by window and unit ----------------

bool SpectrumDualInput(const TSpectrumWordMap& map, const TSpectrumConfig& c);
// Pulls the offset word into the VR's range; returns the axis.
TSpectrumVerticalAxis SpectrumApplyVertical(const TSpectrumWordMap& map, TSpectrumConfig& c);
// Stores the frequency under C2 into the C2-frequency words.
void SpectrumStoreC2Real(const TSpectrumWordMap& map, TSpectrumConfig& c);
// After the HR word changed: the offset and C2 words re-centred on the
// frequency under C2.
void SpectrumApplyHr(const TSpectrumWordMap& map, TSpectrumConfig& c);
// After the audio input type changed: the view starts again at 0 with the
// span that fits the VR.
void SpectrumApplyAudioReset(const TSpectrumWordMap& map, TSpectrumConfig& c);
// Largest C2 word of the page (250 for the audio page with dual input).
int SpectrumC2Max(const TSpectrumWordMap& map, const TSpectrumConfig& c);

// ---- Points ----------------------------------------------------------------

enum TSpectrumBand : quint8
{
    sbLime = 0,   // the analog channel and everything beyond the sidebands
    sbYellow = 1, // 123 .. 200 kHz either side: the digital sidebands
    sbRed = 2,    // 100 .. 123 kHz either side: the guard between them
};
// The colour of a point by its frequency. Only RF pages with colour 1 (ON)
// or 2 (AUTO) are coloured; any other colour word draws lime.
TSpectrumBand SpectrumBandOf(TSpectrumPageKind kind, qint32 colourWord, qint64 xHz);

// The drawn level of a point, dB. On an HD unit's Antenna input the points
// beyond 500 kHz either side are dropped to -1500.
double SpectrumPointY(qint32 value, qint32 reference, bool hdAntenna, qint64 xHz);

// One trace: count points of the spectrum from firstIndex, drawn from point 0
// of the axis, with their bands.
struct TSpectrumTrace
{
    QList<QPointF> points;
    QList<quint8> bands;
};
void SpectrumBuildTrace(const TSpectrumHorizontalAxis& axis, const qint32* values, int count,
                        qint32 reference, qint32 colourWord, bool hdAntenna, TSpectrumTrace& out);

// ---- Blanking after a page change ------------------------------------------

// While set, each refresh overwrites the frame's spectrum with -1500 so the
// old page's data never show under the new page's axes.
struct TSpectrumBlanking
{
    bool Blanking = false;
    qint32 BlankCount = 0;

    void start(int refreshes)
    {
        Blanking = true;
        BlankCount = refreshes;
    }
    // One refresh: blanks the spectrum and counts down.
    void step(qint32* spectrum, int count);
};

// ---- Masks -----------------------------------------------------------------

// The fixed limit lines, kHz and dB: 18 points on the Tavr1 RF page, 20 on
// the HD page.
const QList<QPointF>& Tavr1RfMask();
const QList<QPointF>& HdRfMask();

// HD words stored as 16 bits (references, mask limits) may arrive unsigned.
inline qint32 SignedWord16(qint32 w)
{
    return qint16(quint16(w & 0xFFFF));
}
