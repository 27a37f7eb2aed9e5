// An HD block written byte by byte at the positions the unit's block layout
// gives, with no offset of our own, and every field read back from it. The
// decoder and the simulated unit share their offsets, so only a block made
// this way shows a misplaced field.
#include "protocol/hd/HdDecoder.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

// A byte pattern in which neighbouring bytes, and bytes a few apart, differ.
quint8 pattern(int offset)
{
    return quint8(offset * 7 + 13);
}

struct TGoldenHd
{
    QByteArray b = QByteArray(2729, '\0');

    quint8 u8(int o) const { return quint8(b[o]); }
    quint32 be16(int o) const { return quint32(u8(o)) << 8 | u8(o + 1); }
    quint32 be32(int o) const { return be16(o) << 16 | be16(o + 2); }
    static qint32 s16(quint32 v) { return v > 0x8000 ? qint32(v) - 0x10000 : qint32(v); }
    // Value k of a 12-bit packed run from offset o.
    qint32 value12(int o, int k) const
    {
        const int g = o + 3 * (k / 2);
        const int v = k % 2 == 0 ? u8(g) + 256 * (u8(g + 2) & 0x0F) : u8(g + 1) + 16 * (u8(g + 2) & 0xF0);
        return v & 0x800 ? v - 0x1000 : v;
    }
    void put(int o, quint8 v) { b[o] = char(v); }
    void checksum()
    {
        quint16 sum = 0;
        for (int i = 0; i <= 2726; ++i)
            sum = quint16(sum + u8(i));
        put(2727, quint8(sum >> 8));
        put(2728, quint8(sum));
    }
};

// A type-0 block with an "S" message: the fixed part a pattern, the three
// configuration words the layout places, eight XHDR entries, the status table
// and the SIG message.
TGoldenHd goldenConfigBlock()
{
    TGoldenHd g;
    g.put(0, 0xFF);
    g.put(1, 0xFE);
    g.put(2, 0xFD);
    for (int o = 3; o < 1200; ++o)
        g.put(o, pattern(o));
    g.put(1200, 0); // configuration
    for (int o = 1201; o < 1555; ++o)
        g.put(o, pattern(o));
    g.put(1203, 0x01); // word 0
    g.put(1204, 0x23);
    g.put(1205, 0x05); // word 1, the preset (the pattern gives 7 at 1206)
    g.put(1225, 0x03); // word 2, the tuning
    g.put(1226, 0xE9);
    for (int i = 0; i < 8; ++i) {
        const int at = 1555 + 8 * i;
        const quint32 hash = 0x11223344u + quint32(i);
        for (int k = 0; k < 4; ++k)
            g.put(at + k, quint8(hash >> (8 * k)));
        g.put(at + 4, 0); // parameter id
        g.put(at + 5, 0x5A);
        g.put(at + 6, quint8(0x40 + i)); // LOT id, low byte first
        g.put(at + 7, 0x0A);
    }
    g.put(1619, 'S');
    for (int o = 1620; o < 2727; ++o)
        g.put(o, quint8(o * 5 + 3));
    g.checksum();
    return g;
}

struct THdDecoded
{
    std::unique_ptr<THdData> d = std::make_unique<THdData>();
    std::unique_ptr<TConnectionState> s = std::make_unique<TConnectionState>();
    QStringList events;
    THdBlockVerdict decode(const QByteArray& b)
    {
        THdDecodeSink k;
        k.objectEvent = [this](const QString& t, int kind) {
            events << QString::number(kind) + ":" + t;
        };
        return DecodeHdBlock(b, *d, *s, k);
    }
};

QString hex2(quint32 v)
{
    return QString("%1").arg(v & 0xFF, 2, 16, QChar('0')).toUpper();
}

} // namespace

