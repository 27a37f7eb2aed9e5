// Tavr1 blocks written byte by byte at the positions the unit's block layout
// gives, with no offset of our own, and every field read back: a settings
// block (kind 0) and a table block (kind 18). The decoder and the simulated
// unit share their offsets, so only blocks made this way show a misplaced
// field.
#include "protocol/tavr1/Tavr1BlockLayout.h"
#include "protocol/tavr1/Tavr1Decoder.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

quint8 pattern(int offset)
{
    return quint8(offset * 7 + 13);
}

struct TGoldenTavr1
{
    QByteArray b = QByteArray(1501, '\0');

    explicit TGoldenTavr1(int kind)
    {
        b[0] = char(0xFF);
        b[1] = char(0xFE);
        b[2] = char(0xFD);
        for (int o = 3; o < 1501; ++o)
            b[o] = char(pattern(o));
        b[4] = 23; // echo of code 23 (item 12, a byte)
        b[1250] = char(kind);
        // The zoom frequencies are positive: the layout gives no sign for them.
        for (int o : {1274, 1299, 1323})
            b[o] = char(u8(o) & 0x7F);
    }
    quint8 u8(int o) const { return quint8(b[o]); }
    qint32 s8(int o) const { return qint8(u8(o)); }
    qint32 be16(int o) const { return qint32(u8(o)) << 8 | u8(o + 1); }
    qint32 s16(int o) const { return qint16(be16(o)); }
    qint32 s32(int o) const { return qint32(quint32(be16(o)) << 16 | quint32(be16(o + 2))); }
    qint32 value12(int o, int k) const
    {
        const int g = o + 3 * (k / 2);
        const int v = k % 2 == 0 ? u8(g) + 256 * (u8(g + 2) & 0x0F)
                                 : u8(g + 1) + 16 * (u8(g + 2) & 0xF0);
        return v & 0x800 ? v - 0x1000 : v;
    }
};

struct TTavr1Decoded
{
    TTavr1Data t;
    std::unique_ptr<TConnectionState> s = std::make_unique<TConnectionState>();
};

QString hex2(int v)
{
    return QString("%1").arg(v & 0xFF, 2, 16, QChar('0')).toUpper();
}

// What every block carries, kind aside: the echo line, the status, the 100
// measurement values (spread, and 0..47 as series) and the spectrum.
void expectFixedPart(const TGoldenTavr1& g, const TTavr1Decoded& x)
{
    EXPECT_EQ(QString::fromLatin1(x.s->RxLine), " 23[17]  " + hex2(g.u8(5)) + " " +
                                                    hex2(g.u8(6)) + " " + hex2(g.u8(7)) + " " +
                                                    hex2(g.u8(8)));
    EXPECT_EQ(x.t.Tavr1LocalConfig[12], g.u8(8)) << "the echoed byte is E3";
    EXPECT_EQ(x.t.Tavr1SpectrumMode, g.u8(9));
    EXPECT_EQ(x.t.Tavr1Leds, g.u8(10));
    EXPECT_EQ(x.t.Tavr1AlarmMasks[0], g.be16(12));
    EXPECT_EQ(x.t.Tavr1AlarmMasks[1], g.be16(15));

    // Raw value feeding each (channel, slot), -1 where none does.
    const int spread[15][7] = {
        {0, -1, -1, -1, 1, -1, -1},   {-1, -1, -1, -1, 2, -1, -1},  {-1, -1, -1, -1, 3, -1, -1},
        {4, 5, 6, -1, 22, 23, -1},    {7, 8, 9, -1, 24, 25, -1},    {10, 11, 12, -1, 26, 27, -1},
        {13, 14, 15, -1, 28, 29, -1}, {16, 17, 18, -1, 30, 31, -1}, {-1, -1, -1, -1, 34, -1, -1},
        {-1, -1, -1, -1, 35, -1, -1}, {20, -1, -1, 19, 32, -1, -1}, {-1, -1, -1, -1, 33, -1, -1},
        {-1, -1, -1, 44, -1, -1, 45}, {36, 37, 38, 42, 46, 47, -1}, {39, 40, 41, 43, 46, 47, -1},
    };
    for (int ch = 0; ch < 15; ++ch)
        for (int slot = 0; slot < 7; ++slot)
            if (spread[ch][slot] >= 0) {
                EXPECT_EQ(x.t.Tavr1Measurements[size_t(ch)][size_t(slot)],
                          g.value12(17, spread[ch][slot]))
                    << "channel " << ch << " slot " << slot;
            }
    for (int k = 0; k < 100; ++k)
        EXPECT_EQ(x.t.Tavr1RawValues[size_t(k)], g.value12(17, k)) << k;
    for (int k = 0; k < 48; ++k)
        EXPECT_EQ(x.s->MeasurementHistory[size_t(k)][1], g.value12(17, k)) << k;
    for (int i = 0; i < 501; ++i)
        EXPECT_EQ(x.t.Tavr1Spectrum[size_t(i)], g.value12(250, i)) << i;
}

} // namespace

