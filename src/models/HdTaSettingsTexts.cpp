#include "models/HdTaSettingsTexts.h"

#include "common/FieldHelpers.h"

const QStringList& HdTaModeItems()
{
    static const QStringList l = {"  Direct", " Manual", "   Auto"};
    return l;
}

const QStringList& HdTaRateItems()
{
    static const QStringList l = {" 0.5 min", " 1.0 min", " 2.0 min", " 5.0 min",
                                  "10.0 min", "15.0 min", "30.0 min", "60.0 min"};
    return l;
}

const QStringList& HdTaDeviceItems()
{
    static const QStringList l = {
        " None",       " Omnia 6 FM",    " Omnia .7.9 FM", " Omnia .7.9 HD", " Omnia.11 FM",
        " Orban FM",   " Wheatstone FM", " GatesAir FM",   " GatesAir HD",   " Nautel FM",
        " Nautel HD",  " Universal FM",  " Universal HD",  " Omnia.9 CF FM", " Omnia.9 CF HD",
        " Sonifex FM", " Sonifex HD"};
    return l;
}

const QStringList& HdTaConnectItems()
{
    static const QStringList l = {"  Disable", "  Enable  "};
    return l;
}

const QStringList& HdTaScanModeItems()
{
    static const QStringList l = {" Disable", " Enable"};
    return l;
}

QString HdTaApplyStateText(qint32 state)
{
    static const char* const texts[HdTaApplyStateCount] = {
        "  Idle         ", "  Configuring  ", "  Rebooting    ", "  Success      ",
        "  Failed       ", "  Logging In   ", "  Initialize   ", "  No Device    "};
    if (state < 0 || state >= HdTaApplyStateCount)
        return {};
    return QString::fromLatin1(texts[state]);
}

THdTaApplyNotice HdTaApplyNotice(qint32 state)
{
    if (state == HdTaApplyRequiredState)
        return {"*** APPLY REQUIRED ***", true};
    return {"Changes to these paramters may require APPLY", false};
}

QString HdTaScanFreqText(qint32 tenthsMhz)
{
    return RealField(5, 1, tenthsMhz / 10.0) + " MHz";
}

int HdTaScanFreqPosition(qint32 tenthsMhz)
{
    // Bounded before narrowing; the up-down clamps into its own range.
    return int(qBound(qint64(-1), RoundHalfEven((qint64(tenthsMhz) - 875) / 2.0), qint64(1000)));
}

qint32 HdTaScanFreqValue(int position)
{
    return position * 2 + 875;
}

QString HdTaScanTimeText(qint32 value)
{
    return IntField(value, 3);
}

QString HdTaDelaySecondsText(qint32 v)
{
    return IntField(v, 3) + " sec";
}
QString HdTaDelayMsText(qint32 v)
{
    return IntField(v, 3) + " ms";
}
QString HdTaDelayUsText(qint32 v)
{
    return IntField(v, 3) + " us";
}
QString HdTaRampText(qint32 v)
{
    return IntField(v, 3) + " ms";
}
QString HdTaRampFillText(qint32 v)
{
    return IntField(v, 3) + "ms";
}
QString HdTaOffsetText(qint32 v)
{
    // The range ends at 1000, which three places would show as asterisks.
    return IntField(v, v >= 1000 ? 4 : 3) + " samples";
}
QString HdTaOctetText(qint32 v)
{
    return IntField(v, 3);
}
QString HdTaPortDigitText(qint32 v)
{
    return IntField(v, 3);
}
QString HdTaPortDigitFillText(qint32 v)
{
    return IntField(v, 1);
}

std::optional<THdTaDelayCentre> HdTaDelayCentreFromDevice(qint32 state, qint32 deviceDelayUs)
{
    if (state != 2 && state != 5 && state != 9)
        return std::nullopt;
    // The seconds up-down holds 0..15: a longer or a negative delay would send
    // a centre the unit cannot take.
    if (deviceDelayUs < 0 || deviceDelayUs >= 16000000)
        return std::nullopt;
    THdTaDelayCentre c;
    c.s = deviceDelayUs / 1000000;
    c.ms = (deviceDelayUs % 1000000) / 1000;
    c.us = deviceDelayUs - c.s * 1000000 - c.ms * 1000;
    return c;
}