TEST(HdGoldenBlock, ConfigurationBlockWithAServiceMessage)
{
    const TGoldenHd g = goldenConfigBlock();
    THdDecoded x;
    ASSERT_EQ(x.decode(g.b), THdBlockVerdict::Decoded);
    EXPECT_EQ(x.s->BlockChecksums[0], g.be16(2727));
    EXPECT_EQ(x.s->BlockChecksums[1], g.be16(2727));

    // Parameter echo.
    const quint32 id = g.be16(4);
    EXPECT_EQ(QString::fromLatin1(x.s->RxLine),
              QString("%1").arg(id, 5) + "[" + hex2(id >> 8) + hex2(id) + "]  " + hex2(g.u8(6)) +
                  " " + hex2(g.u8(7)) + " " + hex2(g.u8(8)) + " " + hex2(g.u8(9)));

    const THdData& d = *x.d;
    EXPECT_EQ(d.HdAudioLevels[0], g.u8(10));
    EXPECT_EQ(d.HdStatus, g.u8(11));
    EXPECT_EQ(d.HdAlarmMasks[0], qint32(g.u8(12) << 16 | g.u8(13) << 8 | g.u8(14)));
    EXPECT_EQ(d.HdAlarmMasks[1], qint32(g.u8(15) << 16 | g.u8(16) << 8 | g.u8(17)));

    const THdServiceRec& v = d.HdService;
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(v.ProgramsMask[i], g.u8(18 + i)) << i;
        EXPECT_EQ(v.CurrentProgram[i], g.u8(24 + i)) << i;
    }
    EXPECT_EQ(v.ServiceExtra[0], g.u8(22));
    EXPECT_EQ(v.ServiceExtra[1], g.u8(23));
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(v.ProgramType[i], g.u8(28 + i)) << i;
    QString mode;
    for (int o = 36; o < 40; ++o)
        mode += QChar::fromLatin1(char(g.u8(o)));
    EXPECT_EQ(v.ServiceModeText, mode);
    EXPECT_EQ(v.CodecMode, g.u8(40));
    EXPECT_DOUBLE_EQ(v.CdNo, g.be16(41) / 100.0);
    EXPECT_EQ(v.QualityIndicator, g.u8(43));
    EXPECT_DOUBLE_EQ(v.Daai, g.be16(44) / 100.0);
    EXPECT_EQ(v.AcqTimeData, qint32(g.be16(46)));
    EXPECT_EQ(v.AcqTimeAudio, qint32(g.be16(48)));
    EXPECT_EQ(v.SisPortId, g.u8(50));
    EXPECT_EQ(v.SisServiceId, g.u8(51));
    EXPECT_EQ(v.SisSessionType, g.u8(52));
    EXPECT_EQ(v.SisBlockCount, g.u8(53));
    EXPECT_EQ(v.SisAlfnStatus, g.u8(54));
    EXPECT_EQ(v.SisAlfn, g.be32(55));
    EXPECT_EQ(v.SisTimeLocked, g.u8(59));
    EXPECT_EQ(v.SisNumTypes, g.u8(60));

    // 126 measurement values from 61: the table, the records and the series.
    std::array<qint32, 126> m{};
    for (int k = 0; k < 126; ++k) {
        m[size_t(k)] = g.value12(61, k);
        EXPECT_EQ(d.HdAudioLevels[size_t(k + 1)], m[size_t(k)]) << k;
        EXPECT_EQ(x.s->MeasurementHistory[size_t(k)][1], m[size_t(k)]) << k;
    }
    const auto& r = d.HdMeasurements;
    EXPECT_EQ(r[0].Peak, m[0]);
    EXPECT_EQ(r[0].Db, m[1]);
    for (int rec = 1; rec <= 5; ++rec) {
        const size_t first = size_t(2 + 3 * (rec - 1));
        EXPECT_EQ(r[size_t(rec)].Peak, m[first]) << rec;
        EXPECT_EQ(r[size_t(rec)].Average, m[first + 1]) << rec;
        EXPECT_EQ(r[size_t(rec)].Minimum, m[first + 2]) << rec;
    }
    EXPECT_EQ(r[6].Injection, m[17]);
    EXPECT_EQ(r[7].Injection, m[18]);
    for (int rec = 8; rec <= 42; ++rec) {
        const size_t first = size_t(20 + 3 * (rec - 8));
        EXPECT_EQ(r[size_t(rec)].Peak, m[first]) << rec;
        EXPECT_EQ(r[size_t(rec)].Average, m[first + 1]) << rec;
        EXPECT_EQ(r[size_t(rec)].Minimum, m[first + 2]) << rec;
    }
    EXPECT_EQ(r[43].Peak, m[125]);

    // Time- and level-alignment status from 253.
    EXPECT_EQ(v.TaValid, g.u8(253));
    EXPECT_EQ(v.TaPolarityInverted, g.u8(254));
    EXPECT_EQ(v.TaUnsignedItem, qint32(g.be16(255)));
    EXPECT_EQ(v.TaSignedItem, TGoldenHd::s16(g.be16(257)));
    EXPECT_EQ(v.LevelFast, TGoldenHd::s16(g.be16(259)));
    EXPECT_EQ(v.LevelAvg, TGoldenHd::s16(g.be16(261)));
    EXPECT_EQ(v.TimeFast, qint32(g.be32(263)));
    EXPECT_EQ(v.TimeAvg, qint32(g.be32(267)));
    EXPECT_EQ(v.TaState, g.u8(271));
    EXPECT_EQ(v.DeviceDelayUs, qint32(g.be32(272)));
    EXPECT_EQ(v.AvgErrorNs, qint32(g.be32(276)));
    EXPECT_EQ(v.FastErrorNs, qint32(g.be32(280)));
    EXPECT_EQ(v.DelayCorrectionUs, qint32(g.be32(284)));
    EXPECT_EQ(v.RampActive, g.u8(288));
    EXPECT_EQ(v.RampPercent, g.u8(289));
    EXPECT_EQ(v.AutoHours, g.u8(290));
    EXPECT_EQ(v.AutoMinutes, g.u8(291));
    for (int k = 1; k <= 6; ++k)
        EXPECT_EQ(v.TaApplyState[size_t(k)], g.u8(291 + k)) << k;
    EXPECT_EQ(v.MultiScanHours, g.u8(298));
    EXPECT_EQ(v.MultiScanMinutes, g.u8(299));
    EXPECT_EQ(v.AutoSampleResolution, g.u8(300));
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(v.BerCounts[size_t(i)], g.be32(301 + 4 * i)) << i;

    // 509 spectrum values from 333: 501 points, then eight powers.
    for (int i = 0; i < 501; ++i)
        EXPECT_EQ(d.HdSpectrum[size_t(i)], g.value12(333, i)) << i;
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(d.HdSpectrumPower[size_t(i)], g.value12(333, 501 + i)) << i;

    EXPECT_EQ(d.HdBlockType, 0);
    EXPECT_EQ(d.HdUnitConfig[0], 0x0123);
    EXPECT_EQ(d.HdUnitConfig[1], 5);
    EXPECT_EQ(d.HdUnitConfig[2], 1001);
    EXPECT_EQ(d.HdUnitConfig[3], 1001);
    // Words 4 on from 1227, one or two bytes each: words 4..9 take a byte
    // each, so word 10 (two bytes) starts at 1233; the last, word 181, is the
    // byte at 1461, and the unit record's five items follow it from 1462.
    EXPECT_EQ(d.HdUnitConfig[4], g.u8(1227));
    EXPECT_EQ(d.HdUnitConfig[9], g.u8(1232));
    EXPECT_EQ(d.HdUnitConfig[10], TGoldenHd::s16(g.be16(1233)));
    EXPECT_EQ(d.HdUnitConfig[181], g.u8(1461));
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(d.HdUnitRecord[size_t(i)], g.u8(1462 + i)) << "unit record item " << i;
    // The preset differs from the working copy's: the copy takes the record.
    EXPECT_EQ(d.HdLocalConfig, d.HdUnitConfig);

    // XHDR entries at 1555, eight bytes a program.
    ASSERT_EQ(x.events.size(), 8) << x.events.join('\n').toStdString();
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(quint32(d.XhdrData.GetMimeHash(i)), 0x11223344u + quint32(i)) << i;
        EXPECT_EQ(d.XhdrData.GetParamId(i), 0) << i;
        EXPECT_EQ(d.XhdrData.GetLotId(i), 0x0A40 + i) << i;
        EXPECT_EQ(x.events[i], QString("2:HD%1,,,$0A4%2,,,,").arg(i + 1).arg(i)) << i;
    }

    // The "S" message: the 256-entry status table, then the 838 SIG bytes.
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(d.SigData.GetSigValue(i), g.u8(1629 + i)) << i;
    quint32 sum = 0;
    for (int i = 0; i < 838; ++i) {
        EXPECT_EQ(d.SigData.GetSigByte(i), g.u8(1885 + i)) << i;
        sum += g.u8(1885 + i);
    }
    EXPECT_EQ(d.SigSum, sum);
    EXPECT_TRUE(d.SigData.Changed);
}

