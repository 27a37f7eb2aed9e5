#include "protocol/tavr1/Tavr1Firmware.h"

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

TDldError ReadDldHeader(const QString& path, TDldHeader* header)
{
    QFile f(path);
    if (path.isEmpty() || !f.open(QIODevice::ReadOnly))
        return TDldError::NotFound;
    auto line = [&] { return QString::fromLatin1(f.readLine()).trimmed(); };
    bool ok = false;
    const qlonglong count = QLocale::c().toLongLong(line(), &ok);
    header->BootVersion = line();
    header->MainVersion = line();
    if (!ok || count <= 0 || count > 65535)
        return TDldError::BadCount;
    header->LineCount = int(count);
    return TDldError::None;
}

QString Tavr1MainFirmwareName(const QString& l1, const QString& l2, const QString& l3,
                              bool mainAtLeast118)
{
    const QString letters = l1 + l2 + l3;
    if (letters == "BBA")
        return mainAtLeast118 ? "TAVR1_B.DLD" : "TAVR1_1.DLD";
    if (letters == "BBB")
        return "TAVR1_BBB.DLD";
    if (letters == "CBB")
        return "TAVR1_CBB.DLD";
    return {};
}

QString Tavr1NetworkFirmwareName(const QString& letter1)
{
    if (letter1 == "B")
        return "XPORT.DLD";
    if (letter1 == "C")
        return "SOM.DLD";
    return {};
}

TTavr1FirmwareCheck CheckTavr1Firmware(const TTavr1FirmwareUnit& unit, const QString& dldFolder)
{
    TTavr1FirmwareCheck c; // up to date only when this check says so
    TVersionError e;
    const auto unitBoot = ParseVersionText(unit.BootVersion, &e);
    if (!unitBoot) {
        c.Result = e == TVersionError::NoPoint ? 1 : 2;
        return c;
    }
    const auto unitMain = ParseVersionText(unit.MainVersion, &e);
    if (!unitMain) {
        c.Result = e == TVersionError::NoPoint ? 3 : 4;
        return c;
    }
    c.MainAtLeast118 = *unitMain >= 1.18;
    const QString name =
        Tavr1MainFirmwareName(unit.Letter1, unit.Letter2, unit.Letter3, c.MainAtLeast118);
    if (name.isEmpty()) {
        c.Result = 5;
        return c;
    }
    c.MainFileName = FindFileIgnoringCase(dldFolder, name);
    TDldHeader h;
    switch (ReadDldHeader(c.MainFileName, &h)) {
    case TDldError::NotFound:
        c.Result = 5;
        return c;
    case TDldError::BadCount:
        c.Result = 10;
        return c;
    case TDldError::None:
        break;
    }
    c.LineCount = h.LineCount;
    const auto fileBoot = ParseVersionText(h.BootVersion, &e);
    if (!fileBoot) {
        c.Result = e == TVersionError::NoPoint ? 6 : 7;
        return c;
    }
    c.BootNotNewer = !(*fileBoot > *unitBoot);
    const auto fileMain = ParseVersionText(h.MainVersion, &e);
    if (!fileMain) {
        c.Result = e == TVersionError::NoPoint ? 8 : 9;
        return c;
    }
    c.MainNotNewer = !(*fileMain > *unitMain);
    // A unit already newer than the file shipped for it needs no update.
    c.UpToDate = *fileMain <= *unitMain;
    return c;
}
