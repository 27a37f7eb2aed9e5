#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>
#include <functional>

// Writing files so that a disk which fills never passes for a saved file.

// One call that puts bytes out: the bytes written, or -1 with errno set.
using TWriteCall = std::function<qint64(const char* data, qint64 size)>;

// Puts all of size bytes out through write, the rest once more after a short
// write. Qt gives no reason when part of a write went through (the system
// refused only the rest); written once more, the rest either goes out after
// all or fails outright, and errno then says why. False with the system's
// reason (else file's own error) when the bytes do not all go out. For the
// reason to be the system's, file is to be unbuffered.
bool WriteFully(const QFileDevice& file, const TWriteCall& write, const char* data, qint64 size,
                QString* reason);

// Replaces the file at path with bytes, whole or not at all: a failure leaves
// an earlier file of that name as it was, and error says why.
bool SaveWholeFile(const QString& path, const QByteArray& bytes, QString* error);
