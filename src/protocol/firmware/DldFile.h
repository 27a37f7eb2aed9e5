#pragma once

#include <QString>
#include <optional>

class QIODevice;

// Firmware files (.DLD), shared by every family that downloads firmware. A
// file starts with three lines: the number of data lines, the boot version,
// the main version; the data lines follow.

// A version text: the five characters that begin two before the first ".",
// read as a number ("V01.18" reads 1.18). A "." before the third character or
// characters that are no number make the text unusable.
enum class TVersionError
{
    None,
    NoPoint,
    NotANumber
};
std::optional<double> ParseVersionText(const QString& text, TVersionError* error = nullptr);

// The file in folder whose name matches name ignoring letter case (files
// shipped for Windows come in any case); folder + name when none matches.
QString FindFileIgnoringCase(const QString& folder, const QString& name);

struct TDldHeader
{
    int LineCount = 0; // 1..65535
    QString BootVersion;
    QString MainVersion;
};

enum class TDldError
{
    None,
    NotFound,
    BadCount
};
// Reads the three header lines from an open device. A header line is short;
// a longer one is cut, so a file without line ends is never read whole.
TDldError ReadDldHeader(QIODevice& device, TDldHeader* header);
// Reads the header of the file at path; the file is closed again on every path.
TDldError ReadDldHeader(const QString& path, TDldHeader* header);
