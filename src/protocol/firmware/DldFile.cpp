#include "protocol/firmware/DldFile.h"

#include <QDir>
#include <QFile>
#include <QLocale>

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

TDldError ReadDldHeader(QIODevice& device, TDldHeader* header)
{
    // Long enough for any count or version line, short enough that a binary
    // file picked by mistake is not read into memory.
    constexpr qint64 maxLine = 256;
    auto line = [&] { return QString::fromLatin1(device.readLine(maxLine)).trimmed(); };
    bool ok = false;
    const qlonglong count = QLocale::c().toLongLong(line(), &ok);
    header->BootVersion = line();
    header->MainVersion = line();
    if (!ok || count <= 0 || count > 65535)
        return TDldError::BadCount;
    header->LineCount = int(count);
    return TDldError::None;
}

TDldError ReadDldHeader(const QString& path, TDldHeader* header)
{
    QFile f(path);
    if (path.isEmpty() || !f.open(QIODevice::ReadOnly))
        return TDldError::NotFound;
    return ReadDldHeader(f, header);
}
