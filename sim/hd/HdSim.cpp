#include "sim/hd/HdSim.h"

#include "models/HdSpectrumConfig.h"

#include <cmath>

#include "protocol/hd/HdBlockLayout.h"
#include "protocol/hd/HdIdTable.h"
#include "sim/hd/HdObjects.h"

#include <QTimer>
#include <algorithm>
#include <functional>

namespace {

quint8 sumOf(const QByteArray& body)
{
    quint8 sum = 0;
    for (char c : body)
        sum = quint8(sum + quint8(c));
    return sum;
}

bool hexAt(const QByteArray& s, int from, int count, quint32* out)
{
    if (from < 0 || from + count > s.size())
        return false;
    bool ok = false;
    *out = s.mid(from, count).toUInt(&ok, 16);
    return ok;
}

// Readings for every block: every field distinct, so a swapped offset shows.
THdBlockFields defaultFields()
{
    THdBlockFields s;
    s.audioSource = 3;
    s.status = 0x07;
    s.alarmMasks = {0x000105, 0x020400};
    THdServiceRec& v = s.service;
    v.ProgramsMask = {0x0F, 0x03, 0x01, 0x07};
    v.ServiceExtra = {0x21, 0x22};
    v.CurrentProgram = {1, 2, 4, 8};
    v.ProgramType = {11, 12, 13, 14, 15, 16, 17, 18};
    v.ServiceModeText = "MP3 ";
    v.CodecMode = 2;
    v.CdNo = 65.43;
    v.QualityIndicator = 9;
    v.Daai = 12.34;
    v.AcqTimeData = 1500;
    v.AcqTimeAudio = 2600;
    v.SisPortId = 31;
    v.SisServiceId = 32;
    v.SisSessionType = 33;
    v.SisBlockCount = 34;
    v.SisAlfnStatus = 35;
    v.SisAlfn = 0x12345678;
    v.SisTimeLocked = 1;
    v.SisNumTypes = 36;
    v.TaValid = 1;
    v.TaPolarityInverted = 0;
    v.TaUnsignedItem = 40000;
    v.TaSignedItem = -1234;
    v.LevelFast = -25;
    v.LevelAvg = -31;
    v.TimeFast = -70000;
    v.TimeAvg = 80001;
    v.TaState = 2;
    v.DeviceDelayUs = 123456;
    v.AvgErrorNs = -4321;
    v.FastErrorNs = 5432;
    v.DelayCorrectionUs = -987;
    v.RampActive = 1;
    v.RampPercent = 55;
    v.AutoHours = 6;
    v.AutoMinutes = 45;
    v.TaApplyState = {0, 1, 2, 3, 4, 5, 6};
    v.MultiScanHours = 7;
    v.MultiScanMinutes = 8;
    v.AutoSampleResolution = 9;
    v.BerCounts = {1000001, 11, 2000002, 22, 3000003, 33, 4000, 44};
    for (int k = 0; k < 126; ++k)
        s.measurements[size_t(k)] = k == 19 ? 0 : 100 + 13 * k - (k % 2 ? 2048 : 0);
    s.measurements[3] = -2048; // 0x800
    for (int k = 0; k < 509; ++k)
        s.spectrum[size_t(k)] = -900 + (k % 97) * 7;
    s.spectrum[508] = 0x765; // the high nibble of the last value lands at 1097
    return s;
}

} // namespace

