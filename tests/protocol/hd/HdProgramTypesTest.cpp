#include "protocol/hd/HdProgramTypes.h"

#include <gtest/gtest.h>

TEST(HdProgramTypes, ListedCodesUnlistedCodesAndCodesPastTheTable)
{
    const struct
    {
        int code;
        const char* name;
    } rows[] = {
        {0, "Non Specific"},
        {5, "Rock"},
        {16, "R & B"},
        {23, "College"},
        {24, "Unassigned"},
        {28, "Unassigned"},
        {29, "Weather"},
        {31, "Emergency"},
        {32, "Unassigned"},
        {64, "Weather B"},
        {76, "Reading Services"},
        {85, "Private Services C"},
        {86, "Unassigned"},
        {89, "Unassigned"},
        {90, "Unassigned"},
        {200, "Unassigned"},
        {255, "Unassigned"},
        {-1, "Unassigned"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(HdProgramTypeName(r.code), r.name) << r.code;

    int named = 0;
    for (int c = 0; c < HdProgramTypeCount; ++c)
        named += HdProgramTypeName(c) != "Unassigned";
    EXPECT_EQ(named, 38);
}
