// The connection's data log: one file of fixed-size records per day for a
// rack system, the header-only text file of an HD system.
#include "link/Frame2.h"

#include "common/Enums.h"
#include "common/TDateTime.h"

#include <cmath>

void TFrame2::logFileError(const QString& path, const QString& reason)
{
    LogEvent("Log File Error: " + path + " (" + reason + ")", lkError);
}

void TFrame2::StartLog()
{
    // A log still open (an Apply right after start-up) is closed first, so
    // its file is neither leaked nor left unflushed.
    if (LogOpen)
        StopLog();
    const QDateTime start = now();
    const QString stem = DataLog::FileStem(LogPath, LogPrefix, start);
    QString reason;
    switch (HardwareType) {
    case htRackSystem: {
        const QString path = stem + DataLog::RackExtension(objectName());
        // Marked even when the file fails, so the next 04:00 tries again
        // rather than every block.
        LogDayMark = ToTDateTime(start);
        if (!m_logWriter->openRecords(path, &reason)) {
            logFileError(path, reason);
            return;
        }
        break;
    }
    case htHDSystem: {
        const QString path = stem + ".TXT";
        if (!m_logWriter->openText(path, DataLog::HdHeaderLine, &reason)) {
            logFileError(path, reason);
            return;
        }
        break;
    }
    case htTavr1:
        break;
    default:
        return;
    }
    LogKind = HardwareType;
    LogOpen = true;
}

void TFrame2::StopLog()
{
    if (!LogOpen)
        return;
    // The kind that was opened is closed, whatever the hardware type has
    // become since.
    if (LogKind == htRackSystem || LogKind == htHDSystem)
        m_logWriter->close();
    LogKind = -1;
    LogOpen = false;
}

void TFrame2::LogRackBlock(const QByteArray& entry, const QDateTime& pcTime)
{
    const double time = ToTDateTime(pcTime);
    LogRecord = DataLog::MakeRecord(entry);
    // Days are counted from 04:00; comparing day numbers (not the time of
    // day) also rolls over after a gap of more than a day.
    if (LoggingEnabled && LogKind != htHDSystem && DataLog::RollsOver(LogDayMark, time)) {
        StopLog();
        StartLog();
    }
    if (LoggingEnabled && LogOpen && LogKind == htRackSystem) {
        QString reason;
        if (!m_logWriter->append(LogRecord, &reason)) {
            // The writer has cut the file back to whole records and closed
            // it; nothing more is written until the log is started again.
            logFileError(m_logWriter->path(), reason);
            LogKind = -1;
            LogOpen = false;
        }
    }
    LogDayMark = time;
}
