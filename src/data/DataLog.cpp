#include "data/DataLog.h"

#include "common/TDateTime.h"
#include "common/WholeFile.h"

#include <QDir>
#include <QFileInfo>
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

void TReader::scan(const std::function<QByteArray(qint64, int)>& read, qint64 size)
{
    m_times.clear();
    m_damaged = 0;
    const qint64 n = size / RecordSize;
    m_trailing = int(size - n * RecordSize);
    m_times.reserve(std::size_t(n));
    // Read in runs of records: a day's file is scanned in a few dozen reads.
    constexpr qint64 RunRecords = 4096;
    for (qint64 i = 0; i < n;) {
        const qint64 want = qMin(RunRecords, n - i);
        const QByteArray run = read(i * RecordSize, int(want * RecordSize));
        const qint64 got = run.size() / RecordSize;
        for (qint64 j = 0; j < got; ++j) {
            const double t = recordTime(run.constData() + j * RecordSize);
            if (std::isnan(t))
                ++m_damaged;
            m_times.push_back(t);
        }
        if (got < want)
            break; // the file shrank while it was read: what was read stands
        i += got;
    }
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
    scan(
        [this](qint64 offset, int size) {
            if (!m_file.seek(offset))
                return QByteArray();
            return m_file.read(size);
        },
        m_file.size());
    return true;
}

void TReader::openBytes(const QByteArray& bytes)
{
    close();
    m_bytes = bytes;
    m_inMemory = true;
    scan([this](qint64 offset, int size) { return m_bytes.mid(offset, size); }, m_bytes.size());
}

void TReader::close()
{
    m_file.close();
    m_bytes.clear();
    m_inMemory = false;
    m_times.clear();
    m_trailing = 0;
    m_damaged = 0;
}

double TReader::time(int i) const
{
    if (i < 0 || i >= count())
        return Nan;
    return m_times[std::size_t(i)];
}

bool TReader::isDamaged(int i) const
{
    return std::isnan(time(i));
}

QByteArray TReader::record(int i)
{
    if (i < 0 || i >= count())
        return {};
    const qint64 offset = qint64(i) * RecordSize;
    if (m_inMemory)
        return m_bytes.mid(offset, RecordSize);
    if (!m_file.isOpen() || !m_file.seek(offset))
        return {};
    return m_file.read(RecordSize);
}

} // namespace DataLog
