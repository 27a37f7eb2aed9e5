#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

class QFile;

// The module program a rack controller may ask for: DLD/<controller>.DLD, a
// count line and then that many S-record lines. The controller's answer
// becomes the file name, so only a plain name is accepted: nothing the rack
// sends can make the program open a file outside DLD/.
class TRackProgramFile
{
public:
    enum class Result
    {
        Ok,
        NotFound, // no such file, or an answer that is no plain name
        Invalid,  // the count line is no number 0..65535
    };

    TRackProgramFile();
    ~TRackProgramFile();
    TRackProgramFile(const TRackProgramFile&) = delete;
    TRackProgramFile& operator=(const TRackProgramFile&) = delete;

    // Opens dldFolder/<name>.DLD (the name's letter case ignored) and reads its
    // count line. On any failure the file is closed again.
    Result open(const QString& dldFolder, const QByteArray& name, int* lineCount);
    // The next program line without its line end; false at the end of the file.
    bool readLine(QByteArray* line);
    void close();
    bool isOpen() const;

    // Letters, digits, "_" and "-", 1 to 16 of them.
    static bool isPlainName(const QByteArray& name);
    // The name as an event-log line may show it: control and non-ASCII bytes as "?".
    static QString printable(const QByteArray& name);

private:
    std::unique_ptr<QFile> m_file;
};
