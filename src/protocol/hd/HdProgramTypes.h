#pragma once

#include <QString>

// The name of an HD program type code as the unit broadcasts it. The table
// holds codes 0 .. 89; a code that is not listed there, or any code above 89
// (the block carries a raw byte), reads "Unassigned".
constexpr int HdProgramTypeCount = 90;
QString HdProgramTypeName(int code);
