#include "protocol/hd/HdDecoder.h"
#include "protocol/hd/HdBlockLayout.h"
#include "protocol/hd/HdIdTable.h"
#include "protocol/hd/HdImages.h"
#include "protocol/hd/HdRequests.h"
#include "sim/hd/HdBlock.h"
#include "sim/hd/HdObjects.h"
#include "sim/hd/HdSim.h"

#include <gtest/gtest.h>
#include <memory>
#include <zlib.h>

namespace {

struct Decoded
{
    std::unique_ptr<THdData> d = std::make_unique<THdData>();
    std::unique_ptr<TConnectionState> s = std::make_unique<TConnectionState>();
    QStringList events, errors;
    QStringList files;
    THdDecodeSink sink()
    {
        THdDecodeSink k;
        k.objectEvent = [this](const QString& t, int kind) {
            events << QString::number(kind) + ":" + t;
        };
        k.error = [this](const QString& t) { errors << t; };
        k.writeFile = [this](const QString& name, const QByteArray&) {
            files << name;
            return true;
        };
        return k;
    }
    THdBlockVerdict decode(const QByteArray& b) { return DecodeHdBlock(b, *d, *s, sink()); }
};

QByteArray block(const THdBlockFields& fields)
{
    return BuildHdBlock(fields);
}

} // namespace