HdSim::HdSim(QObject* parent)
    : SimLineUnit(parent)
    , fields(defaultFields())
    , m_unit(std::make_unique<THdData>())
{
    blockIntervalMs = 200;
    setModel(Model::Vren1Lcd);
    m_unit->HdLocalConfig = defaultConfig();
    m_unit->HdLocalUnitRecord = {1, 2, 3, 4, 5};
    TTimeAlignConfigTable& t = m_unit->TimeAlignConfigs;
    t.CurrentConfig = 1;
    for (int c = 0; c < HdTaConfigCount; ++c) {
        for (const THdTaFieldPlace& p : HdTaFieldPlaces)
            *t.field(p.field, c) = p.field + c + 1;
        t.User[size_t(c)] = QString("user%1").arg(c + 1);
        t.Password[size_t(c)] = QString("pw%1").arg(c + 1);
    }
    t.ScanMode = 1;
    for (int i = 0; i < HdScanEntries; ++i) {
        t.ScanFreq[size_t(i)] = 881 + 2 * i;
        t.ScanTime[size_t(i)] = 5 + i;
    }
    THdEmailSettings& e = m_unit->HdEmailSettings;
    for (int i = 0; i < 8; ++i)
        e.Address[size_t(i)] = QString("group%1@station.example").arg(i + 1);
    e.ProxyIp = "10.0.0.5";
    e.ProxyPort = "8080";
    e.GroupWord = {1, 2, 3, 4, 5, 6, 7, 8};
    e.Subject = {"Alarm", "Cleared", "Daily", "Test"};
    for (int w = 0; w < HdTableWords; ++w)
        m_unit->HdLocalTable[size_t(w)] = (w * 7) % 251;

    m_jpegObject = SimObject(SimPrimaryPort, SimPrimaryLot, HdMimeJpeg, "primary,1.jpg",
                             EncodeSimJpeg(SimJpegWidth, SimJpegHeight));
    m_pngObject = SimObject(SimLogoPort, SimLogoLot, HdMimePng, "logo.png",
                            EncodeSimPng(SimPngSide, SimPngSide));
}

HdSim::~HdSim() = default;

void HdSim::setModel(Model m)
{
    download->script =
        m == Model::Vren1 ? TSimDownloadSide::Script::HdNoLcd : TSimDownloadSide::Script::Vren1;
    switch (m) {
    case Model::Vren1Lcd:
        identification = "VREN-1 SN(450123) SW(03.05,04.03) LCD(1) LAN(6.1.0.0)";
        break;
    case Model::Vren1:
        identification = "VREN-1 SN(450123) SW(V03.05)";
        break;
    case Model::Prak1:
        identification = "PRAK-1 SN(451000) SW(01.00)";
        break;
    }
}

HdConfigRecord HdSim::defaultConfig()
{
    HdConfigRecord c;
    c[0] = 0x0102;
    c[1] = 1; // preset
    c[2] = 1001;
    c[4] = 1;
    c[5] = 10;
    c[6] = 4;
    for (int w = 7; w < HdConfigWordCount; ++w)
        if (HdConfigWordPlace(w).width == 1)
            c[w] = (w * 3) % 200;
    c[10] = 1200;
    c[12] = -5;
    c[15] = 300;
    c[17] = 4;
    c.setReal(HdZoomWord, 98.7);
    c[20] = 21;
    c[21] = -100;
    c[25] = -200;
    c[26] = -300;
    c[30] = -400;
    c[31] = 500;
    for (int n = 1; n <= 23; ++n) {
        c[90 + 3 * n] = -100 * n;
        c[91 + 3 * n] = 5 + n;
        c[92 + 3 * n] = n % 8;
    }
    for (int k = 0; k < 4; ++k)
        c[162 + k] = 1 << k;
    return c;
}

int HdSim::historyType(int index)
{
    static const int late[] = {4, 5, 6, 7, 6};
    return index >= 43 && index <= 47 ? late[index - 43] : 3;
}

int HdSim::historyStride(int type)
{
    switch (type) {
    case 2:
        return 2;
    case 3:
        return 6;
    case 4:
    case 6:
        return 4;
    default:
        return 8;
    }
}

qint32 HdSim::historyRaw(int type, int minute, int series)
{
    switch (type) {
    case 2:
    case 3:
        return (minute + 100 * series) % 2001; // tenths of a percent
    case 4:
        return (minute - 720) * 10 + series; // tenths of a dB, 16 bits
    case 5:
        return (minute - 720) * 100 + series; // samples
    case 6:
        return minute * 10000; // microseconds
    default:
        return (minute - 720) * 3 + series; // microseconds
    }
}

