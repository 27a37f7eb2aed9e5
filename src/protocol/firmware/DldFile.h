#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <optional>

class QIODevice;

// Firmware files (.DLD), shared by every family that downloads firmware. A
// file starts with a header: the number of data lines, then the version
// lines (boot and main for main firmware; one for a network-module file). The
// data lines follow, one Motorola S-record each, sent to the unit unchanged.

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

// One S-record as the unit would see it. The reader only needs to know the
// line is a record; whether its checksum holds is judged with the whole file
// (CheckDldImage).
struct TSRecord
{
    int Type = 0;      // 0..9, never 4
    int ByteCount = 0; // address + data + checksum bytes
    quint32 Address = 0;
    QByteArray Data;
    quint8 Checksum = 0; // as written in the record
    bool ChecksumGood = false;
};
// A line without its line end: "S", a type digit (not 4), the count byte, an
// address of the type's width (2 bytes for S0/S1/S5/S9, 3 for S2/S6/S8, 4 for
// S3/S7), then hex pairs whose number matches the count. Anything else gives
// nothing.
std::optional<TSRecord> ParseSRecord(QByteArrayView line);

// "PG" + the number as four hex digits + "\r": the program command every
// family's sender announces a download with.
QByteArray BuildPageLine(quint16 count);

// Main firmware has three header lines (count, boot, main); the network
// module files XPORT.DLD and SOM.DLD have two (count, version).
enum class TDldHeaderForm
{
    MainFirmware,
    NetworkModule
};

struct TDldHeader
{
    int LineCount = 0;   // 1..65535
    QString BootVersion; // empty in the network-module form
    QString MainVersion; // the network-module form's one version line
};

enum class TDldError
{
    None,
    NotFound,     // cannot be opened
    BadCount,     // the count line is not a decimal 1..65535
    TooLarge,     // past the size a firmware file can have
    BadRecord,    // a data line that is not an S-record (TDldFile::ErrorLine)
    TooManyLines, // more data lines than the program command can announce
};

// A firmware file read whole into memory at the click that starts a transfer,
// so nothing can fail to read half-way through a download.
class TDldFile
{
public:
    static constexpr qint64 MaxBytes = 40 * 1024 * 1024;

    TDldHeader Header;
    // For BadRecord: the 1-based line number in the file of the refused line.
    int ErrorLine = 0;

    // Data lines counted in the file; may differ from Header.LineCount until
    // CheckDldImage has judged it.
    int DataLineCount() const { return int(lines.size()); }
    // The index-th data line (0-based) without its line end.
    QByteArray DataLine(int index) const;

    void Clear();

private:
    friend TDldError ReadDldFile(QByteArrayView, TDldHeaderForm, TDldFile*);
    struct Span
    {
        qsizetype begin;
        qsizetype length;
    };
    QByteArray bytes;
    QList<Span> lines;
};

// Reads and checks a whole file: the header, then every data line (CR LF or
// LF ends; blank lines skipped; a last line of only 0x1A ends the file). On
// any error the file holds no data lines.
TDldError ReadDldFile(QByteArrayView bytes, TDldHeaderForm form, TDldFile* file);
TDldError ReadDldFile(QIODevice& device, TDldHeaderForm form, TDldFile* file);
TDldError ReadDldFile(const QString& path, TDldHeaderForm form, TDldFile* file);

// Header only, for the silent checks at login. A header line is short; a
// longer one is cut, so a file without line ends is never read whole.
TDldError ReadDldHeader(QIODevice& device, TDldHeader* header,
                        TDldHeaderForm form = TDldHeaderForm::MainFirmware);
// Reads the header of the file at path; the file is closed again on every path.
TDldError ReadDldHeader(const QString& path, TDldHeader* header,
                        TDldHeaderForm form = TDldHeaderForm::MainFirmware);

// Whether a file that reads as S-records is the whole image its header
// announces. A unit told to flash erases first, so anything less than the
// whole image is refused before the first byte goes out.
enum class TDldFault
{
    None,
    NoDataLines,   // the header alone
    CountMismatch, // DataLineCount() differs from Header.LineCount
    BadChecksum,   // data line Record fails its checksum
};

struct TDldCheck
{
    TDldFault Fault = TDldFault::None;
    int Record = 0; // BadChecksum: the 1-based number of the data line
};

TDldCheck CheckDldImage(const TDldFile& file);

// Why a file cannot be sent, for the event log: "no data lines", "record 7
// fails its checksum", "line 10 is no S-record" and so on. Empty when the
// reader and the check found nothing (error None, fault None).
QString DldRefusalReason(TDldError error, const TDldFile& file, const TDldCheck& check);