TEST(HdDecoder, GoldenBlockFillsEveryFixedField)
{
    HdSim sim;
    Decoded x;
    ASSERT_EQ(x.decode(block(sim.fields)), THdBlockVerdict::Decoded);
    const THdServiceRec& e = sim.fields.service;
    const THdServiceRec& v = x.d->HdService;
    EXPECT_EQ(v.ProgramsMask, e.ProgramsMask);
    EXPECT_EQ(v.ServiceExtra, e.ServiceExtra);
    EXPECT_EQ(v.CurrentProgram, e.CurrentProgram);
    EXPECT_EQ(v.ProgramType, e.ProgramType);
    EXPECT_EQ(v.ServiceModeText, e.ServiceModeText);
    EXPECT_EQ(v.CodecMode, e.CodecMode);
    EXPECT_DOUBLE_EQ(v.CdNo, e.CdNo);
    EXPECT_EQ(v.QualityIndicator, e.QualityIndicator);
    EXPECT_DOUBLE_EQ(v.Daai, e.Daai);
    EXPECT_EQ(v.AcqTimeData, e.AcqTimeData);
    EXPECT_EQ(v.AcqTimeAudio, e.AcqTimeAudio);
    EXPECT_EQ(v.SisPortId, e.SisPortId);
    EXPECT_EQ(v.SisServiceId, e.SisServiceId);
    EXPECT_EQ(v.SisSessionType, e.SisSessionType);
    EXPECT_EQ(v.SisBlockCount, e.SisBlockCount);
    EXPECT_EQ(v.SisAlfnStatus, e.SisAlfnStatus);
    EXPECT_EQ(v.SisAlfn, e.SisAlfn);
    EXPECT_EQ(v.SisTimeLocked, e.SisTimeLocked);
    EXPECT_EQ(v.SisNumTypes, e.SisNumTypes);
    EXPECT_EQ(v.TaValid, e.TaValid);
    EXPECT_EQ(v.TaUnsignedItem, e.TaUnsignedItem);
    EXPECT_EQ(v.TaSignedItem, e.TaSignedItem);
    EXPECT_EQ(v.LevelFast, e.LevelFast);
    EXPECT_EQ(v.LevelAvg, e.LevelAvg);
    EXPECT_EQ(v.TimeFast, e.TimeFast);
    EXPECT_EQ(v.TimeAvg, e.TimeAvg);
    EXPECT_EQ(v.TaState, e.TaState);
    EXPECT_EQ(v.DeviceDelayUs, e.DeviceDelayUs);
    EXPECT_EQ(v.AvgErrorNs, e.AvgErrorNs);
    EXPECT_EQ(v.FastErrorNs, e.FastErrorNs);
    EXPECT_EQ(v.DelayCorrectionUs, e.DelayCorrectionUs);
    EXPECT_EQ(v.RampActive, e.RampActive);
    EXPECT_EQ(v.RampPercent, e.RampPercent);
    EXPECT_EQ(v.AutoHours, e.AutoHours);
    EXPECT_EQ(v.AutoMinutes, e.AutoMinutes);
    EXPECT_EQ(v.TaApplyState, e.TaApplyState);
    EXPECT_EQ(v.MultiScanHours, e.MultiScanHours);
    EXPECT_EQ(v.MultiScanMinutes, e.MultiScanMinutes);
    EXPECT_EQ(v.AutoSampleResolution, e.AutoSampleResolution);
    EXPECT_EQ(v.BerCounts, e.BerCounts);
    EXPECT_EQ(x.d->HdStatus, sim.fields.status);
    EXPECT_EQ(x.d->HdAlarmMasks[0], qint32(sim.fields.alarmMasks[0]));
    EXPECT_EQ(x.d->HdAlarmMasks[1], qint32(sim.fields.alarmMasks[1]));
    EXPECT_EQ(x.d->HdAudioLevels[0], sim.fields.audioSource);

    const auto& m = sim.fields.measurements;
    const auto& r = x.d->HdMeasurements;
    EXPECT_EQ(m[3], -2048);
    EXPECT_EQ(r[0].Peak, m[0]);
    EXPECT_EQ(r[0].Db, m[1]);
    for (int rec = 1; rec <= 5; ++rec) {
        EXPECT_EQ(r[rec].Peak, m[2 + 3 * (rec - 1)]) << rec;
        EXPECT_EQ(r[rec].Average, m[3 + 3 * (rec - 1)]) << rec;
        EXPECT_EQ(r[rec].Minimum, m[4 + 3 * (rec - 1)]) << rec;
    }
    EXPECT_EQ(r[6].Injection, m[17]);
    EXPECT_EQ(r[7].Injection, m[18]);
    for (int rec = 8; rec <= 42; ++rec) {
        EXPECT_EQ(r[rec].Peak, m[20 + 3 * (rec - 8)]) << rec;
        EXPECT_EQ(r[rec].Minimum, m[22 + 3 * (rec - 8)]) << rec;
    }
    EXPECT_EQ(r[43].Peak, m[125]);
    for (int k = 0; k < 126; ++k) {
        EXPECT_EQ(x.s->MeasurementHistory[k][1], m[k]) << k;
        EXPECT_EQ(x.d->HdAudioLevels[k + 1], m[k]) << k;
    }
    EXPECT_EQ(x.s->MeasurementHistory[126][1], 0);
    EXPECT_EQ(x.s->MeasurementHistory[127][1], 0);
    const qint32 alignment[8] = {e.LevelFast,     e.LevelAvg,   e.TimeFast,    e.TimeAvg,
                                 e.DeviceDelayUs, e.AvgErrorNs, e.FastErrorNs, e.DelayCorrectionUs};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(x.s->MeasurementHistory[200 + i][1], alignment[i]) << i;
    for (int k = 0; k < HdSpectrumPoints; ++k)
        ASSERT_EQ(x.d->HdSpectrum[k], sim.fields.spectrum[k]) << k;
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(x.d->HdSpectrumPower[k], sim.fields.spectrum[501 + k]) << k;
    EXPECT_EQ(quint8(block(sim.fields)[1097]) & 0x0F, 0x7) << "v508's high nibble";
}

TEST(HdDecoder, SixteenBitItemsAreNegativeOnlyAbove0x8000)
{
    THdBlockFields s;
    s.service.LevelFast = 0x8000;
    s.service.LevelAvg = 0x8001;
    Decoded x;
    ASSERT_EQ(x.decode(block(s)), THdBlockVerdict::Decoded);
    EXPECT_EQ(x.d->HdService.LevelFast, 32768);
    EXPECT_EQ(x.d->HdService.LevelAvg, -32767);
}

TEST(HdDecoder, ABadChecksumChangesOnlyTheSums)
{
    HdSim sim;
    QByteArray b = block(sim.fields);
    putBe16(b, HdOffset::Checksum, HdReceivedChecksum(b) + 1);
    Decoded x;
    EXPECT_EQ(x.decode(b), THdBlockVerdict::BadChecksum);
    EXPECT_EQ(x.s->BlockChecksums[0], HdComputedChecksum(b));
    EXPECT_EQ(x.s->BlockChecksums[1], quint16(HdComputedChecksum(b) + 1));
    EXPECT_EQ(x.d->HdMeasurements[0].Peak, 0);
    EXPECT_EQ(x.d->HdService.SisAlfn, 0u);
    EXPECT_EQ(x.decode(b.left(2728)), THdBlockVerdict::TooShort);
}