QByteArray HdSim::historyBytes(int index)
{
    const int type = historyType(index);
    const int stride = historyStride(type);
    const int width = type == 3 || type == 4 || type == 2 ? 2 : 4;
    QByteArray d;
    d.reserve(1440 * stride);
    for (int minute = 0; minute < 1440; ++minute) {
        for (int s = 0; s < stride / width; ++s) {
            const quint32 v = quint32(historyRaw(type, minute, s));
            for (int b = width - 1; b >= 0; --b)
                d += char((v >> (8 * b)) & 0xFF);
        }
    }
    return d;
}

int HdSim::nextType() const
{
    const bool stalled = m_chunkType == 11 && historyStallAfterChunks >= 0 &&
                         m_chunksSent >= historyStallAfterChunks;
    if (m_chunkType && m_blocksSent % 2 == 1 && !stalled)
        return m_chunkType;
    static const int rotation[] = {0, 1, 13, 13, 18};
    static const int withUnknown[] = {0, 1, 13, 13, 18, 3, 7, 200};
    return unknownTypes ? withUnknown[m_rotation % 8] : rotation[m_rotation % 5];
}

void HdSim::fillType(QByteArray& b, int type)
{
    THdData& u = *m_unit;
    switch (type) {
    case 0:
        WriteHdConfig(b, u.HdLocalConfig, u.HdLocalUnitRecord);
        break;
    case 1:
        WriteHdTimeAlign(b, u.TimeAlignConfigs);
        break;
    case 13:
        // The addresses, then the rest.
        WriteHdEmail(b, u.HdEmailSettings, (m_rotation % 5) == 3 ? 1 : 0);
        break;
    case 18:
        WriteHdTable(b, u.HdLocalTable);
        break;
    case 11:
    case 12: {
        const qint32 len = qint32(m_chunkData.size());
        const bool history = type == 11;
        const int id = history && historyIdOverride >= 0 ? historyIdOverride : m_chunkId;
        qint32 sentLen = history && historyLenOverride >= 0 ? historyLenOverride : len;
        if (!history && diagnosticLen)
            sentLen = *diagnosticLen;
        WriteHdChunk(b, quint8(id), quint8(history ? historyType(m_chunkId) : 0), sentLen,
                     m_chunkIndex, m_chunkData.mid(m_chunkIndex, HdChunkLength));
        m_chunkIndex += HdChunkLength;
        ++m_chunksSent;
        const qint32 end = history ? qMin(len, sentLen) : qMax(len, sentLen);
        if (m_chunkIndex >= end)
            m_chunkType = 0;
        break;
    }
    default:
        break;
    }
}

void HdSim::advanceBlockState()
{
    THdServiceRec& sv = fields.service;
    for (int d = 0; d < 4; ++d) {
        const int p = m_chosenProgram[size_t(d)];
        if (p < 0)
            continue;
        if (m_chosenDelay[size_t(d)] > 0) {
            --m_chosenDelay[size_t(d)];
            continue;
        }
        if (sv.ProgramsMask[size_t(d)] & (1 << p)) {
            sv.CurrentProgram[size_t(d)] = 1 << p;
            m_chosenProgram[size_t(d)] = -1;
        }
    }
    if (m_berCounting) {
        // Bits (blocks) tested and errors per block, per channel P1, P2, P3, PIDS.
        static constexpr quint32 steps[8] = {100000, 2, 50000, 1, 25000, 3, 100, 1};
        for (int k = 0; k < 8; ++k)
            sv.BerCounts[size_t(k)] += steps[k];
    }
}

