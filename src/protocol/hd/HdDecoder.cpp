#include "protocol/hd/HdDecoder.h"

#include "protocol/hd/HdBlockLayout.h"
#include "protocol/hd/HdRequests.h"

namespace {

using R = THdBlockReader;

void decodeService(const R& r, THdServiceRec& v)
{
    namespace O = HdOffset;
    for (int i = 0; i < 4; ++i) {
        v.ProgramsMask[i] = r.u8(O::ProgramsMask + i);
        v.CurrentProgram[i] = r.u8(O::CurrentProgram + i);
    }
    v.ServiceExtra = {r.u8(O::ServiceExtra), r.u8(O::ServiceExtra + 1)};
    for (int i = 0; i < 8; ++i)
        v.ProgramType[i] = r.u8(O::ProgramType + i);
    v.ServiceModeText = r.text(O::ServiceModeText, 4);
    v.CodecMode = r.u8(O::CodecMode);
    v.CdNo = r.be16(O::CdNo) / 100.0;
    v.QualityIndicator = r.u8(O::QualityIndicator);
    v.Daai = r.be16(O::Daai) / 100.0;
    v.AcqTimeData = r.be16(O::AcqTimeData);
    v.AcqTimeAudio = r.be16(O::AcqTimeAudio);

    v.SisPortId = r.u8(O::SisPortId);
    v.SisServiceId = r.u8(O::SisServiceId);
    v.SisSessionType = r.u8(O::SisSessionType);
    v.SisBlockCount = r.u8(O::SisBlockCount);
    v.SisAlfnStatus = r.u8(O::SisAlfnStatus);
    v.SisAlfn = r.be32(O::SisAlfn);
    v.SisTimeLocked = r.u8(O::SisTimeLocked);
    v.SisNumTypes = r.u8(O::SisNumTypes);

    v.TaValid = r.u8(O::TaValid);
    v.TaPolarityInverted = r.u8(O::TaPolarityInverted);
    v.TaUnsignedItem = r.be16(O::TaUnsignedItem);
    v.TaSignedItem = r.s16Fixed(O::TaSignedItem);
    v.LevelFast = r.s16Fixed(O::LevelFast);
    v.LevelAvg = r.s16Fixed(O::LevelAvg);
    v.TimeFast = qint32(r.be32(O::TimeFast));
    v.TimeAvg = qint32(r.be32(O::TimeAvg));
    v.TaState = r.u8(O::TaState);
    v.DeviceDelayUs = qint32(r.be32(O::DeviceDelayUs));
    v.AvgErrorNs = qint32(r.be32(O::AvgErrorNs));
    v.FastErrorNs = qint32(r.be32(O::FastErrorNs));
    v.DelayCorrectionUs = qint32(r.be32(O::DelayCorrectionUs));
    v.RampActive = r.u8(O::RampActive);
    v.RampPercent = r.u8(O::RampPercent);
    v.AutoHours = r.u8(O::AutoHours);
    v.AutoMinutes = r.u8(O::AutoMinutes);
    for (int k = 1; k <= 6; ++k)
        v.TaApplyState[k] = r.u8(O::TaApplyState + k);
    v.MultiScanHours = r.u8(O::MultiScanHours);
    v.MultiScanMinutes = r.u8(O::MultiScanMinutes);
    v.AutoSampleResolution = r.u8(O::AutoSampleResolution);
    for (int i = 0; i < HdBerCountCount; ++i)
        v.BerCounts[i] = r.be32(O::BerCounts + 4 * i);
}

void decodeMeasurements(const R& r, THdData& d, TConnectionState& s)
{
    d.HdAudioLevels[0] = r.u8(HdOffset::AudioSource);
    std::array<qint32, HdMeasurementValueCount> v{};
    for (int k = 0; k < HdMeasurementValueCount; ++k) {
        v[k] = HdValue12(r, HdOffset::Measurements, k);
        d.HdAudioLevels[k + 1] = v[k];
    }
    auto& m = d.HdMeasurements;
    m[0].Peak = v[0];
    m[0].Db = v[1];
    auto triple = [&](int record, int first) {
        m[record].Peak = v[first];
        m[record].Average = v[first + 1];
        m[record].Minimum = v[first + 2];
    };
    for (int rec = 1; rec <= 5; ++rec)
        triple(rec, 2 + 3 * (rec - 1));
    m[6].Injection = v[17];
    m[7].Injection = v[18];
    // Value 19 is not used.
    for (int rec = 8; rec <= 42; ++rec)
        triple(rec, 20 + 3 * (rec - 8));
    m[43].Peak = v[125];

    // The plots find the same values as series; 126 and 127 (the average and
    // minimum of the last channel) are not sent.
    for (int k = 0; k < HdMeasurementValueCount; ++k)
        s.MeasurementHistory[k][1] = v[k];
    s.MeasurementHistory[126][1] = 0;
    s.MeasurementHistory[127][1] = 0;
    const THdServiceRec& sv = d.HdService;
    const qint32 alignment[8] = {sv.LevelFast,   sv.LevelAvg,         sv.TimeFast,
                                 sv.TimeAvg,     sv.DeviceDelayUs,    sv.AvgErrorNs,
                                 sv.FastErrorNs, sv.DelayCorrectionUs};
    for (int i = 0; i < 8; ++i)
        s.MeasurementHistory[200 + i][1] = alignment[i];
}

void decodeSpectrum(const R& r, THdData& d)
{
    for (int i = 0; i < HdSpectrumPoints; ++i)
        d.HdSpectrum[i] = HdValue12(r, HdOffset::Spectrum, i);
    for (int i = 0; i < HdSpectrumPowerCount; ++i)
        d.HdSpectrumPower[i] = HdValue12(r, HdOffset::Spectrum, HdSpectrumPoints + i);
}

// A configuration block naming another station: what the data services held
// belongs to the old one. Run before this block's own data services are read,
// so they count for the new station.
void newStation(const R& r, THdData& d, const TConnectionState& s)
{
    const THdWordPlace tuning = HdConfigWordPlace(2);
    const qint32 now = R::signed16(r.be16(tuning.offset));
    if (now != d.HdUnitConfig[3] && !s.HdObjectsReleased)
        d.ResetDataObjects();
}

void decodeConfig(const R& r, THdData& d, TConnectionState& s, const THdDecodeSink&)
{
    HdConfigRecord& u = d.HdUnitConfig;
    for (int w = 0; w < HdConfigWordCount; ++w) {
        const THdWordPlace p = HdConfigWordPlace(w);
        switch (p.width) {
        case 1:
            u[w] = w == 12 ? r.s8(p.offset) : r.u8(p.offset);
            break;
        case 2:
            u[w] = HdConfigWordSigned(w) ? R::signed16(r.be16(p.offset)) : r.be16(p.offset);
            break;
        case 4:
            u.setReal(w, qint32(r.be32(p.offset)) / 1000.0);
            break;
        default:
            break;
        }
    }
    u[3] = u[2]; // the new station was taken in by newStation()
    for (int i = 0; i < HdUnitRecordItems; ++i)
        d.HdUnitRecord[size_t(i)] = r.u8(HdUnitRecordOffset + i);
    if (d.HdUnitRecord[0] != d.HdLocalUnitRecord[0]) {
        d.HdLocalUnitRecord[0] = d.HdUnitRecord[0];
        s.PageRefresh.raise(prSettings);
    }
    if (u[1] != d.HdLocalConfig[1])
        d.HdUpdateLocalConfig = true; // a preset was recalled
    if (d.HdUpdateLocalConfig) {
        d.HdUpdateLocalConfig = false;
        d.HdLocalConfig = u;
        d.HdLocalUnitRecord = d.HdUnitRecord;
        for (int n = prTuning; n <= prHdProgramSelect; ++n)
            s.PageRefresh.raise(n);
        d.HdEmailAddressesReceived = false;
        d.HdEmailServerReceived = false;
    }
    if (d.HdReloadConfigNext) {
        d.HdReloadConfigNext = false;
        d.HdUpdateLocalConfig = true;
    }
    if (d.HdBarScaleRefreshNext) {
        d.HdBarScaleRefreshNext = false;
        s.PageRefresh.raise(prHdBarScale);
    }
}

void decodeTimeAlign(const R& r, THdData& d, TConnectionState& s)
{
    namespace O = HdTaOffset;
    TTimeAlignConfigTable& t = d.TimeAlignReceived;
    t.CurrentConfig = r.u8(O::CurrentConfig);
    for (int c = 0; c < HdTaConfigCount; ++c) {
        const int base = O::Configs + O::ConfigStride * c;
        for (const THdTaFieldPlace& p : HdTaFieldPlaces)
            *t.field(p.field, c) =
                p.width == 2 ? R::signed16(r.be16(base + p.offset)) : r.u8(base + p.offset);
        t.User[size_t(c)] = r.text(O::Strings + O::StringLength * c, O::StringLength);
        t.Password[size_t(c)] =
            r.text(O::Strings + O::StringLength * (HdTaConfigCount + c), O::StringLength);
    }
    t.ScanMode = r.u8(O::ScanMode);
    for (int i = 0; i < HdScanEntries; ++i) {
        t.ScanFreq[size_t(i)] = r.be16(O::ScanFreq + 2 * i);
        t.ScanTime[size_t(i)] = r.u8(O::ScanTime + i);
    }

    const bool currentInRange = t.CurrentConfig >= 1 && t.CurrentConfig <= HdTaConfigCount;
    auto copyTable = [&] {
        const qint32 keep = d.TimeAlignConfigs.CurrentConfig;
        d.TimeAlignConfigs = t;
        // A configuration number the unit cannot have is never taken over.
        if (!currentInRange)
            d.TimeAlignConfigs.CurrentConfig = keep;
    };
    if (d.HdUpdateTimeAlign) {
        d.HdUpdateTimeAlign = false;
        copyTable();
        s.PageRefresh.raise(prHdTimeAlignSettings);
    }
    if (d.HdReloadTimeAlignNext) {
        d.HdReloadTimeAlignNext = false;
        d.HdUpdateTimeAlign = true;
    }
    if (currentInRange && t.CurrentConfig != d.TimeAlignConfigs.CurrentConfig) {
        copyTable();
        s.PageRefresh.raise(prHdTimeAlignDisplay);
        s.PageRefresh.raise(prHdTimeAlignSettings);
        const qint32 freq = t.ScanFreq[size_t(t.CurrentConfig - 1)];
        d.HdUnitConfig[2] = freq;
        d.HdLocalConfig[2] = freq;
        s.PageRefresh.raise(prTuning);
        s.PageRefresh.raise(prSettings);
    }
    if (currentInRange)
        d.ActiveConfigNumber = t.CurrentConfig - 1;
}

void decodeChunk(const R& r, THistoryDataRec& area)
{
    namespace O = HdChunkOffset;
    area.Id = r.u8(O::Id);
    area.Type = r.u8(O::Type);
    area.Len = qint32(r.be32(O::Len));
    area.Index = qint32(r.be32(O::Index));
    // The position comes from the unit: only bytes that land inside the area
    // are stored, and a chunk that runs past its end is clipped, not dropped.
    const qint64 size = qint64(area.Data.size());
    for (int j = 0; j < HdChunkLength; ++j) {
        const qint64 at = qint64(area.Index) + j;
        if (at >= 0 && at < size)
            area.Data[size_t(at)] = r.u8(O::Data + j);
    }
    if (qint64(area.Index) + HdChunkLength >= qint64(area.Len))
        area.New = true;
}

void decodeEmail(const R& r, THdData& d, TConnectionState& s)
{
    namespace O = HdEmailOffset;
    THdEmailSettings& e = d.HdEmailReceived;
    if (r.u8(O::Part) != 0) {
        e.ProxyIp = r.text(O::ProxyIp, O::ProxyIpWidth);
        e.ProxyPort = r.text(O::ProxyPort, O::ProxyPortWidth);
        for (int i = 0; i < 8; ++i)
            e.GroupWord[size_t(i)] = r.u8(O::GroupWords + i);
        for (int i = 0; i < 4; ++i)
            e.Subject[size_t(i)] = r.text(O::Subjects + O::SubjectWidth * i, O::SubjectWidth);
        d.HdEmailServerReceived = true;
    } else {
        for (int i = 0; i < 8; ++i)
            e.Address[size_t(i)] = r.text(O::Addresses + O::AddressWidth * i, O::AddressWidth);
        d.HdEmailAddressesReceived = true;
    }
    if (d.HdUpdateEmail && d.HdEmailAddressesReceived && d.HdEmailServerReceived) {
        d.HdUpdateEmail = false;
        d.HdEmailSettings = e;
        s.PageRefresh.raise(prHdEmail);
    }
}

void decodeTable(const R& r, THdData& d)
{
    for (int w = 0; w < HdTableWords; ++w) {
        const int at = HdTableOffset(w);
        if (at >= 0)
            d.HdReceivedTable[size_t(w)] = r.u8(at);
    }
    if (d.UpdateLocalTables) {
        d.UpdateLocalTables = false;
        d.HdLocalTable = d.HdReceivedTable;
        d.HdTableCopied = true;
    }
}

} // namespace

