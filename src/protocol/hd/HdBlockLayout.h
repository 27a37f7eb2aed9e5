#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// Where the fields of an HD data block lie. The decoder reads through these
// offsets and the simulated unit writes through them, so no offset or width is
// written twice. Multi-byte block words are big-endian; the data-service
// fields (XHDR, the status table, the object header) come from the broadcast
// and are little-endian.

constexpr int HdBlockLength = 2729;
constexpr int HdSerialStampedLength = 2737;  // S protocol: the unit's date-time follows
constexpr int HdNetworkStampedLength = 2801; // and on the network 64 bytes of echoed line
// Blocks the receive buffer may hold: ten seconds of the unit's five a
// second, so a window that holds the program up that long loses none.
constexpr int HdBlockBacklog = 50;

namespace HdOffset {
constexpr int EchoId = 4; // 0xFFFF: no echo
constexpr int EchoValue = 6;
constexpr int AudioSource = 10;
constexpr int Status = 11;
constexpr int AlarmMaskRed = 12;
constexpr int AlarmMaskYellow = 15;
constexpr int ProgramsMask = 18;
constexpr int ServiceExtra = 22;
constexpr int CurrentProgram = 24;
constexpr int ProgramType = 28;
constexpr int ServiceModeText = 36;
constexpr int CodecMode = 40;
constexpr int CdNo = 41;
constexpr int QualityIndicator = 43;
constexpr int Daai = 44;
constexpr int AcqTimeData = 46;
constexpr int AcqTimeAudio = 48;
constexpr int SisPortId = 50;
constexpr int SisServiceId = 51;
constexpr int SisSessionType = 52;
constexpr int SisBlockCount = 53;
constexpr int SisAlfnStatus = 54;
constexpr int SisAlfn = 55;
constexpr int SisTimeLocked = 59;
constexpr int SisNumTypes = 60;
constexpr int Measurements = 61; // 126 values, 12 bits each
constexpr int TaValid = 253;
constexpr int TaPolarityInverted = 254;
constexpr int TaUnsignedItem = 255;
constexpr int TaSignedItem = 257;
constexpr int LevelFast = 259;
constexpr int LevelAvg = 261;
constexpr int TimeFast = 263;
constexpr int TimeAvg = 267;
constexpr int TaState = 271;
constexpr int DeviceDelayUs = 272;
constexpr int AvgErrorNs = 276;
constexpr int FastErrorNs = 280;
constexpr int DelayCorrectionUs = 284;
constexpr int RampActive = 288;
constexpr int RampPercent = 289;
constexpr int AutoHours = 290;
constexpr int AutoMinutes = 291;
constexpr int TaApplyState = 291; // + k for configuration k = 1..6
constexpr int MultiScanHours = 298;
constexpr int MultiScanMinutes = 299;
constexpr int AutoSampleResolution = 300;
constexpr int BerCounts = 301;
constexpr int Spectrum = 333; // 509 values, 12 bits each: 501 points, 8 powers
constexpr int BlockType = 1200;
constexpr int Xhdr = 1555; // 8 bytes a program
constexpr int MessageKind = 1619;
constexpr int MessageSubKind = 1620;
constexpr int MessageTotal = 1621;
constexpr int MessagePosition = 1625;
constexpr int MessagePayload = 1629;
constexpr int Checksum = 2727;
constexpr int Stamp = 2729;    // S protocol
constexpr int EchoText = 2737; // S protocol, network
} // namespace HdOffset

constexpr int HdMeasurementValueCount = 126;
constexpr int HdSpectrumValueCount = 509;
constexpr int HdPayloadLength = 1096;
constexpr int HdEchoTextLength = 64;
constexpr quint16 HdNoEcho = 0xFFFF;

enum THdBlockType : int
{
    hbConfig = 0,
    hbTimeAlign = 1,
    hbStation = 2,
    hbHistory = 11,
    hbDiagnostic = 12,
    hbEmail = 13,
    hbTable = 18,
};

// The type-0 block: where each configuration word lies and how wide it is (0:
// the word is not sent). The unit record's five items follow the words.
struct THdWordPlace
{
    int offset = -1;
    int width = 0; // 1, 2 or 4 bytes
};
THdWordPlace HdConfigWordPlace(int word);
constexpr int HdUnitRecordOffset = 1462;
// Whether a type-0 word is sign-extended from its width.
bool HdConfigWordSigned(int word);

