#pragma once

#include "protocol/BlockCutter.h"
#include "protocol/hd/HdAeData.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <array>
#include <vector>

// The decoded state of an HD unit (Vren1, Prak1) and the requests around it.
// The connection frame inherits it, so windows name these members on the frame
// and read them in place after each refresh.

constexpr int HdConfigWordCount = 182;
constexpr int HdZoomWord = 18; // words 18 and 19 hold one 8-byte real
constexpr int HdAudioLevelCount = 127;
constexpr int HdMeasurementCount = 44;
constexpr int HdSpectrumPoints = 501;
constexpr int HdSpectrumPowerCount = 8;
constexpr int HdBerCountCount = 8;
constexpr int HdUnitRecordItems = 5; // the 20-byte unit record
constexpr int HdTableWords = 108;    // the 432-byte table
constexpr int HdHistoryBytes = 63404;
constexpr int HdDiagnosticBytes = 2384;
constexpr int HdTaConfigCount = 6;
constexpr int HdScanEntries = 6;
constexpr int HdRequestSlots = 11;

// The unit's configuration as int32 words, named everywhere by their index.
struct HdConfigRecord
{
    std::array<qint32, HdConfigWordCount> items{};

    qint32& operator[](int k)
    {
        Q_ASSERT(k >= 0 && k < HdConfigWordCount);
        return items[k];
    }
    qint32 operator[](int k) const
    {
        Q_ASSERT(k >= 0 && k < HdConfigWordCount);
        return items[k];
    }
    // The real held by words 18 and 19 (the zoom frequency); 0 for any other
    // word, so no caller reads an int32 pair as a double by mistake.
    double real(int firstItem) const;
    void setReal(int firstItem, double value);

    bool operator==(const HdConfigRecord&) const = default;
};

// The service, SIS, time-alignment and bit-error fields of every block.
struct THdServiceRec
{
    std::array<qint32, 4> ProgramsMask{};   // decoders D1..D4, bit n-1 = HDn available
    std::array<qint32, 2> ServiceExtra{};   // kept, shown by no window
    std::array<qint32, 4> CurrentProgram{}; // one-bit value per decoder
    std::array<qint32, 8> ProgramType{};
    QString ServiceModeText;
    qint32 CodecMode = 0;
    double CdNo = 0;
    qint32 QualityIndicator = 0;
    double Daai = 0;
    qint32 AcqTimeData = 0;
    qint32 AcqTimeAudio = 0;

    qint32 SisPortId = 0;
    qint32 SisServiceId = 0;
    qint32 SisSessionType = 0;
    qint32 SisBlockCount = 0;
    qint32 SisAlfnStatus = 0;
    quint32 SisAlfn = 0;
    qint32 SisTimeLocked = 0;
    qint32 SisNumTypes = 0;
    QString SisFccId, SisNetworkId, SisCountry, SisLatitude, SisLongitude, SisShortName,
        SisLongName;

    // Program associated data of HD1..HD8, entry n for program n (entry 0 unused).
    std::array<qint32, 9> PadPortId{};
    std::array<qint32, 9> PadServiceId{}; // a byte
    std::array<qint32, 9> PadSessionType{};
    std::array<qint32, 9> PadPacketsAvail{};
    std::array<qint32, 9> PadPacketLength{};
    std::array<qint32, 9> PadSequenceNumber{};
    std::array<qint32, 9> PadOverflowStatus{};
    std::array<QString, 9> PadTitle, PadArtist, PadAlbum, PadGenre, PadComment;

