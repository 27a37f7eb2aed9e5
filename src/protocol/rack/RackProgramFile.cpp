#include "protocol/rack/RackProgramFile.h"

#include "protocol/firmware/DldFile.h"

#include <QFile>

namespace {
// An S-record line is at most 514 characters; a longer one is cut rather
// than read without end.
constexpr qint64 MaxLine = 1024;

QByteArray trimLineEnd(QByteArray line)
{
    while (!line.isEmpty() && (line.endsWith('\n') || line.endsWith('\r')))
        line.chop(1);
    return line;
}
} // namespace

TRackProgramFile::TRackProgramFile() = default;
TRackProgramFile::~TRackProgramFile() = default;

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
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadOnly))
        return Result::NotFound;
    const QByteArray first = trimLineEnd(file->readLine(MaxLine)).trimmed();
    bool ok = false;
    const int count = first.toInt(&ok);
    if (!ok || count < 0 || count > 0xFFFF)
        return Result::Invalid; // the file closes with its object
    m_file = std::move(file);
    if (lineCount)
        *lineCount = count;
    return Result::Ok;
}

bool TRackProgramFile::readLine(QByteArray* line)
{
    if (!m_file || m_file->atEnd())
        return false;
    QByteArray l = m_file->readLine(MaxLine);
    if (l.isEmpty() && m_file->atEnd())
        return false;
    *line = trimLineEnd(l);
    return true;
}

void TRackProgramFile::close()
{
    m_file.reset();
}

bool TRackProgramFile::isOpen() const
{
    return m_file != nullptr;
}
