#pragma once

#include <QColor>

// The named colours of the panels, lamps and notices, kept in one place so a
// lamp that shows "lime" on one window is the same lime on every other.
namespace NamedColour {

inline constexpr QColor Black(0x00, 0x00, 0x00);
inline constexpr QColor Red(0xFF, 0x00, 0x00);
inline constexpr QColor Maroon(0x80, 0x00, 0x00);
inline constexpr QColor Lime(0x00, 0xFF, 0x00);
inline constexpr QColor Green(0x00, 0x80, 0x00);
inline constexpr QColor Yellow(0xFF, 0xFF, 0x00);
inline constexpr QColor Olive(0x80, 0x80, 0x00);
inline constexpr QColor Gray(0x80, 0x80, 0x80);

} // namespace NamedColour
