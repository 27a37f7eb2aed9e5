#include "protocol/tavr1/Tavr1Data.h"

#include <cstring>

// The two items carry the eight bytes of the real, so the record stays a plain
// array of int32 that the windows index by number and copy as a whole.
double Tavr1ConfigRecord::real(int firstItem) const
{
    if (!isRealItem(firstItem))
        return 0.0;
    double value = 0.0;
    static_assert(sizeof value == 2 * sizeof(qint32));
    std::memcpy(&value, &items[firstItem], sizeof value);
    return value;
}

void Tavr1ConfigRecord::setReal(int firstItem, double value)
{
    if (!isRealItem(firstItem))
        return;
    std::memcpy(&items[firstItem], &value, sizeof value);
}
