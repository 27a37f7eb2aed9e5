#pragma once

#include <QByteArray>
#include <QString>

// Synthetic firmware files, for a person trying an update against tolvex-sim,
// for the tests and for the fuzz seeds: an S0 record, records data records of
// 16 bytes each (S2, consecutive addresses, bytes that change from record to
// record), then an S9. The header's count is every data line: records + 2.
struct TDldShape
{
    int records = 48;
    QString bootVersion = "V01.05";
    QString mainVersion = "V01.18";
    // Set: a network-module file, its two-line header holding this version.
    QString networkVersion;
    QByteArray lineEnd = "\r\n";
};
QByteArray MakeDldFile(const TDldShape& shape);

// Writes the seeds of the firmware-file and module-program fuzz targets into
// dir/DldFileFuzz/ and dir/RackProgramFuzz/. Returns how many, or -1.
int WriteFirmwareCorpus(const QString& dir);
