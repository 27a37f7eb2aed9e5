#pragma once

#include <QString>

// The directory the program was started in. Every data folder hangs below it
// (CONFIG/, LOG/, DLD/, Updates/, HELP/, HISTORICAL/), whatever folder the
// program file itself lives in.
QString BaseDirectory();
void SetBaseDirectory(const QString& dir);

// BaseDirectory() + "/" + folder + "/", e.g. DataFolder("CONFIG").
QString DataFolder(const QString& folder);
