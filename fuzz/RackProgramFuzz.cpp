// A module program is the file a rack's answer names, and may hold anything:
// the reader refuses it whole or hands over only S-records of at most the
// longest record's length, each a line of the input taken unchanged.
#include "FuzzCheck.h"

#include "protocol/firmware/DldFile.h"
#include "protocol/rack/RackProgramFile.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    int count = -1;
    int errorLine = -1;
    QList<QByteArray> lines;
    const TRackProgramFile::Result r = ReadRackProgram(bytes, &count, &lines, &errorLine);
    if (r == TRackProgramFile::Result::Ok) {
        FUZZ_CHECK(count >= 0 && count <= 0xFFFF && errorLine == 0);
        // Every record stands on a line after the count line.
        FUZZ_CHECK(lines.size() <= bytes.count('\n'));
        for (const QByteArray& l : lines) {
            FUZZ_CHECK(l.size() <= TRackProgramFile::MaxLineLength);
            FUZZ_CHECK(!l.contains('\n') && !l.contains('\r'));
            FUZZ_CHECK(ParseSRecord(l).has_value());
            FUZZ_CHECK(bytes.contains(l));
        }
    } else {
        FUZZ_CHECK(r == TRackProgramFile::Result::Invalid);
        FUZZ_CHECK(lines.isEmpty());
        // A line is named, but for a file with no line at all or one too large
        // to be read.
        FUZZ_CHECK(errorLine >= 1 || bytes.isEmpty() || bytes.size() > TRackProgramFile::MaxBytes);
    }
    return 0;
}
