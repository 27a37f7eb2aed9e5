#include "protocol/hd/HdProgramTypes.h"

#include <array>

namespace {

struct TypeName
{
    int code;
    const char* name;
};

constexpr TypeName listed[] = {
    {0, "Non Specific"},
    {1, "News"},
    {2, "Information"},
    {3, "Sports"},
    {4, "Talk"},
    {5, "Rock"},
    {6, "Classic Rock"},
    {7, "Adult Hits"},
    {8, "Soft Rock"},
    {9, "Top 40"},
    {10, "Country"},
    {11, "Oldies"},
    {12, "Soft"},
    {13, "Nostalgia"},
    {14, "Jazz"},
    {15, "Classical"},
    {16, "R & B"},
    {17, "Soft R & B"},
    {18, "Foreign Language"},
    {19, "Religious Music"},
    {20, "Religious Talk"},
    {21, "Personality"},
    {22, "Public"},
    {23, "College"},
    {29, "Weather"},
    {30, "Emergency Test"},
    {31, "Emergency"},
    {64, "Weather B"},
    {65, "Traffic A"},
    {66, "Traffic B"},
    {67, "Traffic C"},
    {73, "Government"},
    {74, "Emergency B"},
    {75, "Emergency C"},
    {76, "Reading Services"},
    {83, "Private Services A"},
    {84, "Private Services B"},
    {85, "Private Services C"},
};

std::array<const char*, HdProgramTypeCount> buildTable()
{
    std::array<const char*, HdProgramTypeCount> t{};
    t.fill("Unassigned");
    for (const TypeName& n : listed)
        t[size_t(n.code)] = n.name;
    return t;
}

} // namespace

QString HdProgramTypeName(int code)
{
    static const std::array<const char*, HdProgramTypeCount> table = buildTable();
    if (code < 0 || code >= HdProgramTypeCount)
        return QStringLiteral("Unassigned");
    return QString::fromLatin1(table[size_t(code)]);
}