void HdSim::lookLikeAStation()
{
    THdServiceRec& v = fields.service;
    fields.status = 0x07;
    // Nothing in alarm: a lamp lit on a healthy station reads as a fault to
    // whoever tries the program. --alarm-masks lights them.
    fields.alarmMasks = {0, 0};
    v.ProgramsMask = {0x07, 0x07, 0x03, 0x01};
    v.CurrentProgram = {1, 2, 1, 1};
    v.ProgramType = {5, 10, 1, 0, 0, 0, 0, 0};
    v.ServiceModeText = "MP1";
    v.CodecMode = 0x0A;
    v.CdNo = 62.75;
    v.QualityIndicator = 15;
    v.Daai = 0.92;
    v.AcqTimeData = 1840;
    v.AcqTimeAudio = 3120;
    v.BerCounts = {};
    // Analog and digital audio a little apart, being held by the unit.
    v.TaValid = 1;
    v.TaPolarityInverted = 0;
    v.LevelAvg = -4;
    v.LevelFast = 3;
    v.TimeAvg = 37;
    v.TimeFast = 52;
    v.TaState = 2;
    v.DeviceDelayUs = 8012345;
    v.AvgErrorNs = 1500;
    v.FastErrorNs = -2300;
    v.RampActive = 0;
    v.AutoSampleResolution = 4;
    stationSettings();
    auto& m = fields.measurements;
    m[0] = 863;  // RF level, percent (tenths)
    m[1] = -382; // and dB (tenths)
    // Total, L, R, L+R, L-R: peak, average, minimum (tenths of percent).
    const qint32 analog[5][3] = {
        {982, 741, 402}, {893, 655, 311}, {901, 662, 305}, {944, 701, 355}, {312, 188, 42}};
    for (int r = 0; r < 5; ++r)
        for (int k = 0; k < 3; ++k)
            m[size_t(2 + 3 * r + k)] = analog[r][k];
    m[17] = 91; // pilot injection
    m[18] = 38; // RDS injection
    m[19] = 0;
    // Analog of the HD receiver and HD1..HD8: L, R, L+R, L-R, each peak,
    // average, minimum, a little lower for each later source.
    for (int src = 0; src < 9; ++src)
        for (int ch = 0; ch < 4; ++ch) {
            const qint32 peak = (ch == 3 ? 420 : 960) - src * 35 - ch * 11;
            const int first = 20 + (src * 4 + ch) * 3;
            for (int k = 0; k < 3 && first + k < 126; ++k)
                m[size_t(first + k)] = peak - k * (peak / 3);
        }
}

