#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// The module program a rack controller may ask for: DLD/<controller>.DLD, a
// count line and then the program's S-record lines. The controller's answer
// becomes the file name, so only a plain name is accepted: nothing the rack
// sends can make the program open a file outside DLD/.
class TRackProgramFile
{
public:
    enum class Result
    {
        Ok,
        NotFound, // no such file, or an answer that is no plain name
        Invalid,  // a count line that is no number 0..65535, or a line that is no S-record
    };

    // Past any module program: a count of 65535 longest records.
    static constexpr qint64 MaxBytes = 40 * 1024 * 1024;
    // The longest S-record: "S", its type, the count byte and 255 bytes.
    static constexpr qsizetype MaxLineLength = 514;

    // Opens dldFolder/<name>.DLD (the name's letter case ignored) and reads and
    // checks it whole, so nothing of a bad file is ever sent. On any failure
    // nothing is held.
    Result open(const QString& dldFolder, const QByteArray& name, int* lineCount);
    // The next program line without its line end; false at the end of the file.
    bool readLine(QByteArray* line);
    void close();
    bool isOpen() const { return m_open; }

    // Letters, digits, "_" and "-", 1 to 16 of them.
    static bool isPlainName(const QByteArray& name);
    // The name as an event-log line may show it: control and non-ASCII bytes as "?".
    static QString printable(const QByteArray& name);

private:
    bool m_open = false;
    QList<QByteArray> m_lines;
    qsizetype m_next = 0;
};

// A whole module-program file: the count line, then S-records, one a line
// (CR LF or LF ends). Blank lines are skipped and a last line of only 0x1A
// ends the file, as in a firmware file. A line that is no S-record (so also
// one longer than TRackProgramFile::MaxLineLength) makes the whole file
// Invalid, with its 1-based line number in *errorLine. On Ok, *lines holds
// the records without their line ends; on any failure it is empty.
TRackProgramFile::Result ReadRackProgram(QByteArrayView bytes, int* lineCount,
                                         QList<QByteArray>* lines, int* errorLine = nullptr);
