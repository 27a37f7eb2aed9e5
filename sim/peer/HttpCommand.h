#pragma once

#include <QStringList>

class QCoreApplication;

// tolvex-sim http: serves the file at path as /Tolvex_Version.txt on
// 127.0.0.1:port until killed. Returns 1 when the file cannot be read or the
// port not listened on.
int ServeVersionFile(QCoreApplication& app, quint16 port, const QString& path);

// The seeds of the version-file fuzz target, one file each, into
// dir/VersionFileFuzz/. False when a file could not be written.
bool WriteVersionFileCorpus(const QString& dir);