void HdSim::stationSettings()
{
    // Every setting inside the range its window offers, as a station leaves
    // them: tuned to 100.1 MHz on the high-level input, alarms at levels an
    // engineer would pick, outputs on the analog and HD1 audio.
    HdConfigRecord& c = m_unit->HdLocalConfig;
    c[2] = 1001, c[4] = 1, c[5] = 10, c[6] = 4;
    c[7] = 0, c[8] = 0, c[9] = 0, c[10] = 1000, c[11] = 2;
    c[71] = 0, c[72] = 4, c[73] = 0, c[74] = 0, c[75] = 2;
    // Analog outputs: analog L, R, then HD1 to HD3 L and R; AES the same.
    const int analog[8] = {1, 2, 5, 6, 9, 10, 13, 14};
    for (int k = 0; k < 8; ++k)
        c[76 + k] = analog[k];
    for (int k = 0; k < 6; ++k)
        c[84 + k] = analog[k];
    c[90] = 5, c[91] = 6, c[92] = 60;
    // Threshold, seconds, action (relay bits 0-2, e-mail group bits 3-5,
    // display bit 6) of alarms 1..23.
    const struct
    {
        qint32 threshold, time, action;
    } alarms[23] = {
        {-600, 5, 0x41},  {200, 5, 0x41},  {200, 10, 0x4A}, {1000, 1, 0x40},
        {150, 10, 0x4A},  {50, 10, 0x43},  {0, 30, 0x4C},   {0, 30, 0x4C},
        {0, 30, 0x40},    {5, 10, 0x44},   {550, 10, 0x44}, {200, 30, 0x54},
        {200, 30, 0x50},  {200, 30, 0x50}, {200, 30, 0x50}, {200, 30, 0x00},
        {200, 30, 0x00},  {200, 30, 0x00}, {200, 30, 0x00}, {100, 20, 0x5C},
        {-100, 20, 0x5C}, {0, 10, 0x40},   {20, 30, 0x40},
    };
    for (int n = 1; n <= 23; ++n) {
        c[90 + 3 * n] = alarms[n - 1].threshold;
        c[91 + 3 * n] = alarms[n - 1].time;
        c[92 + 3 * n] = alarms[n - 1].action;
    }
    // Decoders on HD1, HD2, HD1, HD1: single-bit program masks.
    c[162] = 1, c[163] = 2, c[164] = 1, c[165] = 1;
    for (int k = 168; k <= 176; ++k)
        c[k] = 120; // bar graphs from -12.0 dBFS
    c[177] = 1;     // the alignment display at 12 ms
    c[178] = 1, c[179] = 0;
    c[180] = 2; // an A2 board: the attenuator shows

    TTimeAlignConfigTable& t = m_unit->TimeAlignConfigs;
    t.CurrentConfig = 1;
    for (int k = 0; k < HdTaConfigCount; ++k) {
        // Mode, delay centre s/ms/us, rate, ramp, offset, spare, device,
        // address octets, port digits (10001), connect.
        const std::pair<int, qint32> values[] = {
            {0, k == 0 ? 2 : 0}, {1, 8}, {2, 12}, {3, 345}, {4, 2}, {5, 10}, {6, 0}, {7, 0},
            {8, k == 0 ? 9 : 0}, {11, 192}, {12, 168}, {13, 1}, {14, 20 + k},
            {15, 1}, {16, 0}, {17, 0}, {18, 0}, {19, 1}, {20, k == 0 ? 1 : 0},
        };
        for (const auto& [field, v] : values)
            if (qint32* slot = t.field(field, k))
                *slot = v;
        t.User[size_t(k)] = k == 0 ? "engineer" : "";
        t.Password[size_t(k)] = k == 0 ? "QUMOR7" : "";
    }
    t.ScanMode = 0;
    const qint32 stations[HdScanEntries] = {1001, 937, 1037, 893, 975, 1051};
    for (int i = 0; i < HdScanEntries; ++i) {
        t.ScanFreq[size_t(i)] = stations[i];
        t.ScanTime[size_t(i)] = 10;
    }
}

void HdSim::varyReadings(THdBlockFields& s)
{
    m_drift.nextBlock();
    for (qint32& v : s.measurements)
        v = m_drift.moved(v, -2048, 2047);
    // Peak, average and minimum of each channel stay in that order: the
    // analog total, L, R, L+R, L-R, then four channels of nine sources.
    auto ordered = [&](int first) {
        std::sort(s.measurements.begin() + first, s.measurements.begin() + first + 3,
                  std::greater<>());
    };
    for (int first = 2; first <= 14; first += 3)
        ordered(first);
    for (int first = 20; first + 3 <= int(s.measurements.size()); first += 3)
        ordered(first);
    for (qint32& v : s.spectrum)
        v = m_drift.moved(v, 20, 40, -2048, 2047);
    THdServiceRec& sv = s.service;
    sv.LevelFast = m_drift.moved(sv.LevelFast, 2, 3, -100, 100);
    sv.TimeFast = m_drift.moved(sv.TimeFast, 10, 8, -1000, 1000);
    sv.CdNo = sv.CdNo + m_drift.moved(0, 1, 1, -2, 2) * 0.25;
}

void HdSim::setTimeAlignStatus(int state, qint32 deviceDelayUs)
{
    fields.service.TaState = state & 0xFF;
    fields.service.DeviceDelayUs = deviceDelayUs;
}

void HdSim::setApplyState(int k, int state)
{
    if (k >= 1 && k <= HdTaConfigCount)
        fields.service.TaApplyState[size_t(k)] = state & 0xFF;
}

