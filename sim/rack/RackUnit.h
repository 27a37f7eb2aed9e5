#pragma once

#include "sim/peer/SimFaults.h"
#include "sim/rack/RackRecords.h"
#include "sim/rack/RdsScript.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QMap>
#include <functional>
#include <vector>

// The rack's side of the dialogue, with no transport: bytes come in through
// take(), answers leave through the output callback. Commands end in FE; a
// lone FF is the poll.
class RackUnit
{
public:
    enum class Prompt
    {
        Password,  // "PASSWORD"
        SPassword, // "SPASSWORD": 00 + password, stamped blocks
        Valid,     // "VALID": no password asked
        SValid,    // "SVALID"
    };
    // Where the rack falls silent.
    enum class Silence
    {
        None,
        Prompt,
        Password,
        Identification,
        DownloadLine, // line silentLine (1-based)
        PasswordChange,
        Polls,
    };

    explicit RackUnit(int family = rkFM);

    std::function<void(const QByteArray&)> output;
    // The second write of a split answer, a while after the first.
    std::function<void(const QByteArray&)> outputLater;
    // The fault the next block carries, asked once a block; and the start
    // of the data mode, told once a login.
    std::function<std::optional<TSimFault>()> nextFault;
    std::function<void()> loggedIn;

    // Settings.
    RackRecords records;
    QByteArray controller = "Nuva1";
    Prompt prompt = Prompt::Password;
    QMap<int, QByteArray> passwords{{3, "QUMOR7"}, {2, "OPER"}, {1, "OBSERV"}};
    bool programCurrent = false;
    int blocksPerPoll = 1;
    bool pairs = false; // FM: send kind 11 / kind 10 pairs even without the RDS stream
    QDateTime stamp;    // the unit's clock under the S protocol (now when null)
    // The Lyn1's groups while its RDS stream is on (08 01 FE .. 08 00 FE).
    RdsScript rds = RdsScript::builtIn();

    // Faults.
    Silence silence = Silence::None;
    int silentLine = 0;
    int badChecksumLine = 0;  // answer BAD CHECKSUM for this line ...
    int badChecksumTimes = 0; // ... this many times
    bool badFinalChecksum = false;
    bool refusePasswordChange = false;
    bool badBlockSum = false;
    int truncateNextBlock = 0; // send only this many bytes of the next block
    QByteArray garbageBeforeBlocks;
    bool doubleBlocks = false;      // every poll answered with one block more
    bool unknownMarkerNext = false; // the next block carries FF FE FD 30
    bool dropNextFirstHalf = false;

    void take(const QByteArray& bytes);

    bool dataMode() const { return m_dataMode; }
    bool rdsStreaming() const { return m_rdsStream; }
    bool sProtocol() const { return prompt == Prompt::SPassword || prompt == Prompt::SValid; }
    // Every command received (up to and with its FE), and each poll as FF.
    QList<QByteArray> commands() const { return m_commands; }
    int polls() const { return m_polls; }
    int signOffs() const { return m_signOffs; }
    int blocksSent() const { return m_blocksSent; }
    QList<QByteArray> downloadLines() const { return m_lines; }
    QList<QByteArray> moduleCommands() const { return m_moduleCommands; }
    // The blocks of the next poll (tests and the corpus writer use them too).
    QByteArray nextBlocks();
    QByteArray lastStampBytes() const { return m_lastStamp; }

private:
    void command(const QByteArray& cmd);
    void answer(const QByteArray& text, const char* end = "\xF0\xF1");
    void download(const QByteArray& cmd);
    bool moduleCommand(const QByteArray& cmd);
    QByteArray finish(QByteArray block);
    void nextRdsGroups();
    // Kelb1: show the item at a menu position; enter or leave the settings page.
    void kelb1ShowPosition(int position);
    void kelb1SelectPage(bool settings);

    QByteArray m_in;
    QList<QByteArray> m_commands;
    QList<QByteArray> m_lines;
    QList<QByteArray> m_moduleCommands;
    bool m_dataMode = false;
    bool m_awaitingPassword = false;
    int m_level = 0;
    int m_passwordChange = 0; // 1 level asked, 2 new asked, 3 verify asked
    QByteArray m_newPassword;
    int m_linesAccepted = 0;
    bool m_allAccepted = true;
    int m_badAnswers = 0;
    int m_polls = 0;
    int m_signOffs = 0;
    int m_blocksSent = 0;
    bool m_rdsStream = false;
    int m_kelb1Return = 7;
    bool m_pendingSecondHalf = false;
    int m_extraBlocks = 0; // blocks a doubled one adds to this answer
    bool m_splitNext = false;
    qsizetype m_splitAt = 0; // where the answer is split, 0 not at all
    TRackModuleRecord m_pairRecord;
    QByteArray m_lastStamp;
};

// The Kelb1 module's menu order (item by position 0..40) with its option bits.
std::vector<int> SimKelb1MenuOrder(int optionBits);

// A module takes a set-value as it does from its own keys: the setting, the
// bit of a Boolean item in its bit word, and the echo of the item in its next
// record.
void SimApplySetting(SimModule m, SimModuleState& s, int item, int value);

// Whether an S-record line's count, address, data and checksum bytes add up
// to FF.
bool SRecordSumOk(const QByteArray& line);