TEST(HdDecoder, ConfigurationBlockSurvivesSignsAndPresets)
{
    HdSim sim;
    HdConfigRecord c = HdSim::defaultConfig();
    c[93] = -800; // alarm 1 threshold
    c[30] = -300;
    THdBlockFields s = sim.fields;
    s.blockType = 0;
    QByteArray b = block(s);
    WriteHdConfig(b, c, {9, 2, 3, 4, 5});
    setHdChecksum(b);
    Decoded x;
    x.d->HdUpdateLocalConfig = true;
    ASSERT_EQ(x.decode(b), THdBlockVerdict::Decoded);
    EXPECT_EQ(x.d->HdUnitConfig[93], -800);
    EXPECT_EQ(x.d->HdLocalConfig[30], -300);
    EXPECT_EQ(x.d->HdLocalConfig[12], -5);
    EXPECT_DOUBLE_EQ(x.d->HdLocalConfig.real(HdZoomWord), 98.7);
    EXPECT_EQ(x.d->HdLocalUnitRecord[0], 9);
    EXPECT_EQ(x.d->HdUnitConfig[3], 1001) << "the tuning seen";
    for (int w : {0, 1, 2, 4, 10, 15, 17, 20, 21, 25, 26, 31, 71, 92, 161, 162, 168, 177, 179, 181})
        EXPECT_EQ(x.d->HdLocalConfig[w], c[w]) << w;

    // A preset change elsewhere reloads the local copy and raises flags 0-6.
    x.s->PageRefresh = {};
    x.d->HdLocalConfig[5] = 77;
    c[1] = 3;
    WriteHdConfig(b, c, {9, 2, 3, 4, 5});
    setHdChecksum(b);
    x.decode(b);
    EXPECT_EQ(x.d->HdLocalConfig[1], 3);
    EXPECT_EQ(x.d->HdLocalConfig[5], c[5]);
    for (int n = 0; n <= 6; ++n)
        EXPECT_TRUE(x.s->PageRefresh.isRaised(n)) << n;

    // A tuning change empties the data objects and the event list.
    x.d->AEEventList.AddEvent("old");
    x.d->XhdrData.SetLotId(2, 7);
    c[2] = 1003;
    WriteHdConfig(b, c, {9, 2, 3, 4, 5});
    setHdChecksum(b);
    x.decode(b);
    EXPECT_TRUE(x.d->AEEventList.Events.isEmpty());
    EXPECT_EQ(x.d->XhdrData.GetLotId(2), 0);
}

TEST(HdDecoder, BlockEchoTable)
{
    struct Row
    {
        quint16 id;
        std::array<quint8, 4> value;
        int word;
        qint32 expected;
    } rows[] = {
        {110, {0, 0, 0xFE, 0x0C}, 102, -500}, {517, {0, 0, 0, 2}, 162, 4},
        {170, {0, 0, 60, 2}, 170, 60},        {24, {0, 0, 0, 0xFB}, 12, -5},
        {38, {0, 0, 0xFE, 0xD4}, 30, -300},
    };
    for (const Row& r : rows) {
        Decoded x;
        THdBlockFields s;
        s.echoId = r.id;
        s.echoValue = r.value;
        x.decode(block(s));
        EXPECT_EQ(x.d->HdLocalConfig[r.word], r.expected) << r.id;
    }
    Decoded x;
    THdBlockFields s;
    s.echoId = 110;
    s.echoValue = {0, 0, 0xFE, 0x0C};
    x.decode(block(s));
    EXPECT_EQ(x.s->RxLine, "  110[006E]  00 00 FE 0C");
    s.echoId = 0xFFFF;
    x.s->RxLineNew = false;
    x.decode(block(s));
    EXPECT_EQ(x.s->RxLine, "  110[006E]  00 00 FE 0C");
    EXPECT_FALSE(x.s->RxLineNew);
    // Source 9 does not exist: nothing changes.
    const HdConfigRecord before = x.d->HdLocalConfig;
    s.echoId = 170;
    s.echoValue = {0, 0, 60, 9};
    x.decode(block(s));
    EXPECT_EQ(x.d->HdLocalConfig, before);
}

