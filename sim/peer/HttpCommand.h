#pragma once

#include <QStringList>

class QCoreApplication;

// tolvex-sim http: the version-file server as a program.
//   --corpus DIR           writes the version-file seeds into DIR/VersionFileFuzz/
//   --tcp PORT --serve F   serves file F as /Tolvex_Version.txt on 127.0.0.1:PORT
// Returns -1 for bad arguments.
int RunHttpCommand(QCoreApplication& app, const QStringList& args);

// The seeds of the version-file fuzz target, one file each, into
// dir/VersionFileFuzz/. False when a file could not be written.
bool WriteVersionFileCorpus(const QString& dir);
