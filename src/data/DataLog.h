#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QString>
#include <QtGlobal>
#include <functional>
#include <vector>

// The data log files of a connection. A rack log is a sequence of 109-byte
// records without a header: the length byte 108, the 100-byte block as
// received and its time as an 8-byte TDateTime. Records are fixed in size, so
// a file cut anywhere keeps every record before the cut, and a reader can
// seek to record n directly.
namespace DataLog {

constexpr int RecordSize = 109;
constexpr int LengthByte = 108;
constexpr int BlockBytes = 100;
constexpr int TimeOffset = 101;
constexpr const char* HdHeaderLine = "DATE,TIME,TOTAL PEAK,TOTAL AVE,TOTAL MIN";

// One record from a ring entry (the 100-byte block and its 8-byte stamp; a
// shorter entry is padded with zeros, a longer one cut at 108 bytes).
QByteArray MakeRecord(const QByteArray& entry);

// The file name stem: folder + "/" + prefix + the start time as
// "Date..MM.dd.yy Time..hh.mm.ss". The caller adds the extension.
QString FileStem(const QString& folder, const QString& prefix, const QDateTime& start);
// ".LW" + the connection number (the eighth character of the frame name).
QString RackExtension(const QString& frameName);

// A new file is started when 04:00 has passed since the last record: the
// days, counted from 04:00, of the two times differ. Times are TDateTime days.
bool RollsOver(double lastTime, double time);

// Appends whole records to one file. A write that fails or falls short (a full
// disk) cuts the file back to its last whole record and closes it, so what is
// on the disk always reads back record by record. A file this writer made and
// that never took a whole record is removed rather than left empty.
class TWriter
{
public:
    // The one call that puts bytes on the disk; a test replaces it to fail
    // partway. Returns the bytes written, or -1 with errno set. The file is
    // unbuffered, so what it returns has reached the system.
    using WriteFn = std::function<qint64(QFile& file, const char* data, qint64 size)>;

    TWriter();
    ~TWriter();
    TWriter(const TWriter&) = delete;
    TWriter& operator=(const TWriter&) = delete;

    // Opens the file for appending, making its folder when missing. An
    // existing file that ends in a partial record is first cut back to whole
    // records, so the records that follow stay aligned. False with the reason
    // on failure.
    bool openRecords(const QString& path, QString* reason);
    // Creates (or replaces) a text file holding exactly the line and its end.
    bool openText(const QString& path, const QByteArray& line, QString* reason);

    // Writes one record and flushes it. On failure the file is cut back and
    // closed; false with the reason.
    bool append(const QByteArray& record, QString* reason);

    void close();
    bool isOpen() const { return m_file.isOpen(); }
    QString path() const { return m_file.fileName(); }

    WriteFn write;

private:
    bool openFile(const QString& path, QIODevice::OpenMode mode, QString* reason);
    // All of data through write (WriteFully); false with the system's reason.
    bool writeAll(const char* data, qint64 size, QString* reason);
    QFile m_file;
    bool m_made = false; // the file did not exist before this writer opened it
};

// What a log file holds. Its whole records and the bytes after them are
// known at the open from its size, and each record is read when asked for, so
// a file of any size costs no memory. Which records are damaged, and the first
// and last good stamps, take a look at every record: scan() takes them a run
// at a time, so a window can scan a large file between its events.
class TReader
{
public:
    bool open(const QString& path, QString* reason);
    // The same over bytes already in memory (the fuzz target and tests).
    void openBytes(const QByteArray& bytes);
    void close();

    int count() const { return m_count; }
    // Bytes after the last whole record.
    int trailingBytes() const { return m_trailing; }

    // Scans up to maxRecords more records; true once every record is scanned.
    bool scan(int maxRecords);
    bool scanned() const { return m_scanned >= m_count; }
    int scannedCount() const { return m_scanned; }
    // Of the records scanned so far: how many are damaged, and the first and
    // last good stamps (NaN while there is none).
    int damagedCount() const { return m_damaged; }
    double firstGoodTime() const { return m_firstGood; }
    double lastGoodTime() const { return m_lastGood; }

    // The time of record i in TDateTime days; NaN for a damaged record (length
    // byte not 108, or a time that is no finite date), one that cannot be
    // read, or an index outside.
    double time(int i);
    bool isDamaged(int i);
    // The whole record i, read from the file; empty when it cannot be read.
    QByteArray record(int i);

private:
    void start(qint64 size);
    QByteArray read(qint64 offset, qint64 size);

    QFile m_file;
    QByteArray m_bytes;
    bool m_inMemory = false;
    int m_count = 0;
    int m_trailing = 0;
    int m_scanned = 0;
    int m_damaged = 0;
    double m_firstGood = 0;
    double m_lastGood = 0;
};

// The TDateTime in the record's last eight bytes, or NaN when the record is
// damaged.
double RecordTime(const QByteArray& record);

} // namespace DataLog