TEST(HdEcho, EchoLines)
{
    struct Row
    {
        QByteArray line;
        bool applied;
    } rows[] = {
        {"CC006EFE0C5F", true}, {"CC006EFE0C5E", false},    {"CC006EFE0CGG", false},
        {"CC006EF", false},     {"CC006EFE0C5F001", false}, {"CC00C7I00026B", false},
    };
    for (const Row& r : rows) {
        THdData d;
        TConnectionState s;
        EXPECT_EQ(ParseEchoLine(r.line, d, s), r.applied) << r.line.toStdString();
        EXPECT_EQ(d.HdLocalConfig[102], r.applied ? -500 : 0) << r.line.toStdString();
    }
    THdData d;
    TConnectionState s;
    ASSERT_TRUE(ParseEchoLine("PS0400ops@example.org5B", d, s));
    EXPECT_EQ(d.HdEmailSettings.Address[0], "ops@example.org");
    EXPECT_TRUE(s.PageRefresh.isRaised(prHdEmail));
}

TEST(HdRequests, LinesByteForByte)
{
    struct Row
    {
        std::function<void(THdData&)> state;
        std::function<void(THdData&)> queue;
        QByteArray line;
    } rows[] = {
        {[](THdData& d) { d.HdLocalConfig[2] = 1001; },
         [](THdData& d) { QueueSetParameter(d, 15); }, "CC000F03E93D\r"},
        {[](THdData& d) {
             d.HdLocalConfig[4] = 1;
             d.HdLocalConfig[5] = 10;
         },
         [](THdData& d) { QueueSetParameter(d, 19); }, "CC00130ABB\r"},
        {[](THdData& d) {
             d.HdLocalConfig[4] = 0;
             d.HdLocalConfig[6] = 4;
         },
         [](THdData& d) { QueueSetParameter(d, 19); }, "CC001304AE\r"},
        {[](THdData& d) {
             d.HdLocalConfig[4] = 1;
             d.HdLocalConfig[26] = -300;
         },
         [](THdData& d) { QueueSetParameter(d, 34); }, "CC0022FED44D\r"},
        {[](THdData& d) { d.HdLocalConfig[170] = 60; },
         [](THdData& d) { QueueSetParameter(d, 170, 0, 0, 0, 2); }, "CC00AA3C0240\r"},
        {[](THdData& d) { d.TimeAlignConfigs.Mode[0] = 2; },
         [](THdData& d) { QueueSetParameter(d, 199, 0, 0, 0, 1); }, "CC00C7I00026B\r"},
        {[](THdData& d) { d.TimeAlignConfigs.DelayCenterMs[5] = 999; },
         [](THdData& d) { QueueSetParameter(d, 201, 0, 0, 0, 6); }, "CC00C9I0503E7EF\r"},
        {[](THdData&) {}, [](THdData& d) { QueueSetParameter(d, 232, 0, 0, 0, 3); },
         "CC00E803C6\r"},
        {[](THdData&) {}, [](THdData& d) { QueueSetParameter(d, 41); }, "CC002951\r"},
        {[](THdData&) {}, [](THdData& d) { QueueAction(d, 538, 0, 0, 0, 1); }, "PB021A01C7\r"},
        {[](THdData&) {}, [](THdData& d) { QueueAction(d, 512); }, "PB020054\r"},
        {[](THdData& d) { d.HdEmailSettings.Address[0] = "ops@exa\rmple.org"; },
         [](THdData& d) { QueueStringParameter(d, 1024); }, "PS0400ops@example.org5B\r"},
        {[](THdData&) {}, [](THdData& d) { QueueHistoryRequest(d, 0, 0, 0, 0, 5); }, "SH0500\r"},
        {[](THdData&) {}, [](THdData& d) { QueueDiagnosticRequest(d, 0, 0, 0, 0, 0); }, "DD00E8\r"},
        {[](THdData&) {}, [](THdData& d) { QueueRawLine(d, "UL\r"); }, "UL\r"},
    };
    for (const Row& r : rows) {
        auto d = std::make_unique<THdData>();
        r.state(*d);
        r.queue(*d);
        const TRequestRec req = PopRequest(*d);
        ASSERT_TRUE(req.Pending);
        EXPECT_EQ(BuildHdRequestLine(req, *d).line, r.line);
        EXPECT_FALSE(PopRequest(*d).Pending) << "sent once";
    }
    auto d = std::make_unique<THdData>();
    QueueAction(*d, 512);
    BuildHdRequestLine(PopRequest(*d), *d);
    EXPECT_TRUE(d->HdReloadConfigNext && d->HdReloadTimeAlignNext && d->HdUpdateEmail &&
                d->UpdateLocalTables);
    for (auto [id, b3] : {std::pair{170, 9}, {199, 0}, {218, 7}}) {
        QueueSetParameter(*d, id, 0, 0, 0, quint8(b3));
        const THdRequestLine l = BuildHdRequestLine(PopRequest(*d), *d);
        EXPECT_TRUE(l.line.isEmpty()) << id;
        EXPECT_FALSE(l.dropReason.isEmpty()) << id;
    }
}

