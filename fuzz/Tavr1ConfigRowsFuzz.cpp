// The unit-configuration report turns every item of a record the unit sent
// into text: whatever the items hold, no lookup may leave its table and no
// real may print other than as its field.
#include "models/Tavr1ConfigRows.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Tavr1ConfigRecord record;
    std::memcpy(record.items.data(), data,
                size < sizeof(record.items) ? size : sizeof(record.items));
    const QStringList texts = Tavr1ConfigColumn(record);
    if (texts.size() != Tavr1ConfigRowCount)
        __builtin_trap();
    for (const QString& t : texts) {
        if (t.contains(QLatin1String("nan")) || t.contains(QLatin1String("inf")))
            __builtin_trap();
    }
    return 0;
}
