#pragma once

#include "sim/hd/HdBlock.h"
#include "sim/peer/SimDrift.h"
#include "sim/peer/SimLineUnit.h"

#include <QDateTime>
#include <memory>
#include <optional>

// A simulated HD unit (Vren1 with or without display, Prak1): its side of the
// login, identification and polling dialogue, its blocks with the type parts
// in rotation, the echo of every accepted request, and switches for the
// faults a real link shows.
class HdSim : public SimLineUnit
{
    Q_OBJECT
public:
    enum class Model
    {
        Vren1Lcd,
        Vren1,
        Prak1
    };

    explicit HdSim(QObject* parent = nullptr);
    ~HdSim() override;

    void setModel(Model m);
    bool network = true; // the S-protocol frame carries the echo text only there

    // What the blocks carry; the unit's settings live in unit().HdLocalConfig,
    // its time-alignment table, e-mail settings and unit record beside it.
    THdBlockFields fields;
    THdData& unit() { return *m_unit; }
    QDateTime stamp; // the unit's clock under the S protocol (now when null)
    // Readings and spectrum drift slowly and jitter from block to block, as
    // on air; the same blocks every run.
    bool vary = false;

    // Faults.
    int badChecksums = 0;           // the next n blocks carry a wrong sum
    bool sendNoMarkerBurst = false; // 3000 bytes without a marker instead of a block
    bool unknownTypes = false;      // types 3, 7 and 200 join the rotation
    // XHDR values, an "S" message every tenth block and the "L" chunks of its
    // two pictures (again after about 30 s).
    bool dataServices = true;
    // The primary image's object as the next round sends it: PNG bytes under
    // the JPEG hash (a sound object whose picture cannot be decoded), or one
    // data byte changed after its checksum was taken.
    bool pngUnderJpegHash = false;
    bool corruptObjectByte = false;
    int objectRoundPauseBlocks = 150; // blocks between two rounds of pictures

    // The spectrum the unit measures at its own settings: an analog hump
    // within 100 kHz, the digital sidebands 123 .. 200 kHz either side, and
    // eight power values. false: the blocks carry fields.spectrum unchanged.
    bool spectrumFollowsSettings = false;
    // The RF input (word 4): 0 Antenna, which the unit measures to 1.5 kHz a
    // point at most, else High Level.
    void setRfInput(int input);
    // Spectrum settings a station might leave (the default record fills the
    // words with test patterns): 0.8 dB a step, 1 kHz a point, colour and
    // mask on; and the spectrum follows them.
    void useStationSpectrum();
    std::array<qint32, 509> measuredSpectrum() const;

    static HdConfigRecord defaultConfig();
    // Readings and settings that look like a station on the air (the
    // program's default; the tests keep the distinct values of defaultFields
    // and defaultConfig): every setting inside the range its window offers.
    void lookLikeAStation();

    // The time-alignment status every block reports from now on: the state
    // (2 active, 3 apply required, 5 and 9 errors; one byte on the wire) and
    // the delay measured at the device in microseconds.
    void setTimeAlignStatus(int state, qint32 deviceDelayUs);
    // The apply state of configuration k = 1..6 (one byte; 0 Idle .. 7 No
    // Device, anything above names no state). Another k changes nothing.
    void setApplyState(int k, int state);
    // The two alarm-mask words, bit n - 1 for alarm n (24 bits on the wire);
    // the windows show an alarm of the second word yellow, else one of the
    // first red.
    void setAlarmMasks(quint32 first, quint32 second);

    // A program chosen with "PB" 517 + d becomes the decoder's current one
    // this many blocks later, and only once that program is available in
    // the decoder; until then the decoder keeps playing its old one.
    int currentProgramDelayBlocks = 0;

    // The day history "SH" asks for. Its layout follows the index (Type 3
    // up to 42; 4, 5, 6, 7, 6 for 43 .. 47) and every value follows from the
    // minute, so a test can predict each cell.
    static int historyType(int index);
    static int historyStride(int type);
    static qint32 historyRaw(int type, int minute, int series);
    static QByteArray historyBytes(int index);
    int historyStallAfterChunks = -1; // stop sending after this many chunks
    int historyIdOverride = -1;       // the chunks carry this Id instead
    qint32 historyLenOverride = -1;   // the chunks carry this Len instead
    // "DD" answers with this text (cut to the 2,384-byte area) instead of the
    // numbered lines, when set.
    QByteArray diagnosticText;
    // The diagnostic chunks carry this Len instead of the text's; a Len past
    // the text is covered with chunks to its end, as a unit would send them.
    std::optional<qint32> diagnosticLen;
    // false: a "CC" setting is taken into the unit's record but never echoed.
    bool echoSettings = true;
    // Where P1's bits-tested count starts on "PB" 521 (a value near 2^32
    // shows an unsigned count).
    quint32 berStartBitsP1 = 0;
    bool berCounting() const { return m_berCounting; }

    int blocksSent() const { return m_blocksSent; }
    int badSums() const { return m_badSums; }
    QList<QByteArray> requestLines() const { return m_requestLines; }
    // The block type of the next block.
    int nextType() const;
    // The next block as it would be sent, advancing the rotation.
    QByteArray nextBlock() override;
    // The unit's S-protocol or classic frame around a block.
    QByteArray frame(const QByteArray& block, const QByteArray& echoLine) const;

protected:
    void handleUnitLine(const QByteArray& line) override;
    int blockLength() const override;
    bool sendInsteadOfBlock() override;
    void takeBlockFault(TSimFault fault) override;

private:
    void stationSettings();
    void varyReadings(THdBlockFields& s);
    void applyRequest(const QByteArray& line);
    void applySpectrumRules(int id);
    void fillType(QByteArray& block, int type);
    void fillDataService(THdBlockFields& s);
    QByteArray primaryObject() const;
    void advanceBlockState();

    std::unique_ptr<THdData> m_unit;
    int m_blocksSent = 0;
    SimDrift m_drift;
    int m_rotation = 0;
    int m_badSums = 0;
    quint16 m_echoId = 0xFFFF;
    std::array<quint8, 4> m_echoValue{};
    QByteArray m_echoLine;
    QList<QByteArray> m_requestLines;
    // A running history ("SH") or diagnostic ("DD") answer.
    int m_chunkType = 0; // 0 none, 11, 12
    int m_chunkId = 0;
    int m_chunksSent = 0;
    qint32 m_chunkIndex = 0;
    QByteArray m_chunkData;
    // The chunks of the pictures still to send, and blocks to wait before the next round.
    struct TPendingChunk
    {
        qint32 total;
        qint32 position;
        QByteArray payload;
    };
    QList<TPendingChunk> m_objectChunks;
    int m_objectPause = 0;
    QByteArray m_jpegObject, m_pngObject;
    // A chosen program per decoder (-1 none) and the blocks still to wait.
    std::array<int, 4> m_chosenProgram{-1, -1, -1, -1};
    std::array<int, 4> m_chosenDelay{};
    // Presets 1..6: the tuning each holds (0 never saved).
    std::array<qint32, 7> m_presets{};
    bool m_berCounting = false;
};