THdBlockVerdict DecodeHdBlock(const QByteArray& block, THdData& d, TConnectionState& s,
                              const THdDecodeSink& sink)
{
    if (block.size() < HdBlockLength)
        return THdBlockVerdict::TooShort;
    s.BlockChecksums = {HdComputedChecksum(block), HdReceivedChecksum(block)};
    if (s.BlockChecksums[0] != s.BlockChecksums[1])
        return THdBlockVerdict::BadChecksum;
    const R r(block);

    // The echoed request line of an S-protocol network frame: only as many
    // bytes as the frame holds.
    if (block.size() > HdOffset::EchoText) {
        const QByteArray text =
            block.mid(HdOffset::EchoText,
                      qMin<qsizetype>(HdEchoTextLength, block.size() - HdOffset::EchoText));
        const qsizetype cr = text.indexOf('\r');
        if (cr >= 1) {
            d.HdTextLine = text.left(cr);
            d.HdTextLineNew = true;
            ParseEchoLine(d.HdTextLine, d, s);
        }
    }

    ApplyHdBlockEcho(d, s, r.be16(HdOffset::EchoId),
                     {r.u8(HdOffset::EchoValue), r.u8(HdOffset::EchoValue + 1),
                      r.u8(HdOffset::EchoValue + 2), r.u8(HdOffset::EchoValue + 3)});

    d.HdStatus = r.u8(HdOffset::Status);
    d.HdAlarmMasks = {
        qint32(r.u8(HdOffset::AlarmMaskRed) << 16 | r.u8(HdOffset::AlarmMaskRed + 1) << 8 |
               r.u8(HdOffset::AlarmMaskRed + 2)),
        qint32(r.u8(HdOffset::AlarmMaskYellow) << 16 | r.u8(HdOffset::AlarmMaskYellow + 1) << 8 |
               r.u8(HdOffset::AlarmMaskYellow + 2))};
    decodeService(r, d.HdService);
    decodeMeasurements(r, d, s);
    decodeSpectrum(r, d);
    d.HdBlockType = r.u8(HdOffset::BlockType);

    if (d.HdBlockType == hbConfig)
        newStation(r, d, s);
    if (!s.HdObjectsReleased)
        DecodeHdDataServices(block, d, sink);

    switch (d.HdBlockType) {
    case hbConfig:
        decodeConfig(r, d, s, sink);
        break;
    case hbTimeAlign:
        decodeTimeAlign(r, d, s);
        break;
    case hbHistory:
        decodeChunk(r, d.HistoryData);
        break;
    case hbDiagnostic:
        decodeChunk(r, d.DiagnosticData);
        break;
    case hbEmail:
        decodeEmail(r, d, s);
        break;
    case hbTable:
        decodeTable(r, d);
        break;
    default:
        // Type 2 would only invent station data; the PAD and commercial
        // frames (3..10) have no layout yet; unknown types carry nothing.
        break;
    }
    return THdBlockVerdict::Decoded;
}
