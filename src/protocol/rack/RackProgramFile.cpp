#include "protocol/rack/RackProgramFile.h"

#include "protocol/firmware/DldFile.h"

#include <QFile>

namespace {

// A count line: an optional sign and decimal digits, 0..65535.
bool parseCount(QByteArrayView text, int* count)
{
    bool ok = false;
    const int v = text.trimmed().toByteArray().toInt(&ok, 10);
    if (!ok || v < 0 || v > 0xFFFF)
        return false;
    *count = v;
    return true;
}

} // namespace

TRackProgramFile::Result ReadRackProgram(QByteArrayView bytes, int* lineCount,
                                         QList<QByteArray>* lines, int* errorLine)
{
    using Result = TRackProgramFile::Result;
    lines->clear();
    if (errorLine)
        *errorLine = 0;
    if (bytes.size() > TRackProgramFile::MaxBytes)
        return Result::Invalid;
    int lineNumber = 0;
    qsizetype pos = 0;
    auto fail = [&] {
        lines->clear();
        if (errorLine)
            *errorLine = lineNumber;
        return Result::Invalid;
    };
    int count = 0;
    while (pos < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', pos);
        const bool terminated = end >= 0;
        if (!terminated)
            end = bytes.size();
        qsizetype length = end - pos;
        if (length > 0 && bytes[pos + length - 1] == '\r')
            --length;
        const QByteArrayView text = bytes.sliced(pos, length);
        const qsizetype next = terminated ? end + 1 : end;
        ++lineNumber;
        if (lineNumber == 1) {
            if (!parseCount(text, &count))
                return fail();
        } else if (text.trimmed().isEmpty()) {
            // blank lines carry nothing for the module
        } else if (text == "\x1A" && next >= bytes.size()) {
            break; // the end-of-file mark some editors leave
        } else if (text.size() > TRackProgramFile::MaxLineLength || !ParseSRecord(text)) {
            return fail();
        } else {
            lines->append(text.toByteArray());
        }
        pos = next;
    }
    if (lineNumber == 0)
        return fail(); // not even a count
    if (lineCount)
        *lineCount = count;
    return Result::Ok;
}

bool TRackProgramFile::isPlainName(const QByteArray& name)
{
    if (name.isEmpty() || name.size() > 16)
        return false;
    for (char c : name) {
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                        c == '_' || c == '-';
        if (!ok)
            return false;
    }
    return true;
}

QString TRackProgramFile::printable(const QByteArray& name)
{
    QString out;
    for (char c : name) {
        const auto u = static_cast<unsigned char>(c);
        out += (u >= 0x20 && u < 0x7F) ? QChar(c) : QChar('?');
    }
    return out;
}

TRackProgramFile::Result TRackProgramFile::open(const QString& dldFolder, const QByteArray& name,
                                                int* lineCount)
{
    close();
    if (!isPlainName(name))
        return Result::NotFound;
    const QString path = FindFileIgnoringCase(dldFolder, QString::fromLatin1(name) + ".DLD");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Result::NotFound;
    // One byte past the limit tells a file at the limit from a larger one,
    // without reading a huge one whole.
    const QByteArray bytes = file.read(MaxBytes + 1);
    int count = 0;
    QList<QByteArray> lines;
    if (bytes.size() > MaxBytes || ReadRackProgram(bytes, &count, &lines) != Result::Ok)
        return Result::Invalid;
    m_lines = std::move(lines);
    m_next = 0;
    m_open = true;
    if (lineCount)
        *lineCount = count;
    return Result::Ok;
}

bool TRackProgramFile::readLine(QByteArray* line)
{
    if (!m_open || m_next >= m_lines.size())
        return false;
    *line = m_lines[m_next++];
    return true;
}

void TRackProgramFile::close()
{
    m_open = false;
    m_lines.clear();
    m_next = 0;
}