TEST(HdIdTable, AlarmAndWordMap)
{
    auto d = std::make_unique<THdData>();
    for (int id = 101; id <= 169; ++id)
        EXPECT_EQ(HdIdItem(*d, id, 0), &d->HdLocalConfig[id - 8]) << id;
    for (auto [id, word] : {std::pair{71, 76}, {87, 92}, {88, 71}, {92, 75}, {17, 179}})
        EXPECT_EQ(HdIdItem(*d, id, 0), &d->HdLocalConfig[word]) << id;
    d->HdLocalConfig[4] = 0;
    EXPECT_EQ(HdIdItem(*d, 19, 0), &d->HdLocalConfig[6]);
    EXPECT_EQ(HdIdItem(*d, 34, 0), &d->HdLocalConfig[25]);
    d->HdLocalConfig[4] = 1;
    EXPECT_EQ(HdIdItem(*d, 19, 0), &d->HdLocalConfig[5]);
    EXPECT_EQ(HdIdItem(*d, 34, 0), &d->HdLocalConfig[26]);
    EXPECT_EQ(HdIdValue(24, 0xFB), -5);
    EXPECT_EQ(HdIdValue(101, 0xFE0C), -500);
    EXPECT_EQ(HdIdValue(103, 0xFB), 0xFB);
    d->TimeAlignConfigs.CurrentConfig = 7;
    EXPECT_EQ(HdIdItem(*d, 198, 0), nullptr);
}

TEST(HdDecoder, HistoryChunksStayInsideTheirArea)
{
    struct Row
    {
        int type;
        qint32 len, index;
        bool newSet;
    } rows[] = {
        {11, 8640, 0, false},   {11, 8640, 8640 - 340, true}, {11, 340, 0, true},
        {11, 8640, -1, false},  {11, 8640, 70000, true},      {11, 0x7FFFFFFF, 63300, false},
        {12, 2384, 2380, true}, {12, 2384, 2040, false},
    };
    for (const Row& r : rows) {
        Decoded x;
        THdBlockFields s;
        s.blockType = r.type;
        QByteArray b = block(s);
        WriteHdChunk(b, 5, 3, r.len, r.index, QByteArray(340, 'h'));
        setHdChecksum(b);
        ASSERT_EQ(x.decode(b), THdBlockVerdict::Decoded);
        const THistoryDataRec& a = r.type == 11 ? x.d->HistoryData : x.d->DiagnosticData;
        EXPECT_EQ(a.New, r.newSet) << r.index;
        EXPECT_EQ(a.Id, 5);
        qint64 written = 0;
        for (quint8 c : a.Data)
            written += c == 'h';
        const qint64 expect =
            qMax<qint64>(0, qMin<qint64>(qint64(r.index) + 340, qint64(a.Data.size())) -
                                qMax<qint64>(r.index, 0));
        EXPECT_EQ(written, expect) << r.index;
    }
}

