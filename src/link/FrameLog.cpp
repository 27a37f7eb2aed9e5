// The connection's data log: one file of fixed-size records per day for a
// rack system, the header-only text file of an HD system.
#include "link/Frame2.h"

#include "common/Enums.h"
#include "common/TDateTime.h"

#include <cmath>

void TFrame2::logFailed(const QString& path, const QString& reason, const QDateTime& when)
{
    // One line for a run of failures, however many blocks and retries it
    // lasts; the engineer hears again when logging resumes.
    if (!m_logFailedAt.isValid())
        LogEvent("Log File Error: " + path + " (" + reason + ")", lkError);
    m_logFailedAt = when;
}

void TFrame2::StartLog()
{
    // A log still open (an Apply right after start-up) is closed first, so
    // its file is neither leaked nor left unflushed.
    if (LogOpen)
        closeLog();
    const QDateTime start = now();
    const QString stem = DataLog::FileStem(LogPath, LogPrefix, start);
    QString path, reason;
    switch (HardwareType) {
    case htRackSystem:
        path = stem + DataLog::RackExtension(objectName());
        // Marked even when the file fails: the retry, not every block, tries
        // again.
        LogDayMark = ToTDateTime(start);
        if (!m_logWriter->openRecords(path, &reason)) {
            logFailed(path, reason, start);
            return;
        }
        break;
    case htHDSystem:
        path = stem + ".TXT";
        if (!m_logWriter->openText(path, DataLog::HdHeaderLine, &reason)) {
            logFailed(path, reason, start);
            return;
        }
        break;
    case htTavr1:
        break;
    default:
        return;
    }
    LogKind = HardwareType;
    LogOpen = true;
    // A rack log has resumed only once a record is on the disk: a full disk
    // still lets a new file be made.
    if (LogKind != htRackSystem)
        logResumed(path);
}

void TFrame2::logResumed(const QString& path)
{
    if (m_logFailedAt.isValid()) {
        m_logFailedAt = {};
        LogEvent("Log File Resumed: " + path, lkStatus);
    }
}

void TFrame2::closeLog()
{
    // The kind that was opened is closed, whatever the hardware type has
    // become since.
    if (LogKind == htRackSystem || LogKind == htHDSystem)
        m_logWriter->close();
    LogKind = -1;
    LogOpen = false;
}

void TFrame2::StopLog()
{
    // Stopping on purpose also ends a run of failures: a log started again
    // later reports its own.
    m_logFailedAt = {};
    if (LogOpen)
        closeLog();
}

bool TFrame2::logRetryDue(const QDateTime& time) const
{
    if (!m_logFailedAt.isValid())
        return false;
    const qint64 since = m_logFailedAt.secsTo(time);
    // A clock set back would otherwise hold the log shut until it caught up.
    return since >= LogRetrySeconds || since < 0;
}

void TFrame2::LogRackBlock(const QByteArray& entry, const QDateTime& pcTime)
{
    const double time = ToTDateTime(pcTime);
    LogRecord = DataLog::MakeRecord(entry);
    if (LoggingEnabled && LogKind != htHDSystem) {
        if (!LogOpen && logRetryDue(pcTime)) {
            // A new file, named for now, so the gap shows in the names.
            StartLog();
        } else if (!m_logFailedAt.isValid() && DataLog::RollsOver(LogDayMark, time)) {
            // Days are counted from 04:00; comparing day numbers (not the
            // time of day) also rolls over after a gap of more than a day.
            closeLog();
            StartLog();
        }
    }
    if (LoggingEnabled && LogOpen && LogKind == htRackSystem) {
        QString reason;
        if (m_logWriter->append(LogRecord, &reason)) {
            logResumed(m_logWriter->path());
        } else {
            // The writer has cut the file back to whole records and closed
            // it; a new file is tried LogRetrySeconds on.
            logFailed(m_logWriter->path(), reason, pcTime);
            LogKind = -1;
            LogOpen = false;
        }
    }
    LogDayMark = time;
}
