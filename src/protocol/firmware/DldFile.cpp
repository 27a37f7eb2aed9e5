#include "protocol/firmware/DldFile.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <algorithm>

std::optional<double> ParseVersionText(const QString& text, TVersionError* error)
{
    auto fail = [&](TVersionError e) -> std::optional<double> {
        if (error)
            *error = e;
        return std::nullopt;
    };
    const qsizetype dot = text.indexOf('.'); // 0-based; 1-based position is dot + 1
    if (dot < 0 || dot + 1 < 3)
        return fail(TVersionError::NoPoint);
    bool ok = false;
    const double v = QLocale::c().toDouble(text.mid(dot - 2, 5).trimmed(), &ok);
    if (!ok)
        return fail(TVersionError::NotANumber);
    if (error)
        *error = TVersionError::None;
    return v;
}

QString FindFileIgnoringCase(const QString& folder, const QString& name)
{
    QDir dir(folder);
    const QStringList entries = dir.entryList(QDir::Files);
    for (const QString& e : entries) {
        if (e.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(e);
    }
    return dir.filePath(name);
}

namespace {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// The byte written as two hex digits at line[at], or -1.
int hexByte(QByteArrayView line, qsizetype at)
{
    const int hi = hexDigit(line[at]);
    const int lo = hexDigit(line[at + 1]);
    return hi < 0 || lo < 0 ? -1 : hi * 16 + lo;
}

int addressBytes(int type)
{
    switch (type) {
    case 2:
    case 6:
    case 8:
        return 3;
    case 3:
    case 7:
        return 4;
    default: // 0, 1, 5, 9
        return 2;
    }
}

QByteArray hex4(quint16 v)
{
    return QByteArray::number(v, 16).toUpper().rightJustified(4, '0');
}

// A count line: decimal digits only, 1..65535.
bool parseCount(QByteArrayView text, int* count)
{
    const QByteArrayView t = text.trimmed();
    if (t.isEmpty())
        return false;
    int v = 0;
    for (char c : t) {
        if (c < '0' || c > '9')
            return false;
        v = std::min(v * 10 + (c - '0'), 65536); // leading zeros are fine
    }
    if (v < 1 || v > 65535)
        return false;
    *count = v;
    return true;
}

int versionLines(TDldHeaderForm form)
{
    return form == TDldHeaderForm::MainFirmware ? 2 : 1;
}

void setVersion(TDldHeader* header, TDldHeaderForm form, int index, const QString& text)
{
    if (form == TDldHeaderForm::NetworkModule || index == 1)
        header->MainVersion = text;
    else
        header->BootVersion = text;
}

} // namespace

std::optional<TSRecord> ParseSRecord(QByteArrayView line)
{
    if (line.size() < 4 || line[0] != 'S')
        return std::nullopt;
    const char t = line[1];
    if (t < '0' || t > '9' || t == '4')
        return std::nullopt;
    TSRecord r;
    r.Type = t - '0';
    const int count = hexByte(line, 2);
    const int width = addressBytes(r.Type);
    // The count covers the address, the data and the checksum byte.
    if (count < width + 1 || line.size() != 4 + 2 * qsizetype(count))
        return std::nullopt;
    r.ByteCount = count;
    unsigned sum = unsigned(count);
    QByteArray bytes(count, Qt::Uninitialized);
    for (int i = 0; i < count; ++i) {
        const int b = hexByte(line, 4 + 2 * qsizetype(i));
        if (b < 0)
            return std::nullopt;
        bytes[i] = char(b);
    }
    for (int i = 0; i < width; ++i) {
        r.Address = (r.Address << 8) | quint8(bytes[i]);
        sum += quint8(bytes[i]);
    }
    r.Data = bytes.mid(width, count - width - 1);
    for (char b : std::as_const(r.Data))
        sum += quint8(b);
    r.Checksum = quint8(bytes[count - 1]);
    r.ChecksumGood = quint8(~sum) == r.Checksum;
    return r;
}

QByteArray BuildPageLine(quint16 count)
{
    return "PG" + hex4(count) + "\r";
}

QByteArray TDldFile::DataLine(int index) const
{
    if (index < 0 || index >= lines.size())
        return {};
    const Span& s = lines[index];
    return bytes.mid(s.begin, s.length);
}

void TDldFile::Clear()
{
    Header = {};
    ErrorLine = 0;
    bytes.clear();
    lines.clear();
}

TDldError ReadDldFile(QByteArrayView input, TDldHeaderForm form, TDldFile* file)
{
    file->Clear();
    if (input.size() > TDldFile::MaxBytes)
        return TDldError::TooLarge;
    file->bytes = input.toByteArray();
    const QByteArray& b = file->bytes;
    const int headerLines = 1 + versionLines(form);
    int lineNumber = 0;
    qsizetype pos = 0;
    auto fail = [&](TDldError e) {
        const int at = lineNumber;
        file->Clear();
        if (e == TDldError::BadRecord)
            file->ErrorLine = at;
        return e;
    };
    while (pos < b.size()) {
        qsizetype end = b.indexOf('\n', pos);
        const bool terminated = end >= 0;
        if (!terminated)
            end = b.size();
        qsizetype length = end - pos;
        if (length > 0 && b[pos + length - 1] == '\r')
            --length;
        const QByteArrayView text(b.constData() + pos, length);
        const qsizetype next = terminated ? end + 1 : end;
        ++lineNumber;
        if (lineNumber == 1) {
            if (!parseCount(text, &file->Header.LineCount))
                return fail(TDldError::BadCount);
        } else if (lineNumber <= headerLines) {
            setVersion(&file->Header, form, lineNumber - 2,
                       QString::fromLatin1(text.toByteArray()).trimmed());
        } else if (text.trimmed().isEmpty()) {
            // blank lines carry nothing for the unit
        } else if (text == "\x1A" && next >= b.size()) {
            break; // the end-of-file mark some editors leave
        } else if (!ParseSRecord(text)) {
            return fail(TDldError::BadRecord);
        } else {
            if (file->lines.size() >= 65535)
                return fail(TDldError::TooManyLines);
            file->lines.append({pos, length});
        }
        pos = next;
    }
    if (lineNumber == 0)
        return fail(TDldError::BadCount);
    return TDldError::None;
}

TDldError ReadDldFile(QIODevice& device, TDldHeaderForm form, TDldFile* file)
{
    // One byte past the limit tells a file at the limit from a larger one.
    const QByteArray bytes = device.read(TDldFile::MaxBytes + 1);
    if (bytes.size() > TDldFile::MaxBytes) {
        file->Clear();
        return TDldError::TooLarge;
    }
    return ReadDldFile(QByteArrayView(bytes), form, file);
}

TDldError ReadDldFile(const QString& path, TDldHeaderForm form, TDldFile* file)
{
    QFile f(path);
    if (path.isEmpty() || !f.open(QIODevice::ReadOnly)) {
        file->Clear();
        return TDldError::NotFound;
    }
    if (f.size() > TDldFile::MaxBytes) {
        file->Clear();
        return TDldError::TooLarge;
    }
    return ReadDldFile(f, form, file);
}

TDldError ReadDldHeader(QIODevice& device, TDldHeader* header, TDldHeaderForm form)
{
    // Long enough for any count or version line, short enough that a binary
    // file picked by mistake is not read into memory.
    constexpr qint64 maxLine = 256;
    auto line = [&] { return device.readLine(maxLine); };
    *header = {};
    int count = 0;
    const bool ok = parseCount(line(), &count);
    for (int i = 0; i < versionLines(form); ++i)
        setVersion(header, form, i, QString::fromLatin1(line()).trimmed());
    if (!ok)
        return TDldError::BadCount;
    header->LineCount = count;
    return TDldError::None;
}

TDldError ReadDldHeader(const QString& path, TDldHeader* header, TDldHeaderForm form)
{
    QFile f(path);
    if (path.isEmpty() || !f.open(QIODevice::ReadOnly))
        return TDldError::NotFound;
    return ReadDldHeader(f, header, form);
}

TDldCheck CheckDldImage(const TDldFile& file)
{
    TDldCheck check;
    const int lines = file.DataLineCount();
    if (lines == 0) {
        check.Fault = TDldFault::NoDataLines;
        return check;
    }
    // A record that fails its checksum is named even when the count is off
    // too: it is the more exact reason.
    for (int i = 0; i < lines; ++i) {
        const auto record = ParseSRecord(file.DataLine(i));
        if (!record || !record->ChecksumGood) {
            check.Fault = TDldFault::BadChecksum;
            check.Record = i + 1;
            return check;
        }
    }
    if (lines != file.Header.LineCount)
        check.Fault = TDldFault::CountMismatch;
    return check;
}

QString DldRefusalReason(TDldError error, const TDldFile& file, const TDldCheck& check)
{
    switch (error) {
    case TDldError::None:
        break;
    case TDldError::NotFound:
        return "it cannot be opened";
    case TDldError::BadCount:
        return "its first line is no count of 1 to 65535 data lines";
    case TDldError::TooLarge:
        return QString("it is larger than %1 MB").arg(TDldFile::MaxBytes / (1024 * 1024));
    case TDldError::BadRecord:
        return QString("line %1 is no S-record").arg(file.ErrorLine);
    case TDldError::TooManyLines:
        return "it holds more than 65535 data lines";
    }
    switch (check.Fault) {
    case TDldFault::None:
        return {};
    case TDldFault::NoDataLines:
        return "no data lines";
    case TDldFault::CountMismatch:
        return QString("%1 data lines, its header says %2")
            .arg(file.DataLineCount())
            .arg(file.Header.LineCount);
    case TDldFault::BadChecksum:
        return QString("record %1 fails its checksum").arg(check.Record);
    }
    return {};
}
