#include "protocol/rack/RackCommands.h"

#include <gtest/gtest.h>

namespace {

QByteArray bytes(std::initializer_list<int> b)
{
    QByteArray out;
    for (int v : b)
        out += char(v);
    return out;
}

struct Case
{
    const char* name;
    QByteArray built;
    QByteArray expected;
};

} // namespace

TEST(RackCommands, EveryBuilderGivesItsBytes)
{
    const QByteArray empty;
    const Case cases[] = {
        {"RackAttention", RackAttention(), bytes({0x03, 0xFE})},
        {"RackStartData", RackStartData(), bytes({0x04, 0xFE})},
        {"RackLoginRequest", RackLoginRequest(), bytes({0x01, 0xFE})},
        {"RackEndConnection", RackEndConnection(), bytes({0x02, 0xFE})},
        {"RackDownloadStart(300)", RackDownloadStart(300), "\x05" "012C\xFE"},
        {"RackDownloadStart(3)", RackDownloadStart(3), "\x05" "0003\xFE"},
        {"RackDownloadStart(70000)", RackDownloadStart(70000), empty},
        {"RackTerminator", RackTerminator(), bytes({0xFE})},
        {"RackIdentify", RackIdentify(), bytes({0x07, 0xFE})},
        {"RackPasswordChange", RackPasswordChange(), bytes({0x06, 0xFE})},
        {"RackPoll", RackPoll(), bytes({0xFF})},
        {"Kelb1PanelOpenCmd", Kelb1PanelOpenCmd(), bytes({0x1C, 0xFE})},
        {"Kelb1ShowItemCmd(7)", Kelb1ShowItemCmd(7), bytes({0x18, 0x07, 0xFE})},
        {"Kelb1SelectPageCmd(2)", Kelb1SelectPageCmd(2), bytes({0x19, 0x02, 0xFE})},
        {"Kelb1SetValueCmd(3, 0x1234)", Kelb1SetValueCmd(3, 0x1234),
         bytes({0x50, 0x03, 0x31, 0x32, 0x33, 0x34, 0xFE})},
        {"Lyn1RdsStreamCmd(1)", Lyn1RdsStreamCmd(1), bytes({0x08, 0x01, 0xFE})},
        {"Lyn1RdsStreamCmd(0)", Lyn1RdsStreamCmd(0), bytes({0x08, 0x00, 0xFE})},
        {"Nuva1PanelOpenCmd", Nuva1PanelOpenCmd(), bytes({0x1D, 0xFE})},
        {"Nuva1ShowItemCmd(49)", Nuva1ShowItemCmd(49), bytes({0x14, 49, 0xFE})},
        {"Nuva1ShowItemCmd(50)", Nuva1ShowItemCmd(50), empty},
        {"Nuva1SelectPageCmd(1)", Nuva1SelectPageCmd(1), bytes({0x1A, 0x01, 0xFE})},
        {"Nuva1SetValueCmd(15, 0xAB)", Nuva1SetValueCmd(15, 0xAB), "L\x0F" "AB\xFE"},
        {"Lyn1PanelOpenCmd", Lyn1PanelOpenCmd(), bytes({0x1E, 0xFE})},
        {"Lyn1ShowItemCmd(19)", Lyn1ShowItemCmd(19), bytes({0x17, 19, 0xFE})},
        {"Lyn1ShowItemCmd(20)", Lyn1ShowItemCmd(20), empty},
        {"Lyn1SelectPageCmd(0)", Lyn1SelectPageCmd(0), bytes({0x1B, 0x00, 0xFE})},
        {"Lyn1SetValueCmd(10, 5)", Lyn1SetValueCmd(10, 5), "Q\x0A" "05\xFE"},
        {"Varn1PanelOpenCmd(0)", Varn1PanelOpenCmd(0), bytes({0x21, 0x00, 0xFE})},
        {"Varn1ShowItemCmd(1, 9)", Varn1ShowItemCmd(1, 9), bytes({0x1F, 0x01, 0x09, 0xFE})},
        {"Varn1SelectPageCmd(1, 2)", Varn1SelectPageCmd(1, 2), bytes({0x20, 0x01, 0x02, 0xFE})},
        {"Varn1SetValueCmd(1, 2, 3)", Varn1SetValueCmd(1, 2, 3),
         bytes({'R', 0x01, 0x02, '0', '3', 0xFE})},
        {"Jov4PresetCmd('5')", Jov4PresetCmd('5'), bytes({0x43, 0x35, 0xFE})},
        {"Jov4PresetCmd('x')", Jov4PresetCmd('x'), empty},
        {"Jov4PresetCmd(5)", Jov4PresetCmd(5), empty},
        {"Jov4FrequencyCmd(09815)", Jov4FrequencyCmd("09815"),
         bytes({0x44, 0x30, 0x39, 0x38, 0x31, 0x35, 0xFE})},
        {"Jov4FrequencyCmd(098150)", Jov4FrequencyCmd("098150"), "D09815\xFE"},
        {"Jov4FrequencyCmd(0981)", Jov4FrequencyCmd("0981"), empty},
        {"Gry230PanelOpenCmd", Gry230PanelOpenCmd(), bytes({0x1D, 0xFE})},
        {"Gry230ShowItemCmd(50)", Gry230ShowItemCmd(50), empty},
        {"Gry230SelectPageCmd(1)", Gry230SelectPageCmd(1), bytes({0x1A, 0x01, 0xFE})},
        {"Gry230SetValueCmd(18, 0x1F)", Gry230SetValueCmd(18, 0x1F), "L\x12" "1F\xFE"},
        {"Gry250PanelOpenCmd", Gry250PanelOpenCmd(), bytes({0x1E, 0xFE})},
        {"Gry250ShowItemCmd(3)", Gry250ShowItemCmd(3), bytes({0x17, 0x03, 0xFE})},
        {"Gry250SelectPageCmd(1)", Gry250SelectPageCmd(1), bytes({0x1B, 0x01, 0xFE})},
        {"Gry250SetValueCmd(4, 0xC0)", Gry250SetValueCmd(4, 0xC0), "Q\x04" "C0\xFE"},
        {"Pelo1PanelOpenCmd", Pelo1PanelOpenCmd(), bytes({0x1C, 0xFE})},
        {"Pelo1ShowItemCmd(50)", Pelo1ShowItemCmd(50), empty},
        {"Pelo1SelectPageCmd(3)", Pelo1SelectPageCmd(3), bytes({0x19, 0x03, 0xFE})},
        {"Pelo1SetValueCmd(2, 0x7F)", Pelo1SetValueCmd(2, 0x7F), "P\x02" "7F\xFE"},
        {"Pelo2PanelOpenCmd", Pelo2PanelOpenCmd(), bytes({0x1C, 0xFE})},
        {"Pelo2ShowItemCmd(52)", Pelo2ShowItemCmd(52), bytes({0x18, 0x34, 0xFE})},
        {"Pelo2ShowItemCmd(53)", Pelo2ShowItemCmd(53), empty},
        {"Pelo2SelectPageCmd(1)", Pelo2SelectPageCmd(1), bytes({0x19, 0x01, 0xFE})},
        {"Pelo2SetValueCmd(9, 0xBEEF)", Pelo2SetValueCmd(9, 0xBEEF), "P\x09" "BEEF\xFE"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.built.toHex(' '), c.expected.toHex(' ')) << c.name;
}

// A raw argument of FE would end the command early and FF looks like a poll;
// above 255 it would be cut to a different byte.
TEST(RackCommands, RawArgumentsOutsideOneSafeByteGiveNothing)
{
    for (int bad : {0xFE, 0xFF, 0x100, -1}) {
        EXPECT_TRUE(Kelb1ShowItemCmd(bad).isEmpty()) << bad;
        EXPECT_TRUE(Kelb1SelectPageCmd(bad).isEmpty()) << bad;
        EXPECT_TRUE(Kelb1SetValueCmd(bad, 1).isEmpty()) << bad;
        EXPECT_TRUE(Lyn1RdsStreamCmd(bad).isEmpty()) << bad;
        EXPECT_TRUE(Varn1PanelOpenCmd(bad).isEmpty()) << bad;
        EXPECT_TRUE(Varn1ShowItemCmd(0, bad).isEmpty()) << bad;
        EXPECT_TRUE(Varn1SetValueCmd(bad, 1, 1).isEmpty()) << bad;
        EXPECT_TRUE(Pelo2SelectPageCmd(bad).isEmpty()) << bad;
    }
    EXPECT_EQ(Kelb1ShowItemCmd(0xFD).size(), 3);
}