TEST(HdDecoder, ObjectsDecodeContiguousAndHeaderFirst)
{
    const QByteArray jpeg = SimObject(SimPrimaryPort, SimPrimaryLot, HdMimeJpeg, "a,b.jpg",
                                      EncodeSimJpeg(SimJpegWidth, SimJpegHeight));
    const QByteArray png = SimObject(SimLogoPort, SimLogoLot, HdMimePng, "logo.png",
                                     EncodeSimPng(SimPngSide, SimPngSide));
    for (const bool isJpeg : {true, false}) {
        const QByteArray& object = isJpeg ? jpeg : png;
        for (bool headerFirst : {false, true}) {
            Decoded x;
            THdBlockFields s;
            s.messageKind = 'S';
            s.payload = SimStatusTable() + SimSigMessage(0);
            x.decode(block(s));
            for (const TSimChunk& c : SimObjectChunks(object, headerFirst)) {
                s.messageKind = 'L';
                s.messageTotal = qint32(object.size());
                s.messagePosition = c.position;
                s.payload = c.payload;
                x.decode(block(s));
            }
            const THD_AE_Object& o =
                isJpeg ? x.d->AEData.GetPrimaryImage(0) : x.d->AEData.GetStationLogo(0);
            EXPECT_TRUE(o.Valid);
            EXPECT_EQ(o.Picture.Width, isJpeg ? SimJpegWidth : SimPngSide);
            EXPECT_EQ(o.Picture.Height, isJpeg ? SimJpegHeight : SimPngSide);
            ASSERT_EQ(x.events.size(), 1) << x.events.join('\n').toStdString();
            const QString line = FormatHdObjectEvent(QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)),
                                                     x.events[0].mid(2), 1);
            EXPECT_TRUE(line.startsWith("01/02/2026 03:04:05,Received Complete Object,HD1,"))
                << line.toStdString();
            EXPECT_EQ(line.count(','), 9) << line.toStdString();
            EXPECT_TRUE(x.errors.isEmpty()) << x.errors.join('\n').toStdString();
        }
    }
}

TEST(HdDecoder, BrokenObjectsAreRefusedWithAReason)
{
    auto run = [](const QByteArray& object, qint32 total) {
        auto x = std::make_unique<Decoded>();
        THdBlockFields s;
        for (const TSimChunk& c : SimObjectChunks(object, false)) {
            s.messageKind = 'L';
            s.messageTotal = total;
            s.messagePosition = c.position;
            s.payload = c.payload;
            x->decode(block(s));
        }
        return x;
    };
    QByteArray data = EncodeSimJpeg(SimJpegWidth, SimJpegHeight);
    QByteArray corrupt = SimObject(1, 2, HdMimeJpeg, "x.jpg", data);
    corrupt[300] = char(corrupt[300] ^ 0x40);
    auto a = run(corrupt, qint32(corrupt.size()));
    EXPECT_FALSE(a->d->AEObject.Valid);
    ASSERT_EQ(a->events.size(), 1);
    EXPECT_TRUE(a->events[0].startsWith("0:HD,,")) << a->events[0].toStdString();

    const QByteArray pngAsJpeg = SimObject(1, 2, HdMimeJpeg, "x.jpg", EncodeSimPng(8, 8));
    auto b = run(pngAsJpeg, qint32(pngAsJpeg.size()));
    EXPECT_EQ(b->files, QStringList{"error.jpeg"});
    EXPECT_EQ(b->errors.size(), 1);

    // Another kind of object: kept, valid, without a picture, and no error.
    const QByteArray text = SimObject(1, 2, 0x12345678, "note.txt", QByteArray(600, 't'));
    auto t = run(text, qint32(text.size()));
    EXPECT_TRUE(t->d->AEObject.Valid);
    EXPECT_TRUE(t->d->AEObject.Picture.isEmpty());
    EXPECT_TRUE(t->errors.isEmpty());
    EXPECT_TRUE(t->events.value(0).startsWith("1:HD,,")) << t->events.value(0).toStdString();

    auto c = run(corrupt.left(2000), 16 << 20);
    EXPECT_EQ(c->errors.size(), 1);
    EXPECT_TRUE(c->errors.value(0).contains("LOT $0002")) << c->errors.value(0).toStdString();

    // A 5000 x 5000 picture is refused from its header.
    QByteArray big = EncodeSimPng(8, 8);
    putBe32(big, 16, 5000);
    putBe32(big, 20, 5000);
    putBe32(big, 29, quint32(crc32(0, reinterpret_cast<const Bytef*>(big.constData() + 12), 17)));
    const THdImageResult r = DecodeHdPng(big);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "picture of 5000 x 5000 refused");
    QByteArray bigJpeg = EncodeSimJpeg(8, 8);
    const qsizetype sof = bigJpeg.indexOf(QByteArray("\xFF\xC0", 2));
    ASSERT_GT(sof, 0);
    putBe16(bigJpeg, int(sof) + 5, 5000);
    putBe16(bigJpeg, int(sof) + 7, 5000);
    const THdImageResult j = DecodeHdJpeg(bigJpeg);
    EXPECT_FALSE(j.ok);
    EXPECT_EQ(j.error, "picture of 5000 x 5000 refused");
    EXPECT_FALSE(DecodeHdJpeg(QByteArray(100, 'x')).ok);
    EXPECT_FALSE(DecodeHdPng(QByteArray()).ok);
}

