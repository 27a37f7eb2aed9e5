// A firmware file is picked by the user and may be anything: whatever it
// holds, the reader either refuses it or hands over only well-formed records,
// never more than the program command can announce, and never reads outside
// the input.
#include "protocol/firmware/DldFile.h"

#include <QBuffer>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (TDldHeaderForm form : {TDldHeaderForm::MainFirmware, TDldHeaderForm::NetworkModule}) {
        TDldFile file;
        const TDldError e = ReadDldFile(QByteArrayView(bytes), form, &file);
        if (e == TDldError::None) {
            if (file.Header.LineCount < 1 || file.Header.LineCount > 65535 ||
                file.DataLineCount() > 65535)
                std::abort();
            for (int i = 0; i < file.DataLineCount(); ++i) {
                const QByteArray line = file.DataLine(i);
                if (!ParseSRecord(line) || !bytes.contains(line))
                    std::abort();
            }
        } else if (file.DataLineCount() != 0 || (e == TDldError::BadRecord && file.ErrorLine < 2)) {
            std::abort();
        }
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        TDldHeader header;
        if (ReadDldHeader(buffer, &header, form) == TDldError::None &&
            (header.LineCount < 1 || header.LineCount > 65535))
            std::abort();
    }
    for (const QByteArray& line : bytes.split('\n')) {
        const auto record = ParseSRecord(line);
        if (record && (record->Type == 4 || record->Data.size() >= record->ByteCount))
            std::abort();
    }
    return 0;
}
