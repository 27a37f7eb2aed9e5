#include "models/SpectrumModel.h"

#include "common/FieldHelpers.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

bool isRf(TSpectrumPageKind kind)
{
    return kind == TSpectrumPageKind::Rf || kind == TSpectrumPageKind::Hd;
}

TSpectrumWordMap tavr1Map(int page)
{
    TSpectrumWordMap m;
    m.page = page;
    switch (page) {
    case 0:
        m.kind = TSpectrumPageKind::Rf;
        m.offset = 13, m.vr = 14, m.c1 = 15, m.c2 = 16, m.hr = 17, m.freq = 18;
        m.zoomReal = 20, m.rfInput = 22, m.mode = 24, m.hold = 25, m.average = 26;
        m.reference = 27, m.fill = 28, m.colour = 29, m.mask = 30, m.psd = 31;
        m.codeOffset = 34, m.codeVr = 35, m.codeC1 = 36, m.codeHr = 37, m.codeC2 = 38;
        m.codeFreq = 39, m.codeRfInput = 40, m.codeMode = 41, m.codeHold = 42;
        m.codeAverage = 43, m.codeReference = 44, m.codeFill = 45, m.codeColour = 46;
        m.codeMask = 47, m.codePsd = 48;
        break;
    case 1:
        m.kind = TSpectrumPageKind::Composite;
        m.offset = 32, m.vr = 33, m.c1 = 34, m.c2 = 35, m.hr = 36, m.freq = 37;
        m.zoomReal = 38, m.mode = 42, m.hold = 43, m.average = 44, m.reference = 45;
        m.fill = 46, m.colour = 47, m.psd = 48;
        m.codeOffset = 49, m.codeVr = 50, m.codeC1 = 51, m.codeHr = 52, m.codeC2 = 53;
        m.codeFreq = 54, m.codeMode = 56, m.codeHold = 57, m.codeAverage = 58;
        m.codeReference = 59, m.codeFill = 60, m.codeColour = 61, m.codePsd = 62;
        break;
    default:
        m.kind = TSpectrumPageKind::Audio;
        m.page = 2;
        m.offset = 49, m.vr = 50, m.c1 = 51, m.c2 = 52, m.hr = 53, m.freq = 54;
        m.zoomReal = 56, m.inputType = 58, m.input1 = 59, m.input2 = 60, m.mode = 62;
        m.hold = 63, m.average = 64, m.reference = 65, m.fill = 66, m.colour = 67, m.psd = 68;
        m.codeOffset = 63, m.codeVr = 64, m.codeC1 = 65, m.codeHr = 66, m.codeC2 = 67;
        m.codeFreq = 68, m.codeInputType = 69, m.codeInput1 = 70, m.codeInput2 = 71;
        m.codeMode = 72, m.codeHold = 73, m.codeAverage = 74, m.codeReference = 75;
        m.codeFill = 76, m.codeColour = 77, m.codePsd = 78;
        break;
    }
    return m;
}

TSpectrumWordMap hdMap()
{
    TSpectrumWordMap m;
    m.kind = TSpectrumPageKind::Hd;
    m.rfInput = 4;
    m.offset = 12, m.vr = 13, m.c1 = 14, m.c2 = 15, m.hr = 16, m.freq = 17, m.zoomReal = 18;
    m.mode = 22, m.hold = 23, m.average = 24, m.reference = 25, m.referenceHighLevel = 26;
    m.fill = 27, m.colour = 28, m.mask = 29, m.maskLsb = 30, m.maskUsb = 31, m.psd = 32;
    m.codeOffset = 24, m.codeVr = 25, m.codeC1 = 26, m.codeC2 = 28, m.codeHr = 27;
    m.codeFreq = 29, m.codeMode = 31, m.codeHold = 32, m.codeAverage = 33;
    m.codeReference = 34, m.codeFill = 35, m.codeColour = 36, m.codeMask = 37;
    m.codeMaskLsb = 38, m.codeMaskUsb = 39, m.codePsd = 40;
    return m;
}

// b rounded to a multiple of step, away from zero when the remainder is more
// than half a step (or at least half a step when halfUp).
int roundToStep(int b, int step, bool halfUp)
{
    if (step <= 0)
        return b;
    const int sign = b < 0 ? -1 : 1;
    const int mag = std::abs(b);
    const int rem = mag % step;
    int e = mag - rem;
    if (halfUp ? 2 * rem >= step : 2 * rem > step)
        e += step;
    return sign * e;
}

} // namespace

const TSpectrumWordMap& Tavr1SpectrumWords(int page)
{
    static const TSpectrumWordMap maps[3] = {tavr1Map(0), tavr1Map(1), tavr1Map(2)};
    return maps[std::clamp(page, 0, 2)];
}

