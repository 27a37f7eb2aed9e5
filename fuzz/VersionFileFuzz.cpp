// The web version file comes from a server we do not control: whatever it
// holds, the parser reads only inside it and never offers an update for
// something that is not a number.
#include "common/VersionFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray body(reinterpret_cast<const char*>(data), qsizetype(size));
    const TVersionFile f = ParseVersionFile(body);
    if (f.text.size() != body.size())
        std::abort();
    for (const QString* field : {&f.programVersion, &f.vren1Version, &f.tavr1Version}) {
        if (field->size() > 4 || !f.text.contains(*field))
            std::abort();
    }
    if (f.newerProgram && f.programVersion.trimmed().isEmpty())
        std::abort();
    return 0;
}