// The type-1 block (time-alignment table).
namespace HdTaOffset {
constexpr int CurrentConfig = 1201;
constexpr int Configs = 1202; // 22 bytes a configuration
constexpr int ConfigStride = 22;
constexpr int Strings = 1334; // User 1..6, then Password 1..6, 12 bytes each
constexpr int StringLength = 12;
constexpr int ScanMode = 1478;
constexpr int ScanFreq = 1479; // 2 bytes each
constexpr int ScanTime = 1491;
} // namespace HdTaOffset
// Field f of a configuration, in the order the block holds them, with widths.
struct THdTaFieldPlace
{
    int field;
    int offset; // within the configuration's 22 bytes
    int width;
};
extern const THdTaFieldPlace HdTaFieldPlaces[19];

// The type-11/12 chunks.
namespace HdChunkOffset {
constexpr int Id = 1201;
constexpr int Type = 1202;
constexpr int Len = 1203;
constexpr int Index = 1207;
constexpr int Data = 1211;
} // namespace HdChunkOffset
constexpr int HdChunkLength = 340;

// The type-13 block (e-mail settings).
namespace HdEmailOffset {
constexpr int Part = 1201;      // 0: the addresses, else the rest
constexpr int Addresses = 1202; // 42 bytes each
constexpr int AddressWidth = 42;
constexpr int ProxyIp = 1202;
constexpr int ProxyIpWidth = 16;
constexpr int ProxyPort = 1218;
constexpr int ProxyPortWidth = 6;
constexpr int GroupWords = 1224;
constexpr int Subjects = 1232; // 32 bytes each
constexpr int SubjectWidth = 32;
} // namespace HdEmailOffset

// The type-18 block: the offset of the byte that fills a table word; -1 for a
// word the block does not carry.
int HdTableOffset(int word);

// The artist-experience object header (ours; little-endian).
namespace HdObjectHeader {
constexpr int Checksum = 0;
constexpr int Port = 2;
constexpr int LotId = 4;
constexpr int DiscardTime = 6;
constexpr int Size = 10;
constexpr int MimeHash = 14;
constexpr int FileName = 18;
constexpr int FileNameWidth = 232;
constexpr int Length = 256;
} // namespace HdObjectHeader
constexpr quint32 HdMimeJpeg = 0x1E653E9C;
constexpr quint32 HdMimePng = 0x4F328CA0;
constexpr quint32 HdMimeStationLogoTrigger = 0xBE4B7536;
constexpr int HdSigTableLength = 256; // the status table at the start of an "S" payload
constexpr int HdSigMessageLength = 838;

// Reads that give 0 outside the block, so no field read can leave it.
class THdBlockReader
{
public:
    explicit THdBlockReader(const QByteArray& block)
        : m_data(reinterpret_cast<const quint8*>(block.constData()))
        , m_size(block.size())
    {}
    quint8 u8(qsizetype offset) const
    {
        return (offset >= 0 && offset < m_size) ? m_data[offset] : 0;
    }
    qint32 s8(qsizetype offset) const { return qint8(u8(offset)); }
    quint16 be16(qsizetype o) const { return quint16(u8(o) << 8 | u8(o + 1)); }
    quint32 be32(qsizetype o) const { return quint32(be16(o)) << 16 | be16(o + 2); }
    quint16 le16(qsizetype o) const { return quint16(u8(o) | u8(o + 1) << 8); }
    quint32 le32(qsizetype o) const { return quint32(le16(o)) | quint32(le16(o + 2)) << 16; }
    // A 16-bit item sign-extended only above 0x8000 (0x8000 stays +32768).
    qint32 s16Fixed(qsizetype o) const { return signed16(be16(o)); }
    static qint32 signed16(quint32 v)
    {
        v &= 0xFFFF;
        return v > 0x8000 ? qint32(v) - 0x10000 : qint32(v);
    }
    // At most width characters up to the first NUL, as Latin-1.
    QString text(qsizetype offset, int width) const;
    qsizetype size() const { return m_size; }

private:
    const quint8* m_data;
    qsizetype m_size;
};

// Values packed two into three bytes (L0, L1, H): the even one is L0 plus the
// low nibble of H above it, the odd one L1 plus the high nibble; bit 11 is the
// sign.
qint32 HdValue12(const THdBlockReader& r, int base, int index);
void setHdValue12(QByteArray& block, int base, int index, qint32 value);

// The 16-bit sum of bytes 0..2726, and the sum the block carries.
quint16 HdComputedChecksum(const QByteArray& block);
quint16 HdReceivedChecksum(const QByteArray& block);
// Writes the checksum (the simulator; a test that breaks a block).
void setHdChecksum(QByteArray& block);

// Writers for the simulator.
void putBe16(QByteArray& b, int offset, quint32 v);
void putBe32(QByteArray& b, int offset, quint32 v);
void putLe16(QByteArray& b, int offset, quint32 v);
void putLe32(QByteArray& b, int offset, quint32 v);
void putText(QByteArray& b, int offset, const QByteArray& text, int width);