    qint32 TaValid = 0;
    qint32 TaPolarityInverted = 0;
    qint32 TaUnsignedItem = 0; // kept, shown by no window
    qint32 TaSignedItem = 0;   // kept, shown by no window
    qint32 LevelFast = 0;      // tenths of dB
    qint32 LevelAvg = 0;
    qint32 TimeFast = 0; // samples
    qint32 TimeAvg = 0;
    qint32 TaState = 0;       // the time-alignment window's TaStatus
    qint32 DeviceDelayUs = 0; // the time-alignment window's TaDeviceDelay
    qint32 AvgErrorNs = 0;
    qint32 FastErrorNs = 0;
    qint32 DelayCorrectionUs = 0;
    qint32 RampActive = 0;
    qint32 RampPercent = 0;
    qint32 AutoHours = 0;
    qint32 AutoMinutes = 0;
    std::array<qint32, 7> TaApplyState{}; // [k] for configuration k = 1..6
    qint32 MultiScanHours = 0;
    qint32 MultiScanMinutes = 0;
    qint32 AutoSampleResolution = 0;

    // (bits tested, bit errors) for P1, P2, P3, (blocks tested, block errors) for PIDS.
    std::array<quint32, HdBerCountCount> BerCounts{};
};

struct THdMeasurementRec
{
    qint32 Peak = 0;
    qint32 Average = 0;
    qint32 Minimum = 0;
    qint32 Injection = 0;
    qint32 Db = 0;
    bool operator==(const THdMeasurementRec&) const = default;
};

// The time-alignment links to external audio processors, six configurations
// and the multi-scan list. Index k - 1 holds configuration or entry k.
struct TTimeAlignConfigTable
{
    using Six = std::array<qint32, HdTaConfigCount>;
    qint32 CurrentConfig = 0; // 1..6
    Six Mode{}, DelayCenterS{}, DelayCenterMs{}, DelayCenterUs{}, Rate{}, Ramp{}, Offset{};
    Six Field7{}; // filled from the unit, shown by no window
    Six Device{};
    std::array<QString, HdTaConfigCount> User, Password;
    Six IpOctet1{}, IpOctet2{}, IpOctet3{}, IpOctet4{};
    Six PortDigit1{}, PortDigit2{}, PortDigit3{}, PortDigit4{}, PortDigit5{};
    Six Connect{};
    qint32 ScanMode = 0;
    std::array<qint32, HdScanEntries> ScanFreq{}, ScanTime{};

    // The numeric field f (0..20; 9 and 10 are the strings) of configuration
    // index c (0..5), or null.
    qint32* field(int f, int c);
    // Multi-scan word w: 0 the mode, 1..6 the frequencies, 7..12 the times.
    qint32* scanWord(int w);

    bool operator==(const TTimeAlignConfigTable&) const = default;
};

struct THdEmailSettings
{
    std::array<QString, 8> Address;
    QString ProxyIp;
    QString ProxyPort;
    std::array<qint32, 8> GroupWord{}; // the eight e-mail group words
    std::array<QString, 4> Subject;

    // The string a "PS" id 1024..1037 names, or null.
    QString* stringFor(int id);
    bool operator==(const THdEmailSettings&) const = default;
};

// A history or diagnostic area the unit fills chunk by chunk.
struct THistoryDataRec
{
    explicit THistoryDataRec(int size)
        : Data(size_t(size), 0)
    {}
    qint32 Id = 0;
    qint32 Type = 0;
    qint32 Len = 0;
    qint32 Index = 0;
    bool New = false; // set by the last chunk; only the windows clear it
    std::vector<quint8> Data;
};

enum THdRequestKind : qint32
{
    rqSetParameter = 0,    // "CC"
    rqAction = 1,          // "PB"
    rqStringParameter = 2, // "PS"
    rqHistory = 3,         // "SH"
    rqDiagnostic = 4,      // "DD"
    rqRawLine = 99,        // Text, sent unchanged
};

struct TRequestRec
{
    bool Pending = false;
    qint32 Kind = rqSetParameter;
    qint32 Id = 0;
    std::array<quint8, 4> Value{}; // B0..B3; the lines use B3 only
    QByteArray Text;
};