TEST(HdGoldenBlock, AChecksumOverOneByteFewerIsRefused)
{
    TGoldenHd g = goldenConfigBlock();
    // The sum the unit sends covers bytes 0..2726; one over 0..2725 is wrong.
    quint16 shortSum = 0;
    for (int i = 0; i <= 2725; ++i)
        shortSum = quint16(shortSum + g.u8(i));
    g.put(2727, quint8(shortSum >> 8));
    g.put(2728, quint8(shortSum));
    THdDecoded x;
    EXPECT_EQ(x.decode(g.b), THdBlockVerdict::BadChecksum);
}

TEST(HdGoldenBlock, SProtocolNetworkFrameCarriesTheEchoedLineAfterTheStamp)
{
    // Block, the unit's 8-byte stamp, then 64 bytes of the echoed line.
    const TGoldenHd g = goldenConfigBlock();
    QByteArray line("XY\r");
    line.append(QByteArray(64 - line.size(), '\0'));
    const QByteArray frame = g.b + QByteArray(8, '\x11') + line;
    ASSERT_EQ(frame.size(), 2801);
    THdDecoded x;
    ASSERT_EQ(x.decode(frame), THdBlockVerdict::Decoded);
    EXPECT_EQ(x.d->HdTextLine, "XY");
    EXPECT_TRUE(x.d->HdTextLineNew);
}

