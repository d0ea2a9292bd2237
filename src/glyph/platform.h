// Small numeric services that the glyph code takes from the desktop platform:
// rounded scaling, the screen resolution and the system colour table.
#pragma once

#include <cstdint>

namespace glyphory {

// A colour as 0x00BBGGRR: red in bits 0-7, green in 8-15, blue in 16-23.
// A value with bit 31 set names a system colour (see GetSysColor).
using TColor = std::uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clFuchsia = 0xFF00FF;

// Vertical logical pixels per inch of the drawing surface.
constexpr int kPixelsPerInchY = 96;

// a * b / c with a 64-bit intermediate product, rounded to the nearest integer,
// halves away from zero. Returns -1 when c is 0 or the result does not fit.
[[nodiscard]] std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c);

// Current value of system colour `index` (COLOR_WINDOW = 5 and so on), from a
// fixed table of the classic desktop scheme; 0 for an unknown index.
[[nodiscard]] TColor GetSysColor(int index);

// Channel helpers for 0x00BBGGRR colours.
constexpr std::uint8_t RedOf(TColor c) { return static_cast<std::uint8_t>(c & 0xFF); }
constexpr std::uint8_t GreenOf(TColor c) { return static_cast<std::uint8_t>((c >> 8) & 0xFF); }
constexpr std::uint8_t BlueOf(TColor c) { return static_cast<std::uint8_t>((c >> 16) & 0xFF); }

// Packs three channel values, keeping the low 8 bits of each.
constexpr TColor PackRGB(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}

}  // namespace glyphory
