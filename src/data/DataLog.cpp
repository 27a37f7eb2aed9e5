#include "data/DataLog.h"

#include "common/TDateTime.h"
#include "common/WholeFile.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace DataLog {

namespace {

constexpr double Nan = std::numeric_limits<double>::quiet_NaN();
constexpr double FourHours = 1.0 / 6.0;

double recordTime(const char* record)
{
    if (quint8(record[0]) != LengthByte)
        return Nan;
    return TDateTimeDaysFromBytes(record + TimeOffset).value_or(Nan);
}

} // namespace

QByteArray MakeRecord(const QByteArray& entry)
{
    QByteArray r(RecordSize, '\0');
    r[0] = char(LengthByte);
    const int n = int(qMin<qsizetype>(entry.size(), LengthByte));
    std::memcpy(r.data() + 1, entry.constData(), std::size_t(n));
    return r;
}

QString FileStem(const QString& folder, const QString& prefix, const QDateTime& start)
{
    return folder + "/" + prefix + start.toString("'Date..'MM'.'dd'.'yy' Time..'hh'.'mm'.'ss");
}

QString RackExtension(const QString& frameName)
{
    return ".LW" + (frameName.size() >= 8 ? QString(frameName.at(7)) : QString("1"));
}

bool RollsOver(double lastTime, double time)
{
    if (!std::isfinite(lastTime) || !std::isfinite(time))
        return false;
    return std::floor(time - FourHours) > std::floor(lastTime - FourHours);
}

double RecordTime(const QByteArray& record)
{
    if (record.size() < RecordSize)
        return Nan;
    return recordTime(record.constData());
}

// ---- Writer -----------------------------------------------------------------

TWriter::TWriter()
{
    write = [](QFile& f, const char* data, qint64 size) { return f.write(data, size); };
}

TWriter::~TWriter()
{
    close();
}

bool TWriter::openFile(const QString& path, QIODevice::OpenMode mode, QString* reason)
{
    close();
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath())) {
        if (reason)
            *reason = "the folder cannot be made";
        return false;
    }
    m_made = !info.exists();
    m_file.setFileName(path);
    // Unbuffered: a record is on its way to the disk when write returns, and
    // a short write is seen at the call that made it, with its errno.
    if (!m_file.open(mode | QIODevice::Unbuffered)) {
        if (reason)
            *reason = m_file.errorString();
        return false;
    }
    return true;
}

bool TWriter::openRecords(const QString& path, QString* reason)
{
    if (!openFile(path, QIODevice::ReadWrite, reason))
        return false;
    const qint64 whole = m_file.size() / RecordSize * RecordSize;
    if (whole != m_file.size() && !m_file.resize(whole)) {
        if (reason)
            *reason = m_file.errorString();
        m_file.close();
        return false;
    }
    if (!m_file.seek(whole)) {
        if (reason)
            *reason = m_file.errorString();
        m_file.close();
        return false;
    }
    return true;
}

bool TWriter::openText(const QString& path, const QByteArray& line, QString* reason)
{
    if (!openFile(path, QIODevice::WriteOnly | QIODevice::Truncate, reason))
        return false;
    const QByteArray text = line + "\r\n";
    if (!writeAll(text.constData(), text.size(), reason)) {
        m_file.close();
        return false;
    }
    return true;
}

bool TWriter::writeAll(const char* data, qint64 size, QString* reason)
{
    return WriteFully(
        m_file, [this](const char* d, qint64 n) { return write(m_file, d, n); }, data, size,
        reason);
}

bool TWriter::append(const QByteArray& record, QString* reason)
{
    if (!m_file.isOpen()) {
        if (reason)
            *reason = "the file is not open";
        return false;
    }
    const qint64 before = m_file.pos();
    if (writeAll(record.constData(), record.size(), reason))
        return true;
    // Cut the file back so it still ends on a whole record; one this writer
    // made for the record goes, so a disk that stays full fills with no
    // empty logs.
    m_file.close();
    if (before == 0 && m_made)
        QFile::remove(m_file.fileName());
    else
        QFile::resize(m_file.fileName(), before);
    return false;
}

void TWriter::close()
{
    if (m_file.isOpen()) {
        m_file.flush();
        m_file.close();
    }
}

// ---- Reader -----------------------------------------------------------------

void TReader::start(qint64 size)
{
    // A file of more records than an index can count is read as far as one can.
    const qint64 n = size / RecordSize;
    m_count = int(qMin<qint64>(n, std::numeric_limits<int>::max()));
    m_trailing = int(size % RecordSize);
    m_scanned = 0;
    m_damaged = 0;
    m_firstGood = m_lastGood = Nan;
}

bool TReader::open(const QString& path, QString* reason)
{
    close();
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::ReadOnly)) {
        if (reason)
            *reason = m_file.errorString();
        return false;
    }
    start(m_file.size());
    return true;
}

void TReader::openBytes(const QByteArray& bytes)
{
    close();
    m_bytes = bytes;
    m_inMemory = true;
    start(m_bytes.size());
}

void TReader::close()
{
    m_file.close();
    m_bytes.clear();
    m_inMemory = false;
    start(0);
}

QByteArray TReader::read(qint64 offset, qint64 size)
{
    if (m_inMemory)
        return m_bytes.mid(offset, size);
    if (!m_file.isOpen() || !m_file.seek(offset))
        return {};
    return m_file.read(size);
}

bool TReader::scan(int maxRecords)
{
    // Read in runs of records: a day's file is scanned in a few dozen reads.
    constexpr int RunRecords = 4096;
    int left = qMax(0, maxRecords);
    while (left > 0 && m_scanned < m_count) {
        const int want = std::min({RunRecords, left, m_count - m_scanned});
        const QByteArray run = read(qint64(m_scanned) * RecordSize, qint64(want) * RecordSize);
        const int got = int(run.size() / RecordSize);
        for (int j = 0; j < got; ++j) {
            const double t = recordTime(run.constData() + qint64(j) * RecordSize);
            if (std::isnan(t)) {
                ++m_damaged;
            } else {
                if (std::isnan(m_firstGood))
                    m_firstGood = t;
                m_lastGood = t;
            }
        }
        m_scanned += got;
        left -= got;
        if (got < want)
            m_count = m_scanned; // the file shrank while it was read: it ends here now
    }
    return scanned();
}

double TReader::time(int i)
{
    return RecordTime(record(i));
}

bool TReader::isDamaged(int i)
{
    return std::isnan(time(i));
}

QByteArray TReader::record(int i)
{
    if (i < 0 || i >= count())
        return {};
    return read(qint64(i) * RecordSize, RecordSize);
}

} // namespace DataLog
