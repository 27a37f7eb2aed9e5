#include "models/Vren1SettingTexts.h"

#include <gtest/gtest.h>

namespace {

TEST(Vren1SettingTexts, EachFormFromTheWord)
{
    const struct
    {
        QString (*form)(qint32);
        qint32 word;
        const char* text;
    } cases[] = {
        {Vren1TuningText, 875, " 87.5 MHz"},
        {Vren1TuningText, 1079, "107.9 MHz"},
        {Vren1AttenuatorText, 0, "   0.0dB"},
        {Vren1AttenuatorText, 63, "  31.5dB"},
        {Vren1AttenuatorText, 1, "   0.5dB"},
        {Vren1PeakText, 1500, "150.0 %"},
        {Vren1PeakText, 0, "  0.0 %"},
        {Vren1HoldTimeText, 0, "0.25 sec"},
        {Vren1HoldTimeText, 3, "1.5  sec"},
        {Vren1HoldTimeText, 10, "5.0  sec"},
        // The unit's value indexes the list: past either end, no text.
        {Vren1HoldTimeText, 11, ""},
        {Vren1HoldTimeText, -1, ""},
        {Vren1HoldTimeText, 0x7FFFFFFF, ""},
        {Vren1ScreenSaverText, 0, " OFF  "},
        {Vren1ScreenSaverText, 1, " 1 hr"},
        {Vren1ScreenSaverText, 12, "12 hr"},
        {Vren1VolumeText, 1, "  1 % "},
        {Vren1VolumeText, 100, "100 % "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.form(c.word), c.text) << c.word;
}

} // namespace