void HdSim::setAlarmMasks(quint32 first, quint32 second)
{
    fields.alarmMasks = {first & 0xFFFFFF, second & 0xFFFFFF};
}

QByteArray HdSim::nextBlock()
{
    advanceBlockState();
    if (spectrumFollowsSettings)
        fields.spectrum = measuredSpectrum();
    THdBlockFields s = fields;
    if (vary)
        varyReadings(s);
    const int type = nextType();
    s.blockType = type;
    s.echoId = m_echoId;
    s.echoValue = m_echoValue;
    if (dataServices)
        fillDataService(s);
    QByteArray b = BuildHdBlock(s);
    fillType(b, type);
    if (type != 11 && type != 12)
        ++m_rotation;
    setHdChecksum(b);
    if (badChecksums > 0) {
        --badChecksums;
        putBe16(b, HdOffset::Checksum, HdReceivedChecksum(b) + 1);
    }
    const QByteArray out = frame(b, m_echoLine);
    // An echo travels in exactly one block.
    m_echoId = 0xFFFF;
    m_echoValue = {};
    m_echoLine.clear();
    ++m_blocksSent;
    return out;
}

void HdSim::fillDataService(THdBlockFields& s)
{
    // Program 1 switches between the trigger (with the primary image's LOT id)
    // and the logo every twenty blocks.
    const bool logo = (m_blocksSent / 20) % 2 == 1;
    s.xhdrHash[0] = HdMimeStationLogoTrigger;
    s.xhdrParam[0] = logo ? 1 : 0;
    s.xhdrLot[0] = logo ? SimLogoLot : SimPrimaryLot;
    if (m_blocksSent % 10 == 0) {
        s.messageKind = 'S';
        s.payload = SimStatusTable() + SimSigMessage(m_blocksSent / 50);
        return;
    }
    if (m_objectChunks.isEmpty()) {
        if (m_objectPause > 0) {
            --m_objectPause;
            return;
        }
        bool headerFirst = false;
        const QByteArray primary = primaryObject();
        const QByteArray* objects[] = {&primary, &m_pngObject};
        for (const QByteArray* o : objects) {
            for (const TSimChunk& c : SimObjectChunks(*o, headerFirst))
                m_objectChunks.append({qint32(o->size()), c.position, c.payload});
            headerFirst = !headerFirst;
        }
        m_objectPause = objectRoundPauseBlocks;
    }
    const TPendingChunk c = m_objectChunks.takeFirst();
    s.messageKind = 'L';
    s.messageTotal = c.total;
    s.messagePosition = c.position;
    s.payload = c.payload;
}

QByteArray HdSim::primaryObject() const
{
    if (pngUnderJpegHash)
        return SimObject(SimPrimaryPort, SimPrimaryLot, HdMimeJpeg, "primary,1.jpg",
                         EncodeSimPng(SimPngSide, SimPngSide));
    QByteArray o = m_jpegObject;
    if (corruptObjectByte) {
        const int at = HdObjectHeader::Length + 100;
        o[at] = char(o[at] ^ 0x40);
    }
    return o;
}

QByteArray HdSim::frame(const QByteArray& block, const QByteArray& echoLine) const
{
    if (!sProtocol())
        return block;
    return StampHdBlock(block, stamp.isValid() ? stamp : QDateTime::currentDateTime(), network,
                        echoLine);
}

int HdSim::blockLength() const
{
    return HdBlockLength;
}

bool HdSim::sendInsteadOfBlock()
{
    if (sendNoMarkerBurst)
        send(QByteArray(3000, 'U'));
    return sendNoMarkerBurst;
}

void HdSim::takeBlockFault(TSimFault fault)
{
    if (fault == TSimFault::BadChecksum)
        ++badChecksums;
}

void HdSim::handleUnitLine(const QByteArray& line)
{
    if (line.startsWith("CC") || line.startsWith("PB") || line.startsWith("PS") ||
        line.startsWith("SH") || line.startsWith("DD")) {
        m_requestLines << line;
        applyRequest(line);
    }
}

