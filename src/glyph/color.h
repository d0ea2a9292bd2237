// The per-pixel colour functions that give a glyph its look.
#pragma once

#include <cstdint>

#include "glyph/platform.h"

namespace glyphory {

// Luminance of c (0.3 R + 0.59 G + 0.11 B in extended precision, rounded to
// nearest with ties to even) in all three channels.
[[nodiscard]] TColor ToGray(TColor c);

// Darkens each channel by `percent` per cent: x - MulDiv(x, percent, 100),
// modulo 256. A system colour (bit 31 set) is first looked up.
[[nodiscard]] TColor DarkenPercent(TColor c, std::uint8_t percent);

// 255 - x for every channel.
[[nodiscard]] TColor InvertColor(TColor c);

// Screen blend of `shade` and `glyph` over `base`:
// 255 - ((255 - g) * (255 - s) div (255 - b)) per channel. The program always
// passes black as base; a base channel of 255 has no result and throws
// std::domain_error.
[[nodiscard]] TColor TintBlend(TColor base, TColor shade, TColor glyph);

}  // namespace glyphory
