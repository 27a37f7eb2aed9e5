#include "protocol/tavr1/Tavr1Decoder.h"

#include "protocol/tavr1/Tavr1BlockLayout.h"
#include "protocol/tavr1/Tavr1Commands.h"
#include "sim/tavr1/Tavr1Block.h"

#include <gtest/gtest.h>
#include <memory>
#include <set>

namespace {

// Blocks written byte by byte here, apart from the simulator's builder, so the
// decoder's layout is checked against the offsets themselves.
QByteArray blankBlock(int tailKind)
{
    QByteArray b(1501, '\0');
    b[0] = char(0xFF);
    b[1] = char(0xFE);
    b[2] = char(0xFD);
    b[4] = char(0xFF); // no echo
    b[1250] = char(tailKind);
    return b;
}

void put8(QByteArray& b, int at, int v)
{
    b[at] = char(v & 0xFF);
}
void put16(QByteArray& b, int at, int v)
{
    b[at] = char((v >> 8) & 0xFF);
    b[at + 1] = char(v & 0xFF);
}
void put32(QByteArray& b, int at, qint64 v)
{
    put16(b, at, int(v >> 16));
    put16(b, at + 2, int(v));
}

QByteArray echoBlock(int code, std::array<quint8, 4> e, int tailKind = tkRds)
{
    QByteArray b = blankBlock(tailKind);
    put8(b, 4, code);
    for (int i = 0; i < 4; ++i)
        put8(b, 5 + i, e[i]);
    return b;
}

// The state of one connection, on the heap: the measurement history is large.
struct Connection
{
    TTavr1Data t;
    std::unique_ptr<TConnectionState> s = std::make_unique<TConnectionState>();

    TTavr1BlockVerdict decode(const QByteArray& b) { return DecodeTavr1Block(b, t, *s); }
    std::set<int> raisedFlags() const
    {
        std::set<int> r;
        for (int n = 0; n < PageRefreshCount; ++n) {
            if (s->PageRefresh.isRaised(n))
                r.insert(n);
        }
        return r;
    }
};

Tavr1ConfigRecord filledRecord(qint32 v)
{
    Tavr1ConfigRecord r;
    r.items.fill(v);
    return r;
}

} // namespace