TEST(HdDecoder, XhdrEventsAndTheLogoReconciliation)
{
    Decoded x;
    THdBlockFields s;
    s.xhdrHash[0] = HdMimeStationLogoTrigger;
    s.xhdrParam[0] = 0;
    s.xhdrLot[0] = 0x0405;
    x.decode(block(s));
    ASSERT_EQ(x.events.size(), 1);
    EXPECT_EQ(x.events[0], "2:HD1,,,$0405,,,,");
    // A new hash or parameter with the same LOT id is no new object: no line.
    s.xhdrHash[0] = 0x12345678;
    x.decode(block(s));
    s.xhdrHash[0] = HdMimeStationLogoTrigger;
    x.decode(block(s));
    EXPECT_EQ(x.events.size(), 1);
    x.d->AEData.StationLogo[0].Valid = true;
    x.d->AEData.StationLogo[0].LotId = 0x0203;
    x.d->AEData.StationLogo[0].Picture.Width = 3;
    s.xhdrParam[0] = 1;
    for (int i = 0; i < 2; ++i) {
        x.decode(block(s));
        EXPECT_EQ(x.d->AEData.RadioImage[0].LotId, 0x0203);
        EXPECT_EQ(x.d->AEData.RadioImage[0].Picture.Width, 3);
    }
    EXPECT_EQ(x.events.size(), 1);
    // A new LOT id is: one line, once.
    s.xhdrLot[0] = 0x0406;
    x.decode(block(s));
    x.decode(block(s));
    ASSERT_EQ(x.events.size(), 2);
    EXPECT_EQ(x.events.last(), "3:HD1,,,,,,,,");

    s.xhdrHash[0] = 0;
    s.messageKind = 'S';
    s.payload = SimStatusTable() + SimSigMessage(1);
    x.decode(block(s));
    EXPECT_TRUE(x.d->SigData.Changed);
    x.d->SigData.Changed = false;
    x.decode(block(s));
    EXPECT_FALSE(x.d->SigData.Changed);
    s.payload = SimStatusTable() + SimSigMessage(2);
    x.decode(block(s));
    EXPECT_TRUE(x.d->SigData.Changed);
}

TEST(HdDecoder, ReleasedHoldersAreLeftAlone)
{
    Decoded x;
    x.s->HdObjectsReleased = true;
    THdBlockFields s;
    s.xhdrLot[0] = 0x0405;
    s.messageKind = 'S';
    s.payload = SimStatusTable() + SimSigMessage(1);
    ASSERT_EQ(x.decode(block(s)), THdBlockVerdict::Decoded);
    EXPECT_EQ(x.d->XhdrData.GetLotId(0), 0);
    EXPECT_FALSE(x.d->SigData.Changed);
    EXPECT_TRUE(x.events.isEmpty());
}

TEST(HdAeData, HoldersCheckEveryIndex)
{
    THD_XHDR_Data x;
    x.SetLotId(3, 0x1234);
    EXPECT_TRUE(x.IsXhdrChanged(3));
    x.SetLotId(3, 0x1234);
    EXPECT_FALSE(x.IsXhdrChanged(3));
    THD_COMR_Data c;
    c.SetValidUntil(1, "20260101");
    c.SetPrice(8, "9.99");
    c.SetDescription(8, "d8");
    EXPECT_EQ(c.GetValidUntil(1), "20260101");
    EXPECT_EQ(c.GetDescription(8), "d8");
    c.ResetComr();
    for (int n = 1; n <= 8; ++n)
        EXPECT_TRUE(c.GetValidUntil(n).isEmpty());
    THD_AE_Object a, b;
    a.Picture.Width = 2;
    a.Picture.Height = 1;
    a.Picture.Rgba = QByteArray(8, 'x');
    b.CopyAEObject(a);
    a.Picture.clear();
    EXPECT_EQ(b.Picture.Rgba, QByteArray(8, 'x'));

    THD_SIG_Data sig;
    THD_AE_Data ae;
    for (int i : {-1, 8, 9, 260, 2049}) {
        x.SetMimeHash(i, 5);
        EXPECT_EQ(x.GetMimeHash(i), 0) << i;
        EXPECT_FALSE(x.IsXhdrChanged(i));
        c.SetPrice(i, "p");
        EXPECT_TRUE(c.GetPrice(i).isEmpty() || i == 8) << i;
        sig.SetSigValue(i, 7);
        sig.SetSigByte(i, 7);
        EXPECT_EQ(sig.GetSigValue(i), (i == 8 || i == 9) ? 7 : 0) << i;
        ae.GetRadioImage(i).Valid = true;
        EXPECT_FALSE(ae.GetRadioImage(i).Valid || (i >= 0 && i < 8)) << i;
    }
    THD_AE_EventList list;
    for (int i = 0; i < 1005; ++i)
        list.AddEvent(QString::number(i));
    EXPECT_EQ(list.Events.size(), 1000);
    EXPECT_EQ(list.Events.first(), "1004");
}

