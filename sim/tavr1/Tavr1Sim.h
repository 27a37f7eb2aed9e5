#pragma once

#include "protocol/tavr1/Tavr1BlockLayout.h"
#include "sim/peer/SimDrift.h"
#include "sim/peer/SimLineUnit.h"
#include "sim/tavr1/Tavr1Block.h"

#include <QDateTime>

// A simulated Tavr1 unit: its side of the login, identification and polling
// dialogue, its data blocks with the settings tail, RDS tail and table tail in
// rotation, the echo of every accepted setting, and switches for the faults a
// real link shows.
class Tavr1Sim : public SimLineUnit
{
    Q_OBJECT
public:
    explicit Tavr1Sim(QObject* parent = nullptr);

    // A unit with the SNMP option (option letter "C").
    static QByteArray revisionCIdentification()
    {
        return "Tavr-1 SN(123456) SW(01.18,01.20) OPT(1) REV(1:C 2:B 3:B) SOM(1.05)";
    }

    // What the blocks carry.
    Tavr1BlockFields fields;  // measurements, spectrum, lamps, masks, RDS, table
    Tavr1ConfigRecord config; // the unit's settings, sent in every settings tail
    // The spectrum follows the page item 0 names: a hump around the carrier
    // on RF, a pilot line on composite, two tones on audio. false: the blocks
    // carry fields.spectrum whatever the page.
    bool spectrumFollowsPage = true;
    // The 509 values the unit sends for a page (0 RF, 1 composite, 2 audio).
    static std::array<qint32, 509> pageSpectrum(int page);
    QDateTime stamp; // the unit's clock under the S protocol (now when null)
    // An alarm test lights alarm 1 in the first mask word for this many blocks.
    static constexpr int AlarmTestBlocks = 4;
    // Readings and spectrum drift slowly and jitter from block to block, as
    // on air, so histograms fill many bins and plots move. Repeatable: the
    // same blocks every run.
    bool vary = false;
    // Readings a station on air shows: modulation near 100 %, a 9 % pilot,
    // peak above average above minimum, levels in dB below zero. Without it
    // every reading is distinct, so a swapped field shows.
    void lookLikeAStation();

    // Faults.
    bool noMarker = false;    // blocks without their start marker
    bool echoSettings = true; // false: accepted settings are never echoed

    static Tavr1ConfigRecord defaultConfig();

    int blocksSent() const { return m_blocksSent; }
    int settingsBlocksSent() const { return m_settingsBlocksSent; }
    int badChecksums() const { return m_badChecksums; }
    // The "CC" and "PB" lines received, in order.
    QList<QByteArray> commandLines() const { return m_commandLines; }
    // The kind of the tail the next block carries: 0, 1, 0, 1 ... with the
    // table (18) every tenth block.
    int nextTailKind() const;

signals:
    void blockSent(int tailKind);

protected:
    void handleUnitLine(const QByteArray& line) override;
    QByteArray nextBlock() override;
    int blockLength() const override { return Tavr1BlockLength; }

private:
    void applySetting(const QByteArray& line);
    void applyAction(const QByteArray& line);
    void applySpectrumRules(int code);
    void varyFields(Tavr1BlockFields& f);

    int m_blocksSent = 0;
    int m_settingsBlocksSent = 0;
    int m_badChecksums = 0;
    int m_alarmTestBlocks = 0;
    Tavr1Echo m_pendingEcho;
    SimDrift m_drift;
    QList<QByteArray> m_commandLines;
};
