#include "models/Vren1SettingTexts.h"

#include "common/FieldHelpers.h"
#include "protocol/hd/HdSettingTexts.h"

QString Vren1TuningText(qint32 word)
{
    return RealField(5, 1, word / 10.0) + " MHz";
}

QString Vren1AttenuatorText(qint32 word)
{
    return RealField(6, 1, word * 0.5) + "dB";
}

QString Vren1PeakText(qint32 word)
{
    return RealField(5, 1, word / 10.0) + " %";
}

QString Vren1HoldTimeText(qint32 word)
{
    const QStringList& texts = Vren1HoldTimeTexts();
    if (word < 0 || word >= texts.size())
        return {};
    return texts[word] + " sec";
}

QString Vren1ScreenSaverText(qint32 word)
{
    if (word == 0)
        return " OFF  ";
    return IntField(word, 2) + " hr";
}

QString Vren1VolumeText(qint32 word)
{
    return IntField(word, 3) + " % ";
}
