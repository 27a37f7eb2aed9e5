#include "common/SpectrumTables.h"

#include <algorithm>
#include <array>

const QStringList& VerticalResolutionTexts()
{
    static const QStringList l = {" 0.1 dB ", " 0.2 dB ", " 0.3 dB ", " 0.4 dB ",
                                  " 0.5 dB ", " 0.6 dB ", " 0.7 dB ", " 0.8 dB "};
    return l;
}

const QStringList& RfHorizontalResolutionTexts()
{
    static const QStringList l = {"  25 Hz ", " 50 Hz ", "100 Hz ", "250 Hz ", "500 Hz ",
                                  "1 kHz",    "1.5 kHz", "2.0 kHz", "2.5 kHz"};
    return l;
}

const QStringList& CompositeHorizontalResolutionTexts()
{
    static const QStringList l = {"   5 Hz ", " 10 Hz ", " 25 Hz ", " 50 Hz ", "125 Hz ", "250 Hz"};
    return l;
}

const QStringList& AudioHorizontalResolutionTexts()
{
    static const QStringList l = {"   1 Hz ", "  2 Hz ", "  5 Hz ",
                                  " 10 Hz ",  " 25 Hz ", " 50 Hz "};
    return l;
}

namespace {

bool isRf(TSpectrumPageKind kind)
{
    return kind == TSpectrumPageKind::Rf || kind == TSpectrumPageKind::Hd;
}

template <class T, std::size_t N>
T at(const std::array<T, N>& table, int index)
{
    return table[std::size_t(std::clamp(index, 0, int(N) - 1))];
}

const std::array<int, 9> rfStepHz = {25, 50, 100, 250, 500, 1000, 1500, 2000, 2500};
const std::array<int, 6> compositeStepHz = {5, 10, 25, 50, 125, 250};
const std::array<int, 6> audioStepHz = {1, 2, 5, 10, 25, 50};

const std::array<TSpectrumRange, 8> offsetRanges = {{
    {-27, 20, 1},
    {-12, 10, 1},
    {-6, 6, 1},
    {-4, 5, 1},
    {-3, 4, 1},
    {-2, 3, 1},
    {-1, 2, 1},
    {0, 2, 1},
}};

const std::array<TSpectrumRange, 9> rfFreqRanges = {{
    {-32000, 32000, 100},
    {-15800, 15800, 100},
    {-7800, 7800, 100},
    {-3000, 3000, 100},
    {-1400, 1400, 100},
    {-600, 600, 100},
    {-300, 300, 100},
    {-200, 200, 100},
    {-100, 100, 100},
}};
const std::array<TSpectrumRange, 6> compositeFreqRanges = {{
    {0, 27500, 100},
    {0, 13500, 100},
    {0, 5120, 80},
    {0, 2320, 80},
    {0, 640, 80},
    {0, 80, 80},
}};
const std::array<TSpectrumRange, 6> audioSingleFreqRanges = {{
    {0, 23500, 100},
    {0, 11500, 100},
    {0, 4300, 100},
    {0, 1900, 100},
    {0, 480, 80},
    {0, 0, 80},
}};
const std::array<TSpectrumRange, 6> audioDualFreqRanges = {{
    {0, 21800, 100},
    {0, 10800, 100},
    {0, 4200, 100},
    {0, 2000, 100},
    {0, 640, 80},
    {0, 200, 80},
}};

const std::array<double, 9> rfIncrement = {1, 2, 5, 5, 25, 50, 50, 100, 125};
const std::array<double, 6> compositeIncrement = {0.25, 0.5, 1, 2, 5, 10};
const std::array<double, 6> audioIncrement = {0.1, 0.2, 0.5, 1, 1, 2};

} // namespace

int SpectrumMaxHr(TSpectrumPageKind kind)
{
    return isRf(kind) ? 8 : 5;
}

int ClampVr(int vr)
{
    return std::clamp(vr, 0, SpectrumMaxVr);
}

int ClampHr(TSpectrumPageKind kind, int hr)
{
    return std::clamp(hr, 0, SpectrumMaxHr(kind));
}

int SpectrumStepHz(TSpectrumPageKind kind, int hr)
{
    switch (kind) {
    case TSpectrumPageKind::Composite:
        return at(compositeStepHz, hr);
    case TSpectrumPageKind::Audio:
        return at(audioStepHz, hr);
    default:
        return at(rfStepHz, hr);
    }
}

int SpectrumC1StepTenths(int vr)
{
    return ClampVr(vr) + 1;
}

int SpectrumOffsetStepDb(int vr)
{
    return 5 * (ClampVr(vr) + 1);
}

int SpectrumVerticalSpanDb(int vr)
{
    return -18 * (ClampVr(vr) + 1);
}

TSpectrumRange SpectrumOffsetRange(int vr)
{
    return at(offsetRanges, vr);
}

TSpectrumRange SpectrumFreqRange(TSpectrumPageKind kind, int hr, bool dual)
{
    switch (kind) {
    case TSpectrumPageKind::Composite:
        return at(compositeFreqRanges, hr);
    case TSpectrumPageKind::Audio:
        return dual ? at(audioDualFreqRanges, hr) : at(audioSingleFreqRanges, hr);
    default:
        return at(rfFreqRanges, hr);
    }
}

double SpectrumAxisIncrementKHz(TSpectrumPageKind kind, int hr)
{
    switch (kind) {
    case TSpectrumPageKind::Composite:
        return at(compositeIncrement, hr);
    case TSpectrumPageKind::Audio:
        return at(audioIncrement, hr);
    default:
        return at(rfIncrement, hr);
    }
}

QString SpectrumHrText(TSpectrumPageKind kind, int hr)
{
    const QStringList& l = kind == TSpectrumPageKind::Composite
                               ? CompositeHorizontalResolutionTexts()
                           : kind == TSpectrumPageKind::Audio ? AudioHorizontalResolutionTexts()
                                                              : RfHorizontalResolutionTexts();
    return l.at(std::clamp(hr, 0, int(l.size()) - 1));
}

QString SpectrumVrText(int vr)
{
    return VerticalResolutionTexts().at(ClampVr(vr));
}