const TSpectrumWordMap& HdSpectrumWords()
{
    static const TSpectrumWordMap m = hdMap();
    return m;
}

int Tavr1SpectrumPageOf(qint32 modeWord)
{
    return modeWord >= 8 && modeWord <= 10 ? int(modeWord - 8) : 0;
}

TSpectrumVerticalAxis SpectrumVerticalAxis(int vr, int offset)
{
    TSpectrumVerticalAxis a;
    a.offset = SpectrumOffsetRange(vr).clamp(offset);
    a.topDb = a.offset * SpectrumOffsetStepDb(vr);
    a.bottomDb = a.topDb + SpectrumVerticalSpanDb(vr);
    a.incrementDb = ClampVr(vr) <= 2 ? 5 : 10;
    a.levelStep = SpectrumC1StepTenths(vr) / 10.0;
    return a;
}

double SpectrumC1Level(int c1, const TSpectrumVerticalAxis& axis)
{
    // Tenths first, so 100 steps of 0.3 dB are 30.0 dB exactly.
    return (qint64(c1) * qRound(axis.levelStep * 10) + qint64(axis.bottomDb) * 10) / 10.0;
}

QString SpectrumC1Text(double level)
{
    return RealField(6, 1, level) + " dB";
}

TSpectrumHorizontalAxis SpectrumHorizontalAxis(TSpectrumPageKind kind, int hr, int offset,
                                               bool dual)
{
    TSpectrumHorizontalAxis a;
    a.kind = kind;
    a.stepHz = SpectrumStepHz(kind, hr);
    a.startHz = qint64(isRf(kind) ? offset - 250 : offset) * a.stepHz;
    const int span = kind == TSpectrumPageKind::Audio && dual ? 251 : 502;
    a.minKHz = double(a.startHz - a.stepHz) / 1000.0;
    a.maxKHz = double(a.startHz + qint64(span) * a.stepHz) / 1000.0;
    a.incrementKHz = SpectrumAxisIncrementKHz(kind, hr);
    return a;
}

qint64 SpectrumPointHz(const TSpectrumHorizontalAxis& axis, int i)
{
    return axis.startHz + qint64(i) * axis.stepHz;
}

qint64 SpectrumC2Hz(TSpectrumPageKind kind, int hr, int offset, int c2)
{
    const qint64 points = isRf(kind) ? qint64(offset) + c2 - 250 : qint64(offset) + c2;
    return points * SpectrumStepHz(kind, hr);
}

double SpectrumC2Real(TSpectrumPageKind kind, int hr, int offset, int c2)
{
    qint64 points = qint64(offset) + c2;
    if (isRf(kind))
        points = qint64(offset) + (c2 != 0 ? c2 - 250 : 0);
    return double(points * SpectrumStepHz(kind, hr)) / 1000.0;
}

QString SpectrumC2Text(TSpectrumPageKind kind, qint64 fHz, double level)
{
    const double f = double(fHz) / 1000.0;
    const QString freq = isRf(kind) ? RealField(6, 1, f) : RealField(7, 3, f);
    return " " + freq + " kHz  " + RealField(6, 1, level) + "dB";
}

QString SpectrumLevelText(double level)
{
    return RealField(6, 1, level) + "dB";
}

double SpectrumLevel(const std::array<qint32, SpectrumPoints>& spectrum, int i, int reference)
{
    return (qint64(spectrum[std::size_t(ClampSpectrumPoint(i))]) - reference) / 10.0;
}

TSpectrumCentre SpectrumRecentre(TSpectrumPageKind kind, int newHr, double zoomKHz, int c2,
                                 bool dual)
{
    const int step = SpectrumStepHz(kind, newHr);
    const TSpectrumRange range = SpectrumFreqRange(kind, newHr, dual);
    // Whole hertz, truncated toward zero, as the unit divides.
    const qint64 fHz = qint64(std::llround(zoomKHz * 1000.0));
    const qint64 n64 = fHz / step;
    const int n = int(std::clamp<qint64>(n64, -1000000000, 1000000000));
    TSpectrumCentre r;
    if (isRf(kind)) {
        r.offset = range.clamp(roundToStep(n, range.step, false));
        r.c2 = c2 != 0 ? std::clamp(n - r.offset + 250, 0, SpectrumPoints - 1) : 0;
    } else {
        const int s = kind == TSpectrumPageKind::Audio && dual ? 125 : 250;
        const int b = c2 != 0 ? n - s : n;
        r.offset = range.clamp(roundToStep(b, range.step, true));
        const int c2Max = kind == TSpectrumPageKind::Audio && dual ? 250 : SpectrumPoints - 1;
        r.c2 = c2 != 0 ? std::clamp(n - r.offset, 0, c2Max) : 0;
    }
    return r;
}

