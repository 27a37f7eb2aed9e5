#include "common/VersionFile.h"

#include "common/ProgramInfo.h"

#include <QLocale>
#include <cmath>

namespace {

// The four characters that begin offset characters after the marker's own
// start; empty when the marker is missing, clipped at the end of the text.
// Reading from where the marker stands, not from a fixed place in the file,
// keeps a byte-order mark or a blank first line from shifting the version.
QString fieldAfter(const QString& text, const char* marker, qsizetype offset)
{
    const qsizetype at = text.indexOf(QLatin1String(marker));
    return at < 0 ? QString() : text.mid(at + offset, 4);
}

} // namespace

TVersionFile ParseVersionFile(const QByteArray& body)
{
    TVersionFile f;
    f.text = QString::fromLatin1(body);
    // "Tolvex Version" and one separating character: the version follows at 15.
    f.programVersion = fieldAfter(f.text, "Tolvex Version", 15);
    f.vren1Version = fieldAfter(f.text, "Vren1 Version", 14);
    f.tavr1Version = fieldAfter(f.text, "Tavr1 Version", 14);
    bool ok = false;
    const double version = QLocale::c().toDouble(f.programVersion.trimmed(), &ok);
    f.newerProgram = ok && std::isfinite(version) && version > ProgramVersionForUpdates;
    return f;
}

QUrl VersionFileAddress()
{
    const QString fromEnvironment = qEnvironmentVariable("TOLVEX_UPDATE_URL");
    return QUrl(fromEnvironment.isEmpty() ? QString(VersionFileUrl) : fromEnvironment);
}
