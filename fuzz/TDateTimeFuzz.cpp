// A block's date-time stamp from any eight bytes, under a zone without and a
// zone with summer time (the ninth byte chooses). A stamp is refused or lies
// within 1899-12-31 .. 9999-12-31; in UTC it also survives being written and
// read again.
#include "FuzzCheck.h"

#include "common/TDateTime.h"

#include <cstdlib>
#include <ctime>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 8)
        return 0;
    const bool utc = size < 9 || (data[8] & 1) == 0;
    setenv("TZ", utc ? "UTC0" : "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    tzset();

    const QByteArray bytes(reinterpret_cast<const char*>(data), 8);
    const std::optional<QDateTime> t = TDateTimeFromBytes(bytes);
    if (!t)
        return 0;
    FUZZ_CHECK(t->isValid());
    FUZZ_CHECK(t->date() >= QDate(1899, 12, 31) && t->date() <= QDate(9999, 12, 31));
    if (utc) {
        const std::optional<QDateTime> again = TDateTimeFromBytes(TDateTimeBytes(*t));
        FUZZ_CHECK(again && *again == *t);
    }
    return 0;
}
