#include "sim/hd/HdBlock.h"

#include "common/TDateTime.h"
#include "protocol/hd/HdBlockLayout.h"

namespace {

void put(QByteArray& b, int o, qint64 v)
{
    b[o] = char(v & 0xFF);
}

void writeService(QByteArray& b, const THdServiceRec& v)
{
    namespace O = HdOffset;
    for (int i = 0; i < 4; ++i) {
        put(b, O::ProgramsMask + i, v.ProgramsMask[i]);
        put(b, O::CurrentProgram + i, v.CurrentProgram[i]);
    }
    put(b, O::ServiceExtra, v.ServiceExtra[0]);
    put(b, O::ServiceExtra + 1, v.ServiceExtra[1]);
    for (int i = 0; i < 8; ++i)
        put(b, O::ProgramType + i, v.ProgramType[i]);
    putText(b, O::ServiceModeText, v.ServiceModeText.toLatin1(), 4);
    put(b, O::CodecMode, v.CodecMode);
    putBe16(b, O::CdNo, quint32(qRound(v.CdNo * 100)));
    put(b, O::QualityIndicator, v.QualityIndicator);
    putBe16(b, O::Daai, quint32(qRound(v.Daai * 100)));
    putBe16(b, O::AcqTimeData, quint32(v.AcqTimeData));
    putBe16(b, O::AcqTimeAudio, quint32(v.AcqTimeAudio));
    put(b, O::SisPortId, v.SisPortId);
    put(b, O::SisServiceId, v.SisServiceId);
    put(b, O::SisSessionType, v.SisSessionType);
    put(b, O::SisBlockCount, v.SisBlockCount);
    put(b, O::SisAlfnStatus, v.SisAlfnStatus);
    putBe32(b, O::SisAlfn, v.SisAlfn);
    put(b, O::SisTimeLocked, v.SisTimeLocked);
    put(b, O::SisNumTypes, v.SisNumTypes);
    put(b, O::TaValid, v.TaValid);
    put(b, O::TaPolarityInverted, v.TaPolarityInverted);
    putBe16(b, O::TaUnsignedItem, quint32(v.TaUnsignedItem));
    putBe16(b, O::TaSignedItem, quint32(v.TaSignedItem));
    putBe16(b, O::LevelFast, quint32(v.LevelFast));
    putBe16(b, O::LevelAvg, quint32(v.LevelAvg));
    putBe32(b, O::TimeFast, quint32(v.TimeFast));
    putBe32(b, O::TimeAvg, quint32(v.TimeAvg));
    put(b, O::TaState, v.TaState);
    putBe32(b, O::DeviceDelayUs, quint32(v.DeviceDelayUs));
    putBe32(b, O::AvgErrorNs, quint32(v.AvgErrorNs));
    putBe32(b, O::FastErrorNs, quint32(v.FastErrorNs));
    putBe32(b, O::DelayCorrectionUs, quint32(v.DelayCorrectionUs));
    put(b, O::RampActive, v.RampActive);
    put(b, O::RampPercent, v.RampPercent);
    put(b, O::AutoHours, v.AutoHours);
    put(b, O::AutoMinutes, v.AutoMinutes);
    for (int k = 1; k <= 6; ++k)
        put(b, O::TaApplyState + k, v.TaApplyState[k]);
    put(b, O::MultiScanHours, v.MultiScanHours);
    put(b, O::MultiScanMinutes, v.MultiScanMinutes);
    put(b, O::AutoSampleResolution, v.AutoSampleResolution);
    for (int i = 0; i < HdBerCountCount; ++i)
        putBe32(b, O::BerCounts + 4 * i, v.BerCounts[i]);
}

} // namespace

QByteArray BuildHdBlock(const THdBlockFields& s)
{
    QByteArray b(HdBlockLength, '\0');
    b[0] = char(0xFF);
    b[1] = char(0xFE);
    b[2] = char(0xFD);
    putBe16(b, HdOffset::EchoId, s.echoId);
    for (int i = 0; i < 4; ++i)
        put(b, HdOffset::EchoValue + i, s.echoValue[i]);
    put(b, HdOffset::AudioSource, s.audioSource);
    put(b, HdOffset::Status, s.status);
    for (int m = 0; m < 2; ++m) {
        const int o = m == 0 ? HdOffset::AlarmMaskRed : HdOffset::AlarmMaskYellow;
        put(b, o, s.alarmMasks[m] >> 16);
        put(b, o + 1, s.alarmMasks[m] >> 8);
        put(b, o + 2, s.alarmMasks[m]);
    }
    writeService(b, s.service);
    for (int k = 0; k < 126; ++k)
        setHdValue12(b, HdOffset::Measurements, k, s.measurements[k]);
    for (int k = 0; k < 509; ++k)
        setHdValue12(b, HdOffset::Spectrum, k, s.spectrum[k]);
    put(b, HdOffset::BlockType, s.blockType);
    for (int i = 0; i < 8; ++i) {
        const int at = HdOffset::Xhdr + 8 * i;
        putLe32(b, at, s.xhdrHash[i]);
        put(b, at + 4, s.xhdrParam[i]);
        putLe16(b, at + 6, s.xhdrLot[i]);
    }
    put(b, HdOffset::MessageKind, s.messageKind);
    put(b, HdOffset::MessageSubKind, s.messageSubKind);
    putBe32(b, HdOffset::MessageTotal, quint32(s.messageTotal));
    putBe32(b, HdOffset::MessagePosition, quint32(s.messagePosition));
    for (int i = 0; i < qMin<int>(int(s.payload.size()), HdPayloadLength); ++i)
        b[HdOffset::MessagePayload + i] = s.payload[i];
    setHdChecksum(b);
    return b;
}

