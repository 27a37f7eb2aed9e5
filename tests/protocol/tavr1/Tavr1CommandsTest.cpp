#include "protocol/tavr1/Tavr1Commands.h"

#include "protocol/tavr1/Tavr1BlockLayout.h"
#include "protocol/tavr1/Tavr1CodeTable.h"
#include "protocol/tavr1/Tavr1Decoder.h"
#include "sim/tavr1/Tavr1Block.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

struct Connection
{
    TTavr1Data t;
    std::unique_ptr<TConnectionState> s = std::make_unique<TConnectionState>();
    QByteArray take() { return TakeTavr1CommandLine(t, *s); }
};

} // namespace

TEST(Tavr1Commands, FixedLines)
{
    const std::pair<TTavr1Line, QByteArray> rows[] = {
        {TTavr1Line::CarriageReturn, "\r"}, {TTavr1Line::EF, "EF\r"}, {TTavr1Line::SD, "SD\r"},
        {TTavr1Line::SC, "SC\r"},           {TTavr1Line::EC, "EC\r"}, {TTavr1Line::HD, "HD\r"},
        {TTavr1Line::DE, "DE\r"},           {TTavr1Line::UI, "UI\r"}, {TTavr1Line::UL, "UL\r"},
        {TTavr1Line::SO, "SO\r"},           {TTavr1Line::SU, "SU\r"}, {TTavr1Line::UC, "UC\r"},
    };
    for (const auto& [line, text] : rows)
        EXPECT_EQ(BuildTavr1Line(line), text);
}