TEST(Tavr1Decoder, SettingsTailFieldByField)
{
    enum Kind
    {
        U8,
        S8,
        U16,
        S16,
        Real
    };
    struct Field
    {
        int offset;
        Kind kind;
        int item;
        qint64 wire; // what goes on the wire; the decoded item for all but reals
    };
    std::vector<Field> fields = {
        {1252, U16, 1, 0x8001},     {1255, U16, 2, 0x8002},     {1257, U8, 4, 54},
        {1258, U8, 5, 55},          {1259, U8, 6, 56},          {1260, U8, 8, 58},
        {1261, U8, 9, 59},          {1262, U8, 10, 60},         {1263, U16, 11, 0x800B},
        {1265, U8, 12, 62},         {1266, S8, 13, -13},        {1267, U8, 14, 64},
        {1268, U8, 15, 65},         {1269, S16, 16, -1016},     {1271, U8, 17, 67},
        {1272, S16, 18, -1018},     {1274, Real, 20, -1234567}, {1278, U16, 22, 0x8016},
        {1280, S16, 23, -1023},     {1282, U8, 24, 74},         {1283, U8, 25, 75},
        {1284, U8, 26, 76},         {1285, S16, 27, -1027},     {1287, U8, 28, 78},
        {1288, U8, 29, 79},         {1289, U8, 30, 80},         {1290, U8, 31, 81},
        {1291, S8, 32, -32},        {1292, U8, 33, 83},         {1293, U8, 34, 84},
        {1294, S16, 35, -1035},     {1296, U8, 36, 86},         {1297, S16, 37, -1037},
        {1299, Real, 38, 98765432}, {1303, U16, 40, 0x8028},    {1305, S16, 41, -1041},
        {1307, U8, 42, 92},         {1308, U8, 43, 93},         {1309, U8, 44, 94},
        {1310, S16, 45, -1045},     {1312, U8, 46, 96},         {1313, U8, 47, 97},
        {1314, U8, 48, 98},         {1315, S8, 49, -49},        {1316, U8, 50, 100},
        {1317, U8, 51, 101},        {1318, S16, 52, -1052},     {1320, U8, 53, 103},
        {1321, S16, 54, -1054},     {1323, Real, 56, -1},       {1327, U8, 58, 108},
        {1328, U8, 59, 109},        {1329, U8, 60, 110},        {1330, S16, 61, -1061},
        {1332, U8, 62, 112},        {1333, U8, 63, 113},        {1334, U8, 64, 114},
        {1335, S16, 65, -1065},     {1337, U8, 66, 116},        {1338, U8, 67, 117},
        {1339, U8, 68, 118},        {1340, U8, 69, 119},        {1341, U8, 70, 120},
        {1342, U16, 71, 0x8047},    {1344, U16, 72, 0x8048},    {1356, U16, 83, 0x8053},
        {1358, U16, 84, 0x8054},    {1360, U8, 85, 135},        {1361, U8, 86, 136},
        {1362, U16, 87, 0x8057},    {1364, U16, 88, 0x8058},    {1476, U8, 7, 57},
    };
    for (int item = 73; item <= 82; ++item) // bytes 1346-1355
        fields.push_back({1346 + item - 73, U8, item, item + 50});
    for (int item = 89; item <= 115; ++item) // bytes 1366-1392
        fields.push_back({1366 + item - 89, U8, item, item + 50});
    for (int n = 1; n <= 14; ++n) {
        const int at = 1395 + 5 * (n - 1);
        const int item = 116 + 3 * (n - 1);
        fields.push_back({at, S16, item, -2000 - n});
        fields.push_back({at + 2, U16, item + 1, 0xF000 + n});
        fields.push_back({at + 4, U8, item + 2, 0x80 + n});
    }

    QByteArray b = blankBlock(0);
    put8(b, 9, 10); // spectrum mode: item 0
    for (const Field& f : fields) {
        switch (f.kind) {
        case U8:
        case S8:
            put8(b, f.offset, int(f.wire));
            break;
        case U16:
        case S16:
            put16(b, f.offset, int(f.wire));
            break;
        case Real:
            put32(b, f.offset, f.wire);
            break;
        }
    }

    Connection c;
    const qint32 untouched = 777;
    c.t.Tavr1UnitConfig = filledRecord(untouched);
    c.t.Tavr1LocalConfig = filledRecord(untouched);
    ASSERT_EQ(c.decode(b), TTavr1BlockVerdict::Decoded);
    const Tavr1ConfigRecord& u = c.t.Tavr1UnitConfig;

    Tavr1ConfigRecord want = filledRecord(untouched);
    want[0] = 10;
    for (const Field& f : fields) {
        if (f.kind == Real) {
            want.setReal(f.item, f.wire / 1000.0);
            EXPECT_DOUBLE_EQ(u.real(f.item), f.wire / 1000.0) << "item " << f.item;
        } else {
            want[f.item] = qint32(f.wire);
            EXPECT_EQ(u[f.item], f.wire) << "item " << f.item << " at " << f.offset;
        }
    }
    want[3] = want[2];
    EXPECT_EQ(u[3], 0x8002) << "item 3 copies the tuning";
    EXPECT_EQ(u[0], 10);
    for (int item : {19, 55, 158, 159, 160, 161, 162, 163})
        EXPECT_EQ(u[item], untouched) << "item " << item << " is not carried";
    EXPECT_EQ(u, want);
    EXPECT_EQ(c.t.Tavr1LocalConfig, filledRecord(untouched)) << "the working copy waits";
}

