#include "common/SpectrumTables.h"

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
