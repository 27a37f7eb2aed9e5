#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

// The web version file: plain text naming the newest program version and the
// newest Vren1 and Tavr1 firmware ("Tolvex Version 5.1", "Vren1 Version
// 4.05", "Tavr1 Version 1.21", one to a line).
struct TVersionFile
{
    QString text;           // the whole file, read as Latin-1
    QString programVersion; // four characters after "Tolvex Version"; empty without it
    QString vren1Version;   // four characters after "Vren1 Version"; empty without it
    QString tavr1Version;   // four characters after "Tavr1 Version"; empty without it
    // programVersion is a number above ProgramVersionForUpdates. A text that
    // is not a number offers nothing.
    bool newerProgram = false;
};

TVersionFile ParseVersionFile(const QByteArray& body);

// Where the version file is fetched from: TOLVEX_UPDATE_URL when set and not
// empty, else VersionFileUrl.
QUrl VersionFileAddress();
