#pragma once

#include "sim/firmware/DownloadSide.h"
#include "sim/peer/SimPeer.h"

class QTimer;

// The side of a unit that talks in CR-ended text lines and answers with
// blocks (the Tavr1 and the HD units): "HD" wakes it, "SC" asks for its
// prompt and the password follows, "UI" asks who it is, "SD" and "EC" start
// and stop its blocks, and a firmware download runs through the shared
// download side. Each unit adds its own lines and builds its own blocks.
class SimLineUnit : public SimPeer
{
    Q_OBJECT
public:
    enum class Prompt
    {
        Classic,       // "PASSWORD", then the password alone
        SProtocol,     // "SPASSWORD", then "SP" + password; stamped blocks
        ValidClassic,  // no password asked: validReply
        ValidSProtocol // no password asked: "SVALID"
    };

    explicit SimLineUnit(QObject* parent = nullptr);

    // Login.
    QByteArray password = "QUMOR7";
    Prompt prompt = Prompt::Classic;
    QByteArray level = "SUPERVISOR"; // or "OPERATOR", "OBSERVER"
    bool answerPrompt = true;        // false: "SC" goes unanswered
    bool answerPassword = true;      // false: the password goes unanswered
    int levelDelayMs = DefaultReplyDelayMs;
    bool answerIdentification = true;
    QByteArray identification;
    int blockIntervalMs = 250;

    // Faults of the block stream. A test sets them; a fault of the command
    // line sets the same for one block.
    QByteArray garbageBeforeBlocks; // sent before every block
    bool splitBlocks = false;       // each block in two writes, 40 ms apart
    bool doubleBlocks = false;      // two blocks in one write
    int truncateNextAt = 0;         // the next block is cut after n bytes

    bool streaming() const { return m_streaming; }
    // Stops the blocks as "EC" does.
    void stopStreaming();
    // Sends one block at once, with the faults set (tests that want exact
    // control).
    void sendBlock();

    // The unit's side of a firmware download (accepts downloads unless told).
    TSimDownloadSide* download = nullptr;

protected:
    bool sProtocol() const
    {
        return prompt == Prompt::SProtocol || prompt == Prompt::ValidSProtocol;
    }
    void handleLine(const QByteArray& line) final;
    // A line that is none of the login's or the download's.
    virtual void handleUnitLine(const QByteArray& line) = 0;
    // The unit's next block, advancing its rotation, and its usual length.
    virtual QByteArray nextBlock() = 0;
    virtual int blockLength() const = 0;
    // Sends what the unit sends in place of its next block, if anything.
    virtual bool sendInsteadOfBlock() { return false; }
    // A fault of the command line only the unit itself can show (a wrong
    // sum) is about to hit its next block.
    virtual void takeBlockFault(TSimFault) {}
    void startStreaming();

    // What the unit answers "SC" with when it asks no password.
    QByteArray validReply = "VALID";
    // The unit stops its blocks while it takes a download.
    bool quietForDownload = false;

private:
    QTimer* m_blockTimer = nullptr;
    bool m_streaming = false;
    bool m_awaitingPassword = false;
};