namespace {

// An object of 256 header bytes and 2000 data bytes, of a kind that is kept
// without a picture: the header's items little-endian, checksum at 0, port 2,
// LOT id 4, discard time 6, size 10, MIME hash 14, file name from 18.
QByteArray goldenObject()
{
    QByteArray data(2000, '\0');
    quint16 sum = 0;
    for (int i = 0; i < data.size(); ++i) {
        data[i] = char(i * 3 + 1);
        sum = quint16(sum + quint8(data[i]));
    }
    QByteArray header(256, '\0');
    auto le = [&](int at, quint32 v, int width) {
        for (int k = 0; k < width; ++k)
            header[at + k] = char(v >> (8 * k));
    };
    le(0, sum, 2);
    le(2, 0x0123, 2);
    le(4, 0x0456, 2);
    le(6, 0x0A0B0C0D, 4);
    le(10, 2000, 4);
    le(14, 0x0BADF00D, 4);
    header.replace(18, 10, "golden.bin");
    return header + data;
}

// The configuration block carrying chunk `bytes` of an object of `total`
// bytes as an "L" message: sub-kind and sequence at 1620, the total at 1621,
// the chunk's position at 1625 (both big-endian), the bytes from 1629.
QByteArray objectChunk(quint8 subKind, quint32 total, quint32 position, const QByteArray& bytes)
{
    TGoldenHd g = goldenConfigBlock();
    g.put(1619, 'L');
    g.put(1620, subKind);
    for (int k = 0; k < 4; ++k) {
        g.put(1621 + k, quint8(total >> (24 - 8 * k)));
        g.put(1625 + k, quint8(position >> (24 - 8 * k)));
    }
    for (int o = 1629; o < 2727; ++o)
        g.put(o, o - 1629 < bytes.size() ? quint8(bytes[o - 1629]) : 0);
    g.checksum();
    return g.b;
}

} // namespace

TEST(HdGoldenBlock, ObjectChunksCarryTheirSubKindTotalAndPosition)
{
    const QByteArray object = goldenObject();
    const quint32 total = quint32(object.size());
    ASSERT_EQ(total, 2256u);
    // The checksum's low byte opens the payload: not 0, so a position read
    // one byte late is no longer 0.
    ASSERT_NE(object[0], '\0');

    THdDecoded x;
    ASSERT_EQ(x.decode(objectChunk(0x11, total, 0, object.left(1096))), THdBlockVerdict::Decoded);
    // The second chunk comes twice: a copy under a new sequence number
    // replaces the first, which here is spoilt.
    ASSERT_EQ(x.decode(objectChunk(0x12, total, 1096, QByteArray(1096, '\xEE'))),
              THdBlockVerdict::Decoded);
    ASSERT_EQ(x.decode(objectChunk(0x13, total, 1096, object.mid(1096, 1096))),
              THdBlockVerdict::Decoded);
    x.events.clear(); // the XHDR lines of the first block
    ASSERT_EQ(x.decode(objectChunk(0x14, total, 2192, object.mid(2192))), THdBlockVerdict::Decoded);

    const THD_AE_Object& o = x.d->AEObject;
    EXPECT_TRUE(o.Valid);
    EXPECT_EQ(o.Port, 0x0123);
    EXPECT_EQ(o.LotId, 0x0456);
    EXPECT_EQ(o.DiscardTime, 0x0A0B0C0D);
    EXPECT_EQ(o.Size, 2000);
    EXPECT_EQ(quint32(o.MimeHash), 0x0BADF00Du);
    EXPECT_EQ(o.FileName, "golden.bin");
    const quint32 sum = quint8(object[0]) | quint8(object[1]) << 8;
    EXPECT_EQ(x.events, QStringList{"1:HD,,$0123,$0456,2000,$" + hex2(sum >> 8) + hex2(sum) +
                                    ",golden.bin,"});
}