void HdSim::applyRequest(const QByteArray& line)
{
    quint32 sum = 0;
    if (line.size() < 6 || !hexAt(line, line.size() - 2, 2, &sum) ||
        sumOf(line.left(line.size() - 2)) != sum) {
        ++m_badSums;
        return;
    }
    const QByteArray kind = line.left(2);
    const QByteArray body = line.left(line.size() - 2);
    if (kind == "SH" || kind == "DD") {
        quint32 i = 0;
        hexAt(body, 2, 2, &i);
        m_chunkId = int(i);
        m_chunkIndex = 0;
        m_chunksSent = 0;
        if (kind == "SH") {
            m_chunkType = 11;
            m_chunkData = historyBytes(int(i));
        } else {
            m_chunkType = 12;
            m_chunkData = diagnosticText.left(HdDiagnosticBytes);
            for (int k = 0; diagnosticText.isEmpty() && m_chunkData.size() < HdDiagnosticBytes; ++k)
                m_chunkData += QByteArray("diagnostic line ") + QByteArray::number(k) + "\r\n";
            m_chunkData.truncate(HdDiagnosticBytes);
        }
        return;
    }
    quint32 id = 0;
    if (!hexAt(body, 2, 4, &id))
        return;
    const QByteArray arg = body.mid(6);
    m_echoLine = line;
    THdData& u = *m_unit;
    if (kind == "PS") {
        if (QString* s = u.HdEmailSettings.stringFor(int(id)))
            *s = QString::fromLatin1(arg);
        return; // strings are not echoed in the block's echo field
    }
    if (kind == "PB") {
        quint32 b3 = 0;
        hexAt(arg, 0, 2, &b3);
        if (id == 512)
            u.HdLocalConfig = defaultConfig();
        if (id >= 517 && id <= 520 && b3 <= 7) {
            const int d = int(id) - 517;
            u.HdLocalConfig[162 + d] = 1 << b3;
            m_chosenProgram[size_t(d)] = int(b3);
            m_chosenDelay[size_t(d)] = currentProgramDelayBlocks;
        }
        if (id == 521) {
            m_berCounting = true;
            fields.service.BerCounts = {berStartBitsP1, 0, 0, 0, 0, 0, 0, 0};
        }
        if (id == 522) {
            m_berCounting = false;
            fields.service.BerCounts = {};
        }
        m_echoId = quint16(id);
        m_echoValue = {0, 0, 0, quint8(b3)};
        return;
    }
    // "CC": the item by the shared id table.
    const THdIdRow* row = HdIdRowFor(int(id));
    quint32 value = 0;
    if (!row)
        return;
    const int digits = row->digits;
    switch (row->source) {
    case THdIdSource::BarScale: {
        quint32 scale = 0, source = 0;
        if (!hexAt(arg, 0, 2, &scale) || !hexAt(arg, 2, 2, &source))
            return;
        if (qint32* item = HdIdItem(u, int(id), int(source)))
            *item = qint32(scale);
        m_echoId = quint16(id);
        m_echoValue = {0, 0, quint8(scale), quint8(source)};
        return;
    }
    case THdIdSource::TaField: {
        quint32 config = 0;
        if (!arg.startsWith('I') || !hexAt(arg, 1, 2, &config) || !hexAt(arg, 3, digits, &value))
            return;
        if (qint32* item = HdIdItem(u, int(id), int(config) + 1))
            *item = HdIdValue(int(id), value);
        m_echoId = quint16(id);
        m_echoValue = {0, quint8(config), quint8(value >> 8), quint8(value)};
        return;
    }
    case THdIdSource::Selector:
        if (!hexAt(arg, 0, 2, &value))
            return;
        if (id == 233 && value >= 1 && value <= 6)
            m_presets[value] = u.HdLocalConfig[2]; // save the tuning as preset n
        if (id == 232 && value >= 1 && value <= 6) {
            u.HdLocalConfig[1] = qint32(value); // recall preset
            if (m_presets[value] != 0)
                u.HdLocalConfig[2] = m_presets[value];
        }
        m_echoId = quint16(id);
        m_echoValue = {0, 0, 0, quint8(value)};
        return;
    default:
        if (!hexAt(arg, 0, digits, &value))
            return;
        if (qint32* item = HdIdItem(u, int(id), 0))
            *item = HdIdValue(int(id), value);
        applySpectrumRules(int(id));
        if (!echoSettings) {
            m_echoLine.clear();
            return;
        }
        m_echoId = quint16(id);
        m_echoValue = {0,
                       quint8(row->source == THdIdSource::TaCurrent
                                  ? u.TimeAlignConfigs.CurrentConfig - 1
                                  : 0),
                       quint8(digits == 4 ? value >> 8 : 0), quint8(value)};
        return;
    }
}

