// A firmware file is picked by the user and may be anything: whatever it
// holds, the reader either refuses it or hands over only well-formed records,
// never more than the program command can announce, and never reads outside
// the input. The image check passes only a file whose every record holds its
// checksum and whose count is its header's, and names the first bad record.
#include "FuzzCheck.h"

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
            int firstBad = 0;
            for (int i = 0; i < file.DataLineCount(); ++i) {
                const QByteArray line = file.DataLine(i);
                const auto record = ParseSRecord(line);
                if (!record || !bytes.contains(line))
                    std::abort();
                if (!record->ChecksumGood && firstBad == 0)
                    firstBad = i + 1;
            }
            const TDldCheck check = CheckDldImage(file);
            const QString reason = DldRefusalReason(e, file, check);
            FUZZ_CHECK(reason.isEmpty() == (check.Fault == TDldFault::None));
            switch (check.Fault) {
            case TDldFault::None:
                FUZZ_CHECK(firstBad == 0 && file.DataLineCount() == file.Header.LineCount);
                break;
            case TDldFault::NoDataLines:
                FUZZ_CHECK(file.DataLineCount() == 0);
                break;
            case TDldFault::CountMismatch:
                FUZZ_CHECK(firstBad == 0 && file.DataLineCount() > 0 &&
                           file.DataLineCount() != file.Header.LineCount);
                break;
            case TDldFault::BadChecksum:
                FUZZ_CHECK(check.Record == firstBad && firstBad > 0);
                break;
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
