#include "common/WholeFile.h"

#include <QSaveFile>
#include <cerrno>

bool WriteFully(const QFileDevice& file, const TWriteCall& write, const char* data, qint64 size,
                QString* reason)
{
    qint64 done = 0;
    int systemError = 0;
    for (int attempt = 0; attempt < 2 && done < size; ++attempt) {
        errno = 0;
        const qint64 n = write(data + done, size - done);
        if (n <= 0) {
            systemError = errno;
            break;
        }
        done += n;
    }
    if (done == size)
        return true;
    if (reason) {
        if (systemError != 0)
            *reason = qt_error_string(systemError);
        else if (done > 0)
            *reason = QString("only %1 of %2 bytes were written").arg(done).arg(size);
        else if (file.error() != QFileDevice::NoError)
            *reason = file.errorString();
        else
            *reason = "the bytes could not be written";
    }
    return false;
}

bool SaveWholeFile(const QString& path, const QByteArray& bytes, QString* error)
{
    QSaveFile file(path);
    // Unbuffered, so a write that fails is seen at the write. A buffered one
    // would fail only in the flush inside commit, and commit puts the
    // temporary file in place even then: an earlier file would be replaced
    // by an empty or cut one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    const TWriteCall write = [&file](const char* data, qint64 size) {
        return file.write(data, size);
    };
    if (!WriteFully(file, write, bytes.constData(), bytes.size(), error)) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}
