// The painting step of the glyph edging: every background pixel within a square
// around a glyph pixel takes the edging colour and alpha.
#pragma once

#include <cstdint>

#include "glyph/platform.h"
#include "image/png_object.h"

namespace glyphory {

// Paints exactly the pixels of colour `bgColor` (when it differs from
// `edgeColor`) that lie within `width` columns and `width` rows of a seed, a
// pixel whose colour is neither `bgColor` nor `edgeColor`. Painted pixels get
// `edgeColor` and alpha `edgeAlpha`; nothing is painted when width < 0.
// The square is found as a running-window dilation over rows, then columns,
// so the cost per pixel does not depend on the width.
void PaintEdging(TPNGObject& image, TColor bgColor, TColor edgeColor, std::uint8_t edgeAlpha,
                 std::int32_t width);

}  // namespace glyphory