TEST(Tavr1Commands, LinesFromTheWorkingCopy)
{
    struct Row
    {
        const char* what;
        int kind; // 0 setting, 1 action
        int code;
        quint8 b3;
        std::vector<std::pair<int, qint32>> items;
        QByteArray line;
    };
    const Row rows[] = {
        {"tuning 100.1", 0, 15, 0, {{2, 1001}}, "CC0F03E9DD\r"},
        {"SCA#2 bypass on", 0, 24, 1, {{69, 0}, {70, 1}}, "CC180101B1\r"},
        {"SCA#1 band-pass 670", 0, 25, 0, {{71, 670}, {72, 5}}, "CC19029E0030\r"},
        {"SCA#2 peak 1000", 0, 31, 1, {{83, 7}, {84, 1000}}, "CC1F03E8013E\r"},
        {"composite peak 1000", 0, 22, 0, {{11, 1000}}, "CC1603E8CD\r"},
        {"alarm 1 threshold -500", 0, 114, 0, {{116, -500}}, "CC72FE0CED\r"},
        {"vertical offset -5", 0, 34, 0, {{13, -5}, {23, 9}}, "CC22FB72\r"},
        {"units kHz", 0, 102, 1, {{93, 1}}, "CC660153\r"},
        {"attenuator 10, High Level", 0, 16, 0, {{4, 1}, {5, 10}, {6, 3}}, "CC100A58\r"},
        {"attenuator 10, Antenna", 0, 16, 0, {{4, 0}, {5, 3}, {6, 10}}, "CC100A58\r"},
        {"code without an item", 0, 1, 0, {}, "CC01E7\r"},
        {"no item: 106", 0, 106, 0, {}, "CC6AFD\r"},
        {"no item: 156", 0, 156, 0, {}, "CC9C02\r"},
        {"alarm time 0xFFFF", 0, 115, 0, {{117, 0xFFFF}}, "CC73FFFF08\r"},
        {"byte item masked", 0, 0, 0, {{0, 0x109}}, "CC00094F\r"},
        {"reset defaults", 1, 200, 0, {}, "PBC80D\r"},
        {"reboot", 1, 201, 0, {}, "PBC90E\r"},
        {"alarm test carries only its code", 1, 202, 5, {}, "PBCA16\r"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        Connection c;
        for (auto [item, value] : r.items)
            c.t.Tavr1LocalConfig[item] = value;
        const bool posted = r.kind == 0 ? PostTavr1SetParameter(c.t, r.code, 0, 0, 0, r.b3)
                                        : PostTavr1Action(c.t, r.code, 0, 0, 0, r.b3);
        ASSERT_TRUE(posted);
        EXPECT_EQ(c.take(), r.line);
        EXPECT_EQ(c.s->TxLine, r.line);
        EXPECT_TRUE(c.s->TxLineNew);
        EXPECT_FALSE(c.t.Tavr1Command.Pending);
        EXPECT_EQ(c.t.Tavr1ResetDefaultsCount, r.code == 200 && r.kind == 1 ? 0 : -1);
    }
}

TEST(Tavr1Commands, OneSlotValueTakenWhenTheLineLeaves)
{
    Connection c;
    EXPECT_TRUE(c.take().isEmpty()) << "nothing pending";
    EXPECT_FALSE(c.s->TxLineNew);

    c.t.Tavr1LocalConfig[2] = 900;
    ASSERT_TRUE(PostTavr1SetParameter(c.t, 15, 0, 0, 0, 0));
    EXPECT_FALSE(PostTavr1SetParameter(c.t, 17, 0, 0, 0, 0)) << "dropped while pending";
    EXPECT_FALSE(PostTavr1Action(c.t, 201, 0, 0, 0, 0)) << "dropped while pending";
    c.t.Tavr1LocalConfig[2] = 1001; // the user moved on before the tick
    EXPECT_EQ(c.take(), "CC0F03E9DD\r");
    EXPECT_TRUE(c.take().isEmpty()) << "the dropped requests are gone, not queued";

    // Free again after the line left.
    EXPECT_TRUE(PostTavr1Action(c.t, 201, 0, 0, 0, 0));
    EXPECT_EQ(c.take(), "PBC90E\r");

    // A raw line goes out unchanged.
    c.t.Tavr1Command.Kind = ckRawLine;
    c.t.Tavr1Command.Text = "XY\r";
    c.t.Tavr1Command.Pending = true;
    EXPECT_EQ(c.take(), "XY\r");
}

TEST(Tavr1Commands, RequestsNoLineCanCarryAreDropped)
{
    Connection c;
    EXPECT_FALSE(PostTavr1SetParameter(c.t, 24, 0, 0, 0, 2)) << "SCA selector 2";
    EXPECT_FALSE(PostTavr1SetParameter(c.t, 33, 0, 0, 0, 0xFF));
    EXPECT_FALSE(PostTavr1SetParameter(c.t, 256, 0, 0, 0, 0));
    EXPECT_FALSE(PostTavr1SetParameter(c.t, -1, 0, 0, 0, 0));
    EXPECT_FALSE(PostTavr1Action(c.t, 300, 0, 0, 0, 0));
    EXPECT_FALSE(c.t.Tavr1Command.Pending);
    EXPECT_TRUE(BuildTavr1SetLine(25, 2, c.t.Tavr1LocalConfig).isEmpty());
    EXPECT_TRUE(BuildTavr1ActionLine(256).isEmpty());

    // A slot filled by hand with a bad selector sends nothing and frees the slot.
    c.t.Tavr1Command = {true, ckSetParameter, 24, 0, 0, 0, 7, {}};
    EXPECT_TRUE(c.take().isEmpty());
    EXPECT_FALSE(c.t.Tavr1Command.Pending);
    EXPECT_FALSE(c.s->TxLineNew);
}

// Every code with an item, from the working copy through the unit's echo back
// into another connection's working copy.
TEST(Tavr1Commands, EveryCodeRoundTripsThroughTheUnit)
{
    int checked = 0;
    for (int code = 0; code < 256; ++code) {
        const TTavr1CodeEntry* entry = Tavr1CodeFor(code);
        if (!entry)
            continue;
        const bool pair = isTavr1Pair(entry->form);
        for (quint8 selector : {0, 1}) {
            if (!pair && selector == 1)
                continue;
            SCOPED_TRACE(testing::Message() << "code " << code << " selector " << int(selector));
            qint32 value = 0;
            switch (entry->form) {
            case TTavr1ValueForm::Byte:
            case TTavr1ValueForm::Pair8:
                value = 0xC0 + code % 60;
                break;
            case TTavr1ValueForm::SignedByte:
                value = -code % 128;
                break;
            case TTavr1ValueForm::Word:
            case TTavr1ValueForm::Pair16:
                value = 0x8000 + code;
                break;
            case TTavr1ValueForm::SignedWord:
                value = -100 * code;
                break;
            }
            Connection sender;
            sender.t.Tavr1LocalConfig[Tavr1RfInputItem] = code == 16 ? 1 : 0;
            const int item = Tavr1CodeItem(*entry, sender.t.Tavr1LocalConfig, selector);
            sender.t.Tavr1LocalConfig[item] = value;
            ASSERT_TRUE(PostTavr1SetParameter(sender.t, code, 0, 0, 0, selector));
            const QByteArray line = sender.take();

            const std::optional<Tavr1SetLine> parsed = parseTavr1SetLine(line);
            ASSERT_TRUE(parsed) << line.constData();
            EXPECT_EQ(parsed->code, code);
            EXPECT_EQ(parsed->selector, pair ? selector : -1);

            Tavr1BlockFields f;
            const Tavr1Echo echo = tavr1EchoFor(*parsed);
            f.echoCode = echo.code;
            f.echo = echo.bytes;
            f.tailKind = tkRds;
            Connection receiver;
            receiver.t.Tavr1LocalConfig[Tavr1RfInputItem] = code == 16 ? 1 : 0;
            ASSERT_EQ(DecodeTavr1Block(buildTavr1Block(f), receiver.t, *receiver.s),
                      TTavr1BlockVerdict::Decoded);
            EXPECT_EQ(receiver.t.Tavr1LocalConfig[item], value);
            ++checked;
        }
    }
    EXPECT_EQ(checked, 134 + 10) << "every code with an item, both SCA channels of the pairs";
}

TEST(Tavr1Commands, SimulatedUnitRefusesMalformedLines)
{
    EXPECT_TRUE(parseTavr1SetLine("CC0F03E9DD\r"));
    const QByteArray bad[] = {
        "CC0F03E9DE\r", // checksum
        "CC0F03E9DD",   // no carriage return
        "CC0F03e9DD\r", // lower case
        "CC0F03E9\r",   // too short for a 16-bit code
        "CC0F0003E9DD\r",
        "CC180102B2\r", // selector 2
        "PB0F03E9DD\r",   "",
    };
    for (const QByteArray& line : bad)
        EXPECT_FALSE(parseTavr1SetLine(line)) << line.constData();

    const auto none = parseTavr1SetLine("CC01E7\r");
    ASSERT_TRUE(none);
    EXPECT_EQ(tavr1EchoFor(*none).code, 255) << "codes without an item are not echoed";
}

TEST(Tavr1Commands, UnitTimeStamp)
{
    const QByteArray stamp =
        tavr1TimeStamp(QDateTime(QDate(2025, 1, 1), QTime(12, 0), Qt::LocalTime));
    EXPECT_EQ(stamp.toHex(' '), "00 00 00 00 50 4b e6 40"); // 45658.5 days
}