TEST(Tavr1GoldenBlock, SettingsBlock)
{
    const TGoldenTavr1 g(0);
    TTavr1Decoded x;
    ASSERT_EQ(DecodeTavr1Block(g.b, x.t, *x.s), TTavr1BlockVerdict::Decoded);
    expectFixedPart(g, x);

    enum Form
    {
        B,   // a byte
        S8,  // a signed byte: the vertical offsets, as the echo table gives them
        W,   // big-endian 16 bits
        S16, // the same, signed
        Real // big-endian 32 bits, thousandths, into an item pair
    };
    struct TRun
    {
        int offset;
        Form form;
        int firstItem;
        int count;
    };
    const TRun runs[] = {
        {1252, W, 1, 1},     {1255, W, 2, 1},     {1257, B, 4, 3},     {1260, B, 8, 3},
        {1263, W, 11, 1},    {1265, B, 12, 1},    {1266, S8, 13, 1},   {1267, B, 14, 2},
        {1269, S16, 16, 1},  {1271, B, 17, 1},    {1272, S16, 18, 1},  {1274, Real, 20, 1},
        {1278, W, 22, 1},    {1280, S16, 23, 1},  {1282, B, 24, 3},    {1285, S16, 27, 1},
        {1287, B, 28, 4},    {1291, S8, 32, 1},   {1292, B, 33, 2},    {1294, S16, 35, 1},
        {1296, B, 36, 1},    {1297, S16, 37, 1},  {1299, Real, 38, 1}, {1303, W, 40, 1},
        {1305, S16, 41, 1},  {1307, B, 42, 3},    {1310, S16, 45, 1},  {1312, B, 46, 3},
        {1315, S8, 49, 1},   {1316, B, 50, 2},    {1318, S16, 52, 1},  {1320, B, 53, 1},
        {1321, S16, 54, 1},  {1323, Real, 56, 1}, {1327, B, 58, 3},    {1330, S16, 61, 1},
        {1332, B, 62, 3},    {1335, S16, 65, 1},  {1337, B, 66, 5},    {1342, W, 71, 1},
        {1344, W, 72, 1},    {1346, B, 73, 10},   {1356, W, 83, 1},    {1358, W, 84, 1},
        {1360, B, 85, 2},    {1362, W, 87, 1},    {1364, W, 88, 1},    {1366, B, 89, 10},
        {1376, B, 99, 11},   {1387, B, 110, 6},   {1476, B, 7, 1},
    };
    const Tavr1ConfigRecord& u = x.t.Tavr1UnitConfig;
    EXPECT_EQ(u[0], g.u8(9)) << "item 0 is the spectrum mode";
    EXPECT_EQ(u[3], u[2]) << "item 3 copies the tuning";
    for (const TRun& r : runs) {
        for (int i = 0; i < r.count; ++i) {
            const int item = r.firstItem + i;
            switch (r.form) {
            case B:
                EXPECT_EQ(u[item], g.u8(r.offset + i)) << "item " << item;
                break;
            case S8:
                EXPECT_EQ(u[item], g.s8(r.offset)) << "item " << item;
                break;
            case W:
                EXPECT_EQ(u[item], g.be16(r.offset)) << "item " << item;
                break;
            case S16:
                EXPECT_EQ(u[item], g.s16(r.offset)) << "item " << item;
                break;
            case Real:
                EXPECT_DOUBLE_EQ(u.real(item), g.s32(r.offset) / 1000.0) << "item " << item;
                break;
            }
        }
    }
    for (int n = 1; n <= 14; ++n) {
        const int at = 1395 + 5 * (n - 1);
        const int item = 116 + 3 * (n - 1);
        EXPECT_EQ(u[item], g.s16(at)) << "alarm " << n << " threshold";
        EXPECT_EQ(u[item + 1], g.be16(at + 2)) << "alarm " << n << " time";
        EXPECT_EQ(u[item + 2], g.u8(at + 4)) << "alarm " << n << " action";
    }
    for (int item : {19, 55, 158, 159, 160, 161, 162, 163})
        EXPECT_EQ(u[item], 0) << "item " << item << " is not carried";
}