bool SpectrumDualInput(const TSpectrumWordMap& map, const TSpectrumConfig& c)
{
    return map.inputType >= 0 && c.word(map.inputType) == 1;
}

int SpectrumC2Max(const TSpectrumWordMap& map, const TSpectrumConfig& c)
{
    return SpectrumDualInput(map, c) ? 250 : SpectrumPoints - 1;
}

TSpectrumVerticalAxis SpectrumApplyVertical(const TSpectrumWordMap& map, TSpectrumConfig& c)
{
    const TSpectrumVerticalAxis a = SpectrumVerticalAxis(c.word(map.vr), c.word(map.offset));
    if (a.offset != c.word(map.offset))
        c.setWord(map.offset, a.offset);
    return a;
}

void SpectrumStoreC2Real(const TSpectrumWordMap& map, TSpectrumConfig& c)
{
    if (map.zoomReal < 0)
        return;
    c.setReal(map.zoomReal,
              SpectrumC2Real(map.kind, c.word(map.hr), c.word(map.freq), c.word(map.c2)));
}

void SpectrumApplyHr(const TSpectrumWordMap& map, TSpectrumConfig& c)
{
    const TSpectrumCentre r = SpectrumRecentre(map.kind, c.word(map.hr), c.real(map.zoomReal),
                                               c.word(map.c2), SpectrumDualInput(map, c));
    c.setWord(map.freq, r.offset);
    if (c.word(map.c2) != 0)
        c.setWord(map.c2, r.c2);
}

void SpectrumApplyAudioReset(const TSpectrumWordMap& map, TSpectrumConfig& c)
{
    if (map.kind != TSpectrumPageKind::Audio)
        return;
    c.setWord(map.offset, 0);
    c.setWord(map.c1, 0);
    c.setWord(map.c2, 0);
    c.setWord(map.freq, 0);
    c.setReal(map.zoomReal, 0.0);
    // The audio span in tenths of dB: 180 steps of C1.
    c.setWord(61, -180 * SpectrumC1StepTenths(c.word(map.vr)));
}

TSpectrumBand SpectrumBandOf(TSpectrumPageKind kind, qint32 colourWord, qint64 xHz)
{
    if (!isRf(kind) || (colourWord != 1 && colourWord != 2))
        return sbLime;
    const qint64 a = xHz < 0 ? -xHz : xHz;
    if (a >= 123000 && a <= 200000)
        return sbYellow;
    if (a >= 100000 && a < 123000)
        return sbRed;
    return sbLime;
}

double SpectrumPointY(qint32 value, qint32 reference, bool hdAntenna, qint64 xHz)
{
    if (hdAntenna && (xHz > 500000 || xHz < -500000))
        return -1500;
    return (qint64(value) - reference) / 10.0;
}

void SpectrumBuildTrace(const TSpectrumHorizontalAxis& axis, const qint32* values, int count,
                        qint32 reference, qint32 colourWord, bool hdAntenna, TSpectrumTrace& out)
{
    out.points.resize(count);
    out.bands.resize(count);
    for (int i = 0; i < count; ++i) {
        const qint64 x = SpectrumPointHz(axis, i);
        out.points[i] =
            QPointF(double(x) / 1000.0, SpectrumPointY(values[i], reference, hdAntenna, x));
        out.bands[i] = SpectrumBandOf(axis.kind, colourWord, x);
    }
}

void TSpectrumBlanking::step(qint32* spectrum, int count)
{
    if (!Blanking)
        return;
    std::fill(spectrum, spectrum + count, -1500);
    --BlankCount;
    if (BlankCount < 1)
        Blanking = false;
}

const QList<QPointF>& Tavr1RfMask()
{
    static const QList<QPointF> m = {
        {-1000, -80}, {-650, -80},  {-540, -74.4}, {-540, -74.4}, {-250, -74.4}, {-200, -61.4},
        {-200, -40},  {-100, -40},  {-100, 0},     {100, 0},      {100, -40},    {200, -40},
        {200, -61.4}, {250, -74.4}, {540, -74.4},  {540, -74.4},  {650, -80},    {1000, -80}};
    return m;
}

const QList<QPointF>& HdRfMask()
{
    static const QList<QPointF> m = {{-1000, -80},  {-600, -80},     {-540, -74.4},  {-540, -74.4},
                                     {-250, -74.4}, {-207.5, -61.4}, {-200, -30},    {-200, -30},
                                     {-100, -30},   {-100, 0},       {100, 0},       {100, -30},
                                     {200, -30},    {200, -30},      {207.5, -61.4}, {250, -74.4},
                                     {540, -74.4},  {540, -74.4},    {600, -80},     {1000, -80}};
    return m;
}