void WriteHdConfig(QByteArray& b, const HdConfigRecord& c,
                   const std::array<qint32, HdUnitRecordItems>& unitRecord)
{
    for (int w = 0; w < HdConfigWordCount; ++w) {
        const THdWordPlace p = HdConfigWordPlace(w);
        switch (p.width) {
        case 1:
            put(b, p.offset, c[w]);
            break;
        case 2:
            putBe16(b, p.offset, quint32(c[w]));
            break;
        case 4:
            putBe32(b, p.offset, quint32(qint32(qRound64(c.real(w) * 1000))));
            break;
        default:
            break;
        }
    }
    for (int i = 0; i < HdUnitRecordItems; ++i)
        put(b, HdUnitRecordOffset + i, unitRecord[size_t(i)]);
}

void WriteHdTimeAlign(QByteArray& b, const TTimeAlignConfigTable& table)
{
    namespace O = HdTaOffset;
    TTimeAlignConfigTable t = table;
    put(b, O::CurrentConfig, t.CurrentConfig);
    for (int c = 0; c < HdTaConfigCount; ++c) {
        const int base = O::Configs + O::ConfigStride * c;
        for (const THdTaFieldPlace& p : HdTaFieldPlaces) {
            const qint32 v = *t.field(p.field, c);
            if (p.width == 2)
                putBe16(b, base + p.offset, quint32(v));
            else
                put(b, base + p.offset, v);
        }
        putText(b, O::Strings + O::StringLength * c, t.User[size_t(c)].toLatin1(), O::StringLength);
        putText(b, O::Strings + O::StringLength * (HdTaConfigCount + c),
                t.Password[size_t(c)].toLatin1(), O::StringLength);
    }
    put(b, O::ScanMode, t.ScanMode);
    for (int i = 0; i < HdScanEntries; ++i) {
        putBe16(b, O::ScanFreq + 2 * i, quint32(t.ScanFreq[size_t(i)]));
        put(b, O::ScanTime + i, t.ScanTime[size_t(i)]);
    }
}

void WriteHdChunk(QByteArray& b, quint8 id, quint8 type, qint32 len, qint32 index,
                  const QByteArray& data)
{
    namespace O = HdChunkOffset;
    put(b, O::Id, id);
    put(b, O::Type, type);
    putBe32(b, O::Len, quint32(len));
    putBe32(b, O::Index, quint32(index));
    for (int i = 0; i < HdChunkLength; ++i)
        b[O::Data + i] = i < data.size() ? data[i] : '\0';
}

void WriteHdEmail(QByteArray& b, const THdEmailSettings& e, int part)
{
    namespace O = HdEmailOffset;
    put(b, O::Part, part);
    if (part == 0) {
        for (int i = 0; i < 8; ++i)
            putText(b, O::Addresses + O::AddressWidth * i, e.Address[size_t(i)].toLatin1(),
                    O::AddressWidth);
        return;
    }
    putText(b, O::ProxyIp, e.ProxyIp.toLatin1(), O::ProxyIpWidth);
    putText(b, O::ProxyPort, e.ProxyPort.toLatin1(), O::ProxyPortWidth);
    for (int i = 0; i < 8; ++i)
        put(b, O::GroupWords + i, e.GroupWord[size_t(i)]);
    for (int i = 0; i < 4; ++i)
        putText(b, O::Subjects + O::SubjectWidth * i, e.Subject[size_t(i)].toLatin1(),
                O::SubjectWidth);
}

void WriteHdTable(QByteArray& b, const std::array<qint32, HdTableWords>& table)
{
    // Words 0 (the block type byte itself) is left as it is.
    for (int w = 1; w < HdTableWords; ++w) {
        const int at = HdTableOffset(w);
        if (at >= 0)
            put(b, at, table[size_t(w)]);
    }
}

QByteArray StampHdBlock(const QByteArray& block, const QDateTime& stamp, bool network,
                        const QByteArray& echoLine)
{
    QByteArray out = block + TDateTimeBytes(stamp);
    if (network) {
        QByteArray echo = echoLine.isEmpty() ? QByteArray() : echoLine + "\r";
        echo = echo.left(HdEchoTextLength);
        echo.append(QByteArray(HdEchoTextLength - echo.size(), '\0'));
        out += echo;
    }
    return out;
}
