#pragma once

#include "data/ConnectionConfig.h"
#include "data/DataLog.h"
#include "data/FrameState.h"
#include "protocol/bry1/Bry1Data.h"
#include "protocol/hd/HdData.h"
#include "protocol/rack/RackData.h"
#include "protocol/tavr1/Tavr1Data.h"
#include "protocol/tavr1/Tavr1Receive.h"

#include <QDateTime>
#include <QtNumeric>
#include <QFrame>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>

class IIPClient;
class TDldFile;
class TFirmwareDialogPort;
struct TMeasurementSeries;
class TIPClientForm;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;
class QTreeWidget;

// One connection: its settings, transport, state machine, receive buffers and
// decoded instrument data. Eight of them live on the Connections window for the
// life of the program. Everything here runs on the GUI thread; the family state
// machines run one step per tick of Timer1 and time their waits in ticks.
class TFrame2 : public QFrame,
                public TConnectionSettings,
                public TConnectionState,
                public TTavr1Data,
                public TBry1Data,
                public TRackData,
                public THdData
{
    Q_OBJECT
public:
    // name is the component name, "Connect1".."Connect8".
    explicit TFrame2(const QString& name, QWidget* parent = nullptr);
    ~TFrame2() override;

    // Components.
    QFrame* Panel1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QTreeWidget* ListView1 = nullptr; // hardware list
    QPushButton* ButtonC1 = nullptr;  // Connect
    QPushButton* ButtonC2 = nullptr;  // Configure
    QPushButton* ButtonC3 = nullptr;  // Update
    QPushButton* ButtonC4 = nullptr;  // Disconnect
    QTreeWidget* ListView2 = nullptr; // connection list
    QTimer* Timer1 = nullptr;
    QMenu* PopupMenu1 = nullptr;

    // The TCP client of the network transport.
    IIPClient* Socket = nullptr;

    // Where the Tavr1 block stream stands (the cutter's own record).
    TTavr1Cutter Tavr1Cutter;

    // One step of the state machine of HardwareType. Tests call it directly
    // with the timer stopped.
    void Timer1Timer();
    // Sets the tick interval of the running phase; never 0, which in Qt would
    // mean "on every pass of the event loop".
    void SetTimerInterval(int ms);

    // The clock of the poll pacing and the block times; a test may replace it.
    std::function<QDateTime()> Clock;
    QDateTime now() const { return Clock ? Clock() : QDateTime::currentDateTime(); }

    // The rack's new password, set by the password dialog's owner before it
    // calls StartPasswordChange.
    QString NewPassword;
    // The data log (link/FrameLog.cpp). StartLog opens a new log for the
    // hardware type (closing an open one first), StopLog closes the kind that
    // is open, LogRackBlock writes one received rack block (the 108-byte
    // entry) and starts a new file when 04:00 has passed. A rack log that
    // failed is tried again, in a new file, at the first block at least
    // LogRetrySeconds after the failure, for as long as logging is enabled.
    void StartLog();
    void StopLog();
    void LogRackBlock(const QByteArray& entry, const QDateTime& pcTime);
    static constexpr int LogRetrySeconds = 30;
    // The writer of the open log file; tests replace its write call.
    DataLog::TWriter& logWriter() { return *m_logWriter; }
    // The hardware type the open log was started for, -1 when none is.
    int LogKind = -1;
    // The time of the last record (TDateTime days), NaN before the first.
    double LogDayMark = qQNaN();
    QByteArray LogRecord;

    // Configuration file (CONFIG/<name>.CFG). A file that was there at the
    // load but could not be read holds settings nobody has seen: the frame
    // runs on the defaults and the program's own saves leave the file alone
    // (SaveConfiguration says so in *error) until the user saves.
    QString ConfigFilePath() const;
    void LoadConfiguration();
    bool SaveConfiguration(QString* error = nullptr);
    // The user's Save in Configure: writes the file in every case.
    bool SaveConfigurationByUser(QString* error = nullptr);
    bool ConfigFileKept = false;

    // Transport.
    void OpenConnection();
    void CloseConnection();
    int ConfigureSerialPort(int port);
    void ReportPortResult(int code);
    void ReleaseSerialPort(int port);
    // Raises or drops DTR of the modem port (a modem connection only).
    void SetModemDTR(bool on);
    void ClearReceive();
    // The line reads keep only the newest LineReadKeepBytes of RxBuffer,
    // which hold any prompt or reply.
    static constexpr qsizetype LineReadKeepBytes = 4096;
    QByteArray ReadUntilMarker();
    QByteArray ReadUntilMarkerOrFF();
    QByteArray ReadUntilCrLf();
    QByteArray ReadUntilCr();
    // Takes whatever has arrived (at most maxSerialBytes from a serial port;
    // everything waiting when it is 0 or less) into RxBuffer and returns the
    // new bytes.
    QByteArray GatherReceived(int maxSerialBytes);
    // The serial path of the Bry1 link, which reads by the count of bytes
    // waiting: that count, and up to n of those bytes read without touching
    // RxBuffer. A device that went away is reported once, as GatherReceived
    // does; what it left behind is dropped, as it can never grow into a block.
    int SerialBytesWaiting();
    QByteArray ReadSerialBytes(int n);
    // Writes the bytes unchanged, without a terminator, and pushes them out at
    // once. Does nothing while the transport is not open.
    void SendCommand(const QByteArray& bytes);
    // Whether this frame holds an open transport it can write to.
    bool TransportOpen() const;

    // True when it sent the instrument its sign-off.
    bool SignOff();
    void RequestExit();
    void StartPasswordChange();
    void StartConnect();
    void StartDisconnect();
    void StartFirmwareTransfer();
    void StartNetworkModuleTransfer();
    void StartSomTransfer();
    // Acts only while this frame transfers firmware: 1..3 fail the
    // transfer (step 99), 4 cancels it (step 98).
    void AbortTransfer(int kind);

    // Firmware transfers (the senders are in link/FirmwareSender.cpp).
    // This frame streams firmware now: an HD frame in state 3 or 5, a Tavr1
    // frame in 3, 5 or 9 (other families use those numbers for the login).
    bool FirmwareTransferRunning() const;
    // Any of the program's frames streams firmware: one transfer at a time.
    static bool AnyFirmwareTransferRunning();
    // The update dialog bound to this frame; null once it is gone.
    void BindFirmwareDialog(TFirmwareDialogPort* dialog);
    TFirmwareDialogPort* FirmwareDialog() const;
    // The file of the next transfer, read and checked at the click; every
    // end of a transfer releases it.
    void SetFirmwareFile(std::unique_ptr<TDldFile> file, const QString& path);
    const TDldFile* FirmwareFile() const { return m_firmwareFile.get(); }
    QString FirmwareFilePath() const { return m_firmwareFilePath; }
    void CloseFirmwareFile();
    // The dialog the login opened was closed without a transfer.
    void FirmwareUpdateDeclined();
    // Releases the port or socket without the rest of CloseConnection, which
    // would end the state machine (the unit resets after "UL"/"UC").
    void ReleaseTransport();
    // Sets the rate of the serial port this frame holds (HD after an update).
    void SetHeldPortBaud(int code);
    // A consuming read: gathers what arrived, takes everything through the
    // first CR out of RxBuffer and returns it without the CR (NUL read as
    // "X"; at most its newest LineReadKeepBytes); nothing while no CR has
    // come. Text without a CR is kept to its newest LineReadKeepBytes, and
    // lines waiting to be taken to their newest TakeLineBacklogBytes.
    std::optional<QByteArray> TakeLine();
    static constexpr qsizetype TakeLineBacklogBytes = 64 * 1024;
    bool IsRackActive() const;
    // Stops the state machine's ticks (shut-down).
    void StopTimer();

    // Displays.
    void RefreshStatusText();
    void RefreshConnectionList();
    void RefreshHardwareList();
    static QString StatusText(int status, int blocksSinceDisplay);

    // Event log.
    void LogEvent(const QString& message, int kind);
    // A line of the LOT event list (kind 0 invalid object, 1 complete object,
    // 2 XHDR trigger, 3 XHDR logo), newest first.
    void LogObjectEvent(const QString& objectText, int kind);

    // Where this connection keeps a measurement (link/MeasurementSeries.h).
    TMeasurementSeries GetMeasurementSeries(int family, int instrument, int channel) const;

    // Socket handlers.
    void SocketConnected();
    void SocketFailed();
    void SocketDataReady();

signals:
    // One measurement block went into the history. Sent for every block,
    // also when a tick decodes several and the windows hear of them in one
    // refresh, so a window that counts samples sees each block's values.
    void measurementDecoded();

private:
    void buildUi(const QString& name);
    // No unit is known and the transport counts as closed.
    void forgetDetectedUnits();
    void OpenSocket();
    void CloseSocket();
    int activeSerialPort() const;
    void gatherLine(int maxSerialBytes);
    QByteArray readWithMarker(const QByteArray& marker);
    // The port failed with code: it is no longer held and the failure is shown.
    void serialDeviceLost(int code);

    TIPClientForm* m_client = nullptr;
    // What TakeLine has looked through: the leading bytes of RxBuffer
    // without a CR, and the buffer's size when it left it.
    qsizetype m_takeLineScanned = 0;
    qsizetype m_takeLineSize = 0;
    std::unique_ptr<TDldFile> m_firmwareFile;
    QString m_firmwareFilePath;
    QPointer<QObject> m_firmwareDialogObject;
    TFirmwareDialogPort* m_firmwareDialog = nullptr;
    // The serial port this frame opened, or -1. Another frame configured for the
    // same port number never writes to, reads from or releases it.
    int m_heldSerialPort = -1;
    std::unique_ptr<DataLog::TWriter> m_logWriter;
    // When the running series of log failures last failed; invalid while the
    // log writes (or was stopped on purpose).
    QDateTime m_logFailedAt;
    void logFailed(const QString& path, const QString& reason, const QDateTime& when);
    void logResumed(const QString& path);
    void closeLog();
    bool logRetryDue(const QDateTime& time) const;
};