// Reassembly of the artist-experience object that "L" chunks carry.
struct THdObjectStream
{
    bool Started = false; // a position-0 chunk began the object
    bool Refused = false; // a cap refused it; later chunks are ignored
    qint32 Total = 0;     // header plus data bytes
    qint32 LastKey = -1;  // sub-kind/sequence and position of the last chunk
    qint64 LastPosition = -1;
    QByteArray Header; // the 256 header bytes
    QByteArray Data;   // the file bytes, Size of them
    quint16 Checksum = 0;
    void reset() { *this = THdObjectStream{}; }
};

struct THdData
{
    THdData()
        : HistoryData(HdHistoryBytes)
        , DiagnosticData(HdDiagnosticBytes)
    {}

    // Identification, from the reply to "UI".
    quint8 HdUnitType = 0; // 1 Vren1, 2 Prak1
    QString HdUnitDescription;
    QString HdModelName;
    bool HdHasLcd = false;
    quint8 HdLcdType = 0; // 1 HANTRONIX, 2 KYOCERA
    QString SoftwareVersion;
    QString HdBootVersion;
    QString HdLanVersion;
    bool HdFirmwareUpToDate = false;

    // The current block awaits decoding.
    bool DecodePending = false;

    // Decoded from every block.
    std::array<qint32, HdAudioLevelCount> HdAudioLevels{};
    qint32 HdStatus = 0;
    std::array<qint32, 2> HdAlarmMasks{}; // red, yellow
    THdServiceRec HdService;
    std::array<THdMeasurementRec, HdMeasurementCount> HdMeasurements{};
    std::array<qint32, HdSpectrumPoints> HdSpectrum{}; // tenths of dB
    std::array<qint32, HdSpectrumPowerCount> HdSpectrumPower{};
    qint32 HdBlockType = 0;
    QByteArray HdTextLine; // the echoed request line of an S-protocol block
    bool HdTextLineNew = false;

    // Settings, as the unit last reported them and as the windows edit them.
    HdConfigRecord HdUnitConfig;
    HdConfigRecord HdLocalConfig;
    std::array<qint32, HdUnitRecordItems> HdUnitRecord{};
    std::array<qint32, HdUnitRecordItems> HdLocalUnitRecord{};
    TTimeAlignConfigTable TimeAlignReceived;
    TTimeAlignConfigTable TimeAlignConfigs;
    THdEmailSettings HdEmailReceived;
    THdEmailSettings HdEmailSettings;
    bool HdEmailAddressesReceived = false; // the first mark
    bool HdEmailServerReceived = false;    // the second mark
    qint32 ActiveConfigNumber = 0;         // the current time-alignment configuration - 1
    std::array<qint32, HdTableWords> HdReceivedTable{};
    std::array<qint32, HdTableWords> HdLocalTable{};
    bool HdTableCopied = false;
    THistoryDataRec HistoryData;
    THistoryDataRec DiagnosticData;

    // Requests to the decoder.
    bool HdUpdateLocalConfig = false;
    bool UpdateLocalTables = false;
    bool HdUpdateTimeAlign = false;
    bool HdUpdateEmail = false;
    bool HdReloadConfigNext = false;
    bool HdReloadTimeAlignNext = false;
    bool HdBarScaleRefreshNext = false;

    // Requests to the unit.
    TRequestRec RequestDraft;
    std::array<TRequestRec, HdRequestSlots> RequestQueue{};
    qint32 RequestCount = 0;

    // Data services.
    THD_XHDR_Data XhdrData;
    THD_COMR_Data ComrData;
    THD_SIG_Data SigData;
    THD_AE_Object AEObject;
    THD_AE_Data AEData;
    THdObjectStream AEStream;
    THD_AE_EventList AEEventList;
    quint32 SigSum = 0;       // the sum of the last SIG message
    qint32 HdBadBlockRun = 0; // refused blocks in a row
    // Blocks decoded since the connection was made (what a load figure counts).
    quint64 HdBlocksDecoded = 0;
    // What the receiver had to throw away since polling started.
    TBlockDrops HdDrops;

    // Empties every data-service holder: a new connection or a new station.
    void ResetDataObjects();
};