void HdSim::applySpectrumRules(int id)
{
    // The unit keeps its spectrum settings by the rules the window applies,
    // so the record it reloads agrees with what the window computed.
    const TSpectrumWordMap& m = HdSpectrumWords();
    HdConfigRecord& c = m_unit->HdLocalConfig;
    THdSpectrumConfig config(c);
    if (id == m.codePsd && c[m.psd] == 1) {
        c[m.hr] = 5;
        c[m.freq] = 0;
        c.setReal(m.zoomReal, 0.0);
        SpectrumApplyHr(m, config);
        c[m.mode] = 2;
        c[m.average] = 50;
    }
    if (id == m.codeHr) {
        if (c[m.rfInput] == 0 && c[m.hr] > 6)
            c[m.hr] = 6;
        SpectrumApplyHr(m, config);
    }
    if (id == m.codeHr || id == m.codeC2 || id == m.codeFreq)
        SpectrumStoreC2Real(m, config);
}

void HdSim::setRfInput(int input)
{
    const TSpectrumWordMap& m = HdSpectrumWords();
    HdConfigRecord& c = m_unit->HdLocalConfig;
    c[m.rfInput] = input;
    if (input == 0 && c[m.hr] > 6)
        c[m.hr] = 6;
}

void HdSim::useStationSpectrum()
{
    spectrumFollowsSettings = true;
    HdConfigRecord& c = m_unit->HdLocalConfig;
    c[12] = 0, c[13] = 7, c[14] = 100, c[15] = 350, c[16] = 5, c[17] = 0;
    c[22] = 0, c[23] = 10, c[24] = 10, c[25] = 0, c[26] = 0, c[27] = 0, c[28] = 1;
    c[29] = 1, c[30] = -300, c[31] = -300, c[32] = 0;
    THdSpectrumConfig config(c);
    SpectrumStoreC2Real(HdSpectrumWords(), config);
}

std::array<qint32, 509> HdSim::measuredSpectrum() const
{
    const TSpectrumWordMap& m = HdSpectrumWords();
    const HdConfigRecord& c = m_unit->HdLocalConfig;
    const TSpectrumHorizontalAxis axis =
        SpectrumHorizontalAxis(TSpectrumPageKind::Hd, c[m.hr], c[m.freq]);
    std::array<qint32, 509> s{};
    for (int i = 0; i < SpectrumPoints; ++i) {
        const double kHz = double(SpectrumPointHz(axis, i)) / 1000.0;
        const double a = std::fabs(kHz);
        double v = -950;
        if (a < 100) {
            const double d = kHz / 40.0;
            v = -700 + 550 * std::exp(-d * d);
        } else if (a >= 123 && a <= 200) {
            v = -450;
        }
        s[std::size_t(i)] = qint32(std::lround(v));
    }
    // Power: HD LSB, HD USB, HD total, analog, ratio, then three spare.
    const std::array<qint32, 8> power = {-352, -348, -320, -105, -215, 0, 0, 0};
    for (int k = 0; k < 8; ++k)
        s[std::size_t(SpectrumPoints + k)] = power[std::size_t(k)];
    return s;
}