TEST(HdDecoder, TimeAlignEmailAndTableParts)
{
    HdSim sim;
    Decoded x;
    THdBlockFields s;

    // Type 1: the table into the received copy; a new current configuration
    // takes the whole table and its frequency.
    s.blockType = 1;
    QByteArray b = block(s);
    TTimeAlignConfigTable t = sim.unit().TimeAlignConfigs;
    t.CurrentConfig = 2;
    WriteHdTimeAlign(b, t);
    setHdChecksum(b);
    x.decode(b);
    EXPECT_EQ(x.d->TimeAlignReceived, t);
    EXPECT_EQ(x.d->TimeAlignConfigs, t);
    EXPECT_EQ(x.d->ActiveConfigNumber, 1);
    EXPECT_EQ(x.d->HdLocalConfig[2], t.ScanFreq[1]);
    EXPECT_TRUE(x.s->PageRefresh.isRaised(prHdTimeAlignSettings));

    // Configuration 7 does not exist: nothing is copied by it.
    x.d->HdUpdateTimeAlign = true;
    t.CurrentConfig = 7;
    t.Mode[0] = 99;
    WriteHdTimeAlign(b, t);
    setHdChecksum(b);
    x.decode(b);
    EXPECT_EQ(x.d->TimeAlignConfigs.CurrentConfig, 2);
    EXPECT_EQ(x.d->TimeAlignConfigs.Mode[0], 99);
    EXPECT_EQ(x.d->ActiveConfigNumber, 1);

    // Type 13 in two halves, with the copy asked for.
    x.d->HdUpdateEmail = true;
    x.s->PageRefresh = {};
    THdEmailSettings e = sim.unit().HdEmailSettings;
    e.Address[0] = QString(42, 'a');
    e.Address[1] = "next@field";
    s.blockType = 13;
    for (int part : {0, 1}) {
        b = block(s);
        WriteHdEmail(b, e, part);
        setHdChecksum(b);
        x.decode(b);
        EXPECT_EQ(x.s->PageRefresh.isRaised(prHdEmail), part == 1);
    }
    EXPECT_EQ(x.d->HdEmailSettings, e);
    EXPECT_EQ(x.d->HdEmailSettings.Address[0].size(), 42);
    EXPECT_FALSE(x.d->HdUpdateEmail);

    // Type 18 with the copy asked for.
    x.d->UpdateLocalTables = true;
    s.blockType = 18;
    b = block(s);
    WriteHdTable(b, sim.unit().HdLocalTable);
    setHdChecksum(b);
    x.decode(b);
    EXPECT_TRUE(x.d->HdTableCopied);
    for (int w = 1; w < HdTableWords; ++w) {
        if (HdTableOffset(w) >= 0) {
            EXPECT_EQ(x.d->HdLocalTable[w], sim.unit().HdLocalTable[w]) << w;
        }
    }

    // Other types carry nothing beyond the fixed part.
    for (int type : {2, 3, 7, 200}) {
        const HdConfigRecord config = x.d->HdLocalConfig;
        const THdEmailSettings mail = x.d->HdEmailSettings;
        s.blockType = type;
        b = block(s);
        for (int i = 1201; i < 1555; ++i)
            b[i] = char(0x5A);
        setHdChecksum(b);
        x.decode(b);
        EXPECT_EQ(x.d->HdLocalConfig, config) << type;
        EXPECT_EQ(x.d->HdEmailSettings, mail) << type;
        EXPECT_EQ(x.d->HdBlockType, type);
    }
}