TEST(Tavr1GoldenBlock, TableBlock)
{
    const TGoldenTavr1 g(18);
    TTavr1Decoded x;
    x.t.Tavr1UpdateLocalTable = true;
    ASSERT_EQ(DecodeTavr1Block(g.b, x.t, *x.s), TTavr1BlockVerdict::Decoded);
    expectFixedPart(g, x);
    Tavr1Table want{};
    for (int i = 0; i < 4; ++i) {
        want[size_t(i)] = g.u8(1250 + 25 * i);
        for (int h = 1; h <= 12; ++h) {
            want[size_t(4 + 26 * i + h)] = g.u8(1249 + 25 * i + 2 * h);
            want[size_t(17 + 26 * i + h)] = g.u8(1250 + 25 * i + 2 * h);
        }
    }
    EXPECT_EQ(want[0], 18);
    EXPECT_EQ(x.t.Tavr1ReceivedTable, want);
    EXPECT_EQ(x.t.Tavr1LocalTable, want);
    EXPECT_TRUE(x.t.Tavr1TableCopied);
}

// A field one item too long reads the first byte of the field after it into
// the item after its own; that item is then filled again by its own field, so
// no decoded value shows it. Where each field ends shows in the layout: no
// byte of the settings tail is read twice, and no item is filled twice.
TEST(Tavr1GoldenBlock, SettingsFieldsEndWhereTheNextBegins)
{
    std::array<int, 1501> byteField;
    byteField.fill(-1);
    std::array<int, Tavr1ConfigItemCount> itemField;
    itemField.fill(-1);
    for (const TTavr1ConfigField& f : Tavr1ConfigFields()) {
        const int width = Tavr1FieldWidth(f.type);
        const int step = f.offsetStep ? f.offsetStep : width;
        const int items = f.type == TTavr1FieldType::Real32 ? 2 : 1;
        for (int i = 0; i < f.count; ++i) {
            const int at = f.offset + i * step;
            SCOPED_TRACE(testing::Message() << "field at " << f.offset << ", item " << i);
            ASSERT_GE(at, 1251);
            ASSERT_LE(at + width, 1501);
            for (int k = 0; k < width; ++k) {
                EXPECT_EQ(byteField[size_t(at + k)], -1)
                    << "byte " << at + k << " is also read by the field at "
                    << byteField[size_t(at + k)];
                byteField[size_t(at + k)] = f.offset;
            }
            const int item = f.firstItem + i * f.itemStep;
            ASSERT_GE(item, 1);
            ASSERT_LE(item + items, Tavr1ConfigItemCount);
            for (int k = 0; k < items; ++k) {
                EXPECT_EQ(itemField[size_t(item + k)], -1)
                    << "item " << item + k << " is also filled by the field at "
                    << itemField[size_t(item + k)];
                itemField[size_t(item + k)] = f.offset;
            }
        }
    }
}