TEST(Tavr1Decoder, TwelveBitValues)
{
    QByteArray b = blankBlock(tkRds);
    const char measurements[] = {'\x00', '\xFF', '\x78', '\x34', '\x12', '\xA5'};
    b.replace(17, 6, measurements, 6);
    const char spectrum[] = {'\xFF', '\x01', '\x0F'};
    b.replace(250, 3, spectrum, 3);
    b.replace(1000, 3, "\x05\x06\x80", 3); // spectrum values 500 and 501
    Connection c;
    ASSERT_EQ(c.decode(b), TTavr1BlockVerdict::Decoded);
    EXPECT_EQ(c.t.Tavr1RawValues[0], -2048); // 0x800
    EXPECT_EQ(c.t.Tavr1RawValues[1], 2047);  // 0x7FF
    EXPECT_EQ(c.t.Tavr1RawValues[2], 0x534);
    EXPECT_EQ(c.t.Tavr1RawValues[3], 0xA12 - 0x1000);
    EXPECT_EQ(c.t.Tavr1Spectrum[0], -1); // 0xFFF
    EXPECT_EQ(c.t.Tavr1Spectrum[1], 1);
    EXPECT_EQ(c.t.Tavr1Spectrum[500], 5) << "the last of the 501 points kept";

    // Packing gives back every value.
    QByteArray packed(3, '\0');
    for (int v = -2048; v <= 2047; ++v) {
        setTavr1Value12(packed, 0, 0, v);
        setTavr1Value12(packed, 0, 1, -1 - v);
        ASSERT_EQ(Tavr1Value12(packed, 0, 0), v);
        ASSERT_EQ(Tavr1Value12(packed, 0, 1), -1 - v);
    }
}

TEST(Tavr1Decoder, EchoForms)
{
    struct Row
    {
        int code;
        std::array<quint8, 4> e;
        qint32 rfInput;                            // item 4 before the echo
        std::vector<std::pair<int, qint32>> items; // what changes
        std::set<int> flags;
        int reload = 0; // 1 resolution, 2 zoom, 3 audio page
    };
    const qint32 k = 4444; // item 4 not yet changed
    const Row rows[] = {
        {0, {0, 0, 0, 9}, k, {{0, 9}}, {1}},
        {15, {0, 0, 0x03, 0xE9}, k, {{2, 1001}}, {0, 2}},
        {16, {0, 0, 0, 10}, 1, {{5, 10}}, {0, 2}}, // High Level input
        {16, {0, 0, 0, 10}, 0, {{6, 10}}, {0, 2}}, // Antenna input
        {17, {0, 0, 0, 1}, k, {{4, 1}}, {0, 2}},
        {18, {0, 0, 0, 3}, k, {{7, 3}}, {2}},
        {21, {0, 0, 0, 4}, k, {{10, 4}}, {2}},
        {22, {0, 0, 0x03, 0xE8}, k, {{11, 1000}}, {2, 3}},
        {23, {0, 0, 0, 5}, k, {{12, 5}}, {2}},
        {24, {0, 0, 1, 0}, k, {{69, 1}}, {2}},
        {24, {0, 0, 1, 1}, k, {{70, 1}}, {2}},
        {25, {0, 0x02, 0x9E, 0}, k, {{71, 670}}, {2}},
        {25, {0, 0x02, 0x9E, 1}, k, {{72, 670}}, {2}},
        {30, {0, 0, 7, 1}, k, {{82, 7}}, {2}},
        {31, {0, 0x03, 0xE8, 1}, k, {{84, 1000}}, {2, 3}},
        {32, {0, 0, 9, 0}, k, {{85, 9}}, {2}},
        {33, {0, 0xFF, 0xFF, 0}, k, {{87, 65535}}, {2, 3}},
        {34, {0, 0, 0, 0xFB}, k, {{13, -5}}, {1}},
        {36, {0, 0, 0, 0xFB}, k, {{15, 251}}, {1}},
        {37, {0, 0, 0, 6}, k, {{17, 6}}, {1}, 1},
        {38, {0, 0, 0xFE, 0xD4}, k, {{16, -300}}, {1}},
        {39, {0, 0, 0xFF, 0xFF}, k, {{18, -1}}, {1}, 2},
        {40, {0, 0, 0xFF, 0xFE}, k, {{22, 65534}}, {1}},
        {44, {0, 0, 0x80, 0x00}, k, {{27, -32768}}, {1}},
        {48, {0, 0, 0, 2}, k, {{31, 2}}, {1}},
        {49, {0, 0, 0, 0x80}, k, {{32, -128}}, {1}},
        {51, {0, 0, 0, 3}, k, {{34, 3}}, {1}},
        {52, {0, 0, 0, 4}, k, {{36, 4}}, {1}, 1},
        {53, {0, 0, 0xFF, 0x9C}, k, {{35, -100}}, {1}},
        {54, {0, 0, 0x00, 0x05}, k, {{37, 5}}, {1}, 2},
        {55, {0, 0, 0x9C, 0x40}, k, {{40, 40000}}, {1}},
        {56, {0, 0, 0, 1}, k, {{42, 1}}, {1}},
        {59, {0, 0, 0xFF, 0x00}, k, {{45, -256}}, {1}},
        {62, {0, 0, 0, 2}, k, {{48, 2}}, {1}},
        {63, {0, 0, 0, 0xFF}, k, {{49, -1}}, {1}},
        {65, {0, 0, 0, 3}, k, {{51, 3}}, {1}},
        {66, {0, 0, 0, 4}, k, {{53, 4}}, {1}, 1},
        {67, {0, 0, 0x80, 0x01}, k, {{52, -32767}}, {1}},
        {68, {0, 0, 0x7F, 0xFF}, k, {{54, 32767}}, {1}, 2},
        {69, {0, 0, 0, 1}, k, {{58, 1}}, {}, 3},
        {71, {0, 0, 0, 2}, k, {{60, 2}}, {1}},
        {72, {0, 0, 0, 3}, k, {{62, 3}}, {1}},
        {75, {0, 0, 0xFF, 0xFE}, k, {{65, -2}}, {1}},
        {78, {0, 0, 0, 4}, k, {{68, 4}}, {1}},
        {79, {0, 0, 0, 5}, k, {{97, 5}}, {2}},
        {97, {0, 0, 0, 6}, k, {{115, 6}}, {2}},
        {98, {0, 0, 0, 7}, k, {{89, 7}}, {2}},
        {102, {0, 0, 0, 1}, k, {{93, 1}}, {2}},
        {105, {0, 0, 0, 8}, k, {{96, 8}}, {2}},
        {114, {0, 0, 0xFE, 0x0C}, k, {{116, -500}}, {3}},
        {115, {0, 0, 0xFF, 0xFF}, k, {{117, 65535}}, {3}},
        {116, {0, 0, 0, 0xC1}, k, {{118, 0xC1}}, {3}},
        {129, {0, 0, 0x03, 0xE8}, k, {{131, 1000}, {11, 1000}}, {2, 3}},
        {144, {0, 0, 0x00, 0x64}, k, {{146, 100}, {87, 100}}, {2, 3}},
        {147, {0, 0, 0xFF, 0xF6}, k, {{149, -10}, {83, -10}}, {2, 3}},
        {150, {0, 0, 0x00, 0x0C}, k, {{152, 12}, {88, 12}}, {2, 3}},
        {153, {0, 0, 0x00, 0x0D}, k, {{155, 13}, {84, 13}}, {2, 3}},
        {155, {0, 0, 0, 0x41}, k, {{157, 0x41}}, {3}},
        // Codes without an item and selectors other than SCA#1/SCA#2.
        {1, {1, 2, 3, 4}, k, {}, {}},
        {14, {1, 2, 3, 4}, k, {}, {}},
        {106, {1, 2, 3, 4}, k, {}, {}},
        {113, {1, 2, 3, 4}, k, {}, {}},
        {156, {1, 2, 3, 4}, k, {}, {}},
        {254, {1, 2, 3, 4}, k, {}, {}},
        {24, {0, 0, 1, 2}, k, {}, {}},
        {33, {0, 1, 2, 0xFF}, k, {}, {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "code " << r.code << " selector " << int(r.e[3]));
        Connection c;
        const qint32 before = -7777;
        c.t.Tavr1LocalConfig = filledRecord(before);
        c.t.Tavr1LocalConfig[4] = r.rfInput;
        c.t.Tavr1UnitConfig = filledRecord(1);
        Tavr1ConfigRecord want = c.t.Tavr1LocalConfig;
        for (auto [item, value] : r.items)
            want[item] = value;

        ASSERT_EQ(c.decode(echoBlock(r.code, r.e)), TTavr1BlockVerdict::Decoded);
        EXPECT_EQ(c.t.Tavr1LocalConfig, want);
        EXPECT_EQ(c.t.Tavr1UnitConfig, filledRecord(1)) << "the echo goes to the working copy";
        EXPECT_EQ(c.raisedFlags(), r.flags);
        EXPECT_EQ(c.t.Tavr1ReloadResolution, r.reload == 1);
        EXPECT_EQ(c.t.Tavr1ReloadZoom, r.reload == 2);
        EXPECT_EQ(c.t.Tavr1ReloadAudioPage, r.reload == 3);
        EXPECT_TRUE(c.s->RxLineNew) << "every echo is shown, known or not";
    }
}

TEST(Tavr1Decoder, EchoReplyLine)
{
    Connection c;
    c.decode(echoBlock(15, {0, 0, 0x03, 0xE9}));
    EXPECT_EQ(c.s->RxLine, " 15[0F]  00 00 03 E9");
    c.decode(echoBlock(254, {0xAB, 1, 0, 0xFF}));
    EXPECT_EQ(c.s->RxLine, "254[FE]  AB 01 00 FF");

    // 255: nothing echoed.
    Connection quiet;
    quiet.s->RxLine = "before";
    quiet.t.Tavr1LocalConfig = filledRecord(3);
    quiet.decode(echoBlock(255, {0, 0, 0, 9}));
    EXPECT_EQ(quiet.s->RxLine, "before");
    EXPECT_FALSE(quiet.s->RxLineNew);
    EXPECT_EQ(quiet.t.Tavr1LocalConfig, filledRecord(3));
    EXPECT_TRUE(quiet.raisedFlags().empty());
}

TEST(Tavr1Decoder, StatusFields)
{
    QByteArray b = blankBlock(tkRds);
    put8(b, 9, 9);
    put8(b, 10, 0xA5);
    put16(b, 12, 0x8001);
    put8(b, 14, 0xEE); // between the masks, not read
    put16(b, 15, 0x4002);
    Connection c;
    c.decode(b);
    EXPECT_EQ(c.t.Tavr1SpectrumMode, 9);
    EXPECT_EQ(c.t.Tavr1Leds, 0xA5);
    EXPECT_EQ(c.t.Tavr1AlarmMasks[0], 0x8001);
    EXPECT_EQ(c.t.Tavr1AlarmMasks[1], 0x4002);
}

namespace {

// Raw value feeding each (channel, slot), -1 where none does.
constexpr int spread[15][7] = {
    {0, -1, -1, -1, 1, -1, -1},   // RF level
    {-1, -1, -1, -1, 2, -1, -1},  // AM noise
    {-1, -1, -1, -1, 3, -1, -1},  // sync AM noise
    {4, 5, 6, -1, 22, 23, -1},    // Total
    {7, 8, 9, -1, 24, 25, -1},    // Left
    {10, 11, 12, -1, 26, 27, -1}, // Right
    {13, 14, 15, -1, 28, 29, -1}, // L+R
    {16, 17, 18, -1, 30, 31, -1}, // L-R
    {-1, -1, -1, -1, 34, -1, -1}, // Separation
    {-1, -1, -1, -1, 35, -1, -1}, // Crosstalk
    {20, -1, -1, 19, 32, -1, -1}, // Pilot
    {-1, -1, -1, -1, 33, -1, -1}, // 38 kHz
    {-1, -1, -1, 44, -1, -1, 45}, // RDS
    {36, 37, 38, 42, 46, 47, -1}, // SCA#1
    {39, 40, 41, 43, 46, 47, -1}, // SCA#2
};

qint32 rawValue(int k)
{
    return k * 37 - 1800; // distinct, and negative ones among them
}

} // namespace

TEST(Tavr1Decoder, MeasurementsSpreadAndHistory)
{
    Tavr1BlockFields f;
    f.tailKind = tkRds;
    for (int k = 0; k < 100; ++k)
        f.raw[k] = rawValue(k);

    for (bool basic : {false, true}) {
        SCOPED_TRACE(basic ? "Basic" : "Complete");
        Connection c;
        c.t.Tavr1Options = basic ? "Basic" : "Complete";
        for (auto& ch : c.t.Tavr1Measurements)
            ch.fill(9999);
        c.s->MeasurementHistory[5][0] = 55;
        ASSERT_EQ(c.decode(buildTavr1Block(f)), TTavr1BlockVerdict::Decoded);

        for (int ch = 0; ch < 15; ++ch) {
            for (int slot = 0; slot < 7; ++slot) {
                qint32 want = spread[ch][slot] < 0 ? 9999 : rawValue(spread[ch][slot]);
                if (basic && (ch == tcSca1 || ch == tcSca2) && slot < 6)
                    want = slot < 4 ? 0 : -1500;
                EXPECT_EQ(c.t.Tavr1Measurements[ch][slot], want)
                    << "channel " << ch << " slot " << slot;
            }
        }
        for (int k = 0; k < 100; ++k)
            EXPECT_EQ(c.t.Tavr1RawValues[k], rawValue(k));
        for (int k = 0; k < 48; ++k)
            EXPECT_EQ(c.s->MeasurementHistory[k][1], rawValue(k)) << "history slot " << k;
        EXPECT_EQ(c.s->MeasurementHistory[48][1], 0) << "only raw values 0..47 are series";
        EXPECT_EQ(c.s->MeasurementHistory[5][0], 55) << "only word 1 is written";
    }
}

TEST(Tavr1Decoder, RdsTail)
{
    Tavr1BlockFields f;
    f.tailKind = 1;
    Tavr1RdsFields& r = f.rds;
    r.piHex = "54A8";
    r.piCall = "KABC";
    r.tp = 1;
    r.ta = 0;
    r.musicSpeech = 1;
    r.ps = "ROCK 101";
    r.time = "12:34:56";
    r.date = "01/02/25";
    r.diNumber = "09";
    r.diText = "Stereo   ";
    r.ptyNumber = "05";
    r.ptyText = "Rock    ";
    r.ptyn = "Classics";
    r.radioTextAB = 1;
    r.radioTextA = "Now\rplaying\n";
    r.radioTextB = QByteArray(64, 'b');
    r.afCount = 12;
    r.afList = "87.9 101.1";
    r.groupsA = 0x4005;
    r.groupsB = 0x0004;

    Connection c;
    c.t.Tavr1Rds.Pin = "kept";
    ASSERT_EQ(c.decode(buildTavr1Block(f)), TTavr1BlockVerdict::Decoded);
    const TTavr1RdsRec& d = c.t.Tavr1Rds;
    EXPECT_EQ(d.PiHex, "54A8");
    EXPECT_EQ(d.PiCall, "KABC");
    EXPECT_EQ(d.Tp, 1);
    EXPECT_EQ(d.Ta, 0);
    EXPECT_EQ(d.MusicSpeech, 1);
    EXPECT_EQ(d.Ps, "ROCK 101");
    EXPECT_EQ(d.Time, "12:34:56");
    EXPECT_EQ(d.Date, "01/02/25");
    EXPECT_EQ(d.DiNumber, "09");
    EXPECT_EQ(d.DiText, "Stereo   ");
    EXPECT_EQ(d.PtyNumber, "05");
    EXPECT_EQ(d.PtyText, "Rock    ");
    EXPECT_EQ(d.Ptyn, "Classics");
    EXPECT_EQ(d.RadioTextAB, 1);
    EXPECT_EQ(d.RadioTextA, "Now[CR]playing[LF]" + QString(52, ' '));
    EXPECT_EQ(d.RadioTextB, " " + QString(64, 'b')) << "radiotext B starts with a blank";
    EXPECT_EQ(d.AfCount, 12);
    EXPECT_EQ(d.AfList, " 87.9 101.1" + QString(38, ' '));
    EXPECT_EQ(d.GroupsA, 0x4005);
    EXPECT_EQ(d.GroupsB, 0x0004);
    EXPECT_EQ(d.Pin, "kept");
    EXPECT_EQ(c.t.Tavr1UnitConfig, Tavr1ConfigRecord()) << "an RDS block is not settings";
}

TEST(Tavr1Decoder, TableTail)
{
    QByteArray b = blankBlock(18);
    auto byteAt = [](int offset) { return (offset * 7) & 0xFF; };
    for (int at = 1251; at < 1500; ++at)
        put8(b, at, byteAt(at));
    Tavr1Table want{};
    for (int i = 0; i < 4; ++i) {
        want[i] = i == 0 ? 18 : byteAt(1250 + 25 * i);
        for (int h = 1; h <= 12; ++h) {
            want[4 + 26 * i + h] = byteAt(1249 + 25 * i + 2 * h);
            want[17 + 26 * i + h] = byteAt(1250 + 25 * i + 2 * h);
        }
    }

    Connection c;
    c.decode(b);
    EXPECT_EQ(c.t.Tavr1ReceivedTable, want);
    EXPECT_EQ(c.t.Tavr1LocalTable, Tavr1Table{}) << "no copy unless asked";
    EXPECT_FALSE(c.t.Tavr1TableCopied);

    c.t.Tavr1UpdateLocalTable = true;
    c.decode(b);
    EXPECT_EQ(c.t.Tavr1LocalTable, want);
    EXPECT_TRUE(c.t.Tavr1TableCopied);
    EXPECT_TRUE(c.t.Tavr1UpdateLocalTable) << "the request stays for every table block";
}

TEST(Tavr1Decoder, ReloadRequestsWaitForSettings)
{
    struct Row
    {
        int code;
        std::vector<int> items;
    };
    const Row rows[] = {
        {37, {16, 18, 35, 37, 52, 54}},
        {66, {16, 18, 35, 37, 52, 54}},
        {54, {20, 21, 38, 39, 56, 57}},
        {69, {49, 51, 52, 54, 56, 57, 61}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "code " << r.code);
        Tavr1BlockFields settings;
        for (int k = 0; k < Tavr1ConfigItemCount; ++k)
            settings.config[k] = 100 + k; // bytes and words alike
        settings.config.setReal(20, 88.1);
        settings.config.setReal(38, 19.0);
        settings.config.setReal(56, 1.5);

        Connection c;
        c.t.Tavr1LocalConfig = filledRecord(5);
        c.decode(echoBlock(r.code, {0, 0, 0, 1})); // not a settings block: waits
        const Tavr1ConfigRecord afterEcho = c.t.Tavr1LocalConfig;
        c.s->PageRefresh = {};

        c.decode(buildTavr1Block(settings));
        Tavr1ConfigRecord want = afterEcho;
        for (int item : r.items)
            want[item] = c.t.Tavr1UnitConfig[item];
        EXPECT_EQ(c.t.Tavr1LocalConfig, want);
        EXPECT_EQ(c.raisedFlags(), std::set<int>{1});
        EXPECT_FALSE(c.t.Tavr1ReloadResolution || c.t.Tavr1ReloadZoom || c.t.Tavr1ReloadAudioPage);
    }
}

TEST(Tavr1Decoder, ResetDefaultsReloadsOnTheFifthSettingsBlock)
{
    Connection c;
    Tavr1BlockFields f;
    f.config[2] = 1001;
    const QByteArray settings = buildTavr1Block(f);
    f.tailKind = 1;
    const QByteArray rds = buildTavr1Block(f);

    ASSERT_TRUE(PostTavr1Action(c.t, Tavr1ResetDefaultsAction, 0, 0, 0, 0));
    EXPECT_EQ(TakeTavr1CommandLine(c.t, *c.s), "PBC80D\r");
    for (int n = 1; n <= 4; ++n) {
        c.decode(settings);
        c.decode(rds); // only settings blocks count
        EXPECT_EQ(c.t.Tavr1LocalConfig[2], 0) << "block " << n;
        EXPECT_TRUE(c.raisedFlags().empty());
    }
    c.decode(settings);
    EXPECT_EQ(c.t.Tavr1LocalConfig[2], 1001) << "copied on the fifth";
    EXPECT_EQ(c.raisedFlags().size(), size_t(PageRefreshCount));
    EXPECT_FALSE(c.t.Tavr1UpdateLocalConfig);

    // The count has stopped: later settings blocks leave the working copy.
    f.tailKind = 0;
    f.config[2] = 955;
    for (int n = 0; n < 10; ++n)
        c.decode(buildTavr1Block(f));
    EXPECT_EQ(c.t.Tavr1LocalConfig[2], 1001);
    EXPECT_EQ(c.t.Tavr1UnitConfig[2], 955);
}

TEST(Tavr1Decoder, RefusedBlocksChangeNothing)
{
    Tavr1BlockFields f;
    f.echoCode = 15;
    f.echo = {0, 0, 0x03, 0xE9};
    f.raw.fill(5);
    f.config[2] = 1001;
    const QByteArray good = buildTavr1Block(f);
    QByteArray noMarker = good;
    noMarker[1] = 'x';
    QByteArray unknownTail = good;
    unknownTail[1250] = char(2);

    const struct
    {
        const char* what;
        QByteArray block;
        TTavr1BlockVerdict verdict;
    } rows[] = {
        {"empty", QByteArray(), TTavr1BlockVerdict::TooShort},
        {"one byte short", good.left(1500), TTavr1BlockVerdict::TooShort},
        {"no marker", noMarker, TTavr1BlockVerdict::NoMarker},
        {"a tail kind the unit never sends", unknownTail, TTavr1BlockVerdict::UnknownTail},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        Connection c;
        c.t.Tavr1UpdateLocalConfig = true;
        EXPECT_EQ(c.decode(r.block), r.verdict);
        EXPECT_EQ(c.t.Tavr1LocalConfig, Tavr1ConfigRecord());
        EXPECT_EQ(c.t.Tavr1UnitConfig, Tavr1ConfigRecord());
        EXPECT_EQ(c.t.Tavr1RawValues[0], 0);
        EXPECT_EQ(c.s->MeasurementHistory[0][1], 0);
        EXPECT_TRUE(c.s->RxLine.isEmpty());
        EXPECT_TRUE(c.t.Tavr1UpdateLocalConfig);
        EXPECT_EQ(c.s->BlockChecksums[0], 0);
    }
}

TEST(Tavr1Decoder, StampedBlockAndChecksum)
{
    Tavr1BlockFields f;
    f.raw.fill(-1);
    f.config[2] = 1001;
    const QByteArray plain = buildTavr1Block(f);
    const QByteArray stamped =
        buildTavr1Block(f, QDateTime(QDate(2025, 1, 1), QTime(12, 0), Qt::LocalTime));
    ASSERT_EQ(stamped.size(), 1509);
    EXPECT_EQ(stamped.left(1501), plain);

    quint32 sum = 0;
    for (int i = 0; i < 1501; ++i)
        sum += quint8(plain[i]);

    Connection a, b;
    ASSERT_EQ(a.decode(plain), TTavr1BlockVerdict::Decoded);
    ASSERT_EQ(b.decode(stamped), TTavr1BlockVerdict::Decoded);
    EXPECT_EQ(b.t.Tavr1UnitConfig, a.t.Tavr1UnitConfig);
    EXPECT_EQ(b.t.Tavr1Measurements, a.t.Tavr1Measurements);
    EXPECT_EQ(a.s->BlockChecksums[0], quint16(sum));
    EXPECT_EQ(b.s->BlockChecksums[0], quint16(sum)) << "the stamp is not summed";
    EXPECT_EQ(b.s->BlockChecksums[1], 0) << "the block carries no checksum";
}
