#include "glyph/platform.h"

#include <array>
#include <cstdlib>
#include <limits>

namespace glyphory {

std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c) {
  if (c == 0) {
    return -1;
  }
  const std::int64_t product = static_cast<std::int64_t>(a) * b;
  const bool negative = (product < 0) != (c < 0);
  const std::uint64_t magnitude = static_cast<std::uint64_t>(product < 0 ? -product : product);
  const std::uint64_t divisor = static_cast<std::uint64_t>(std::llabs(static_cast<long long>(c)));
  const std::uint64_t quotient = (magnitude + divisor / 2) / divisor;
  if (quotient > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) {
    return -1;
  }
  const auto result = static_cast<std::int32_t>(quotient);
  return negative ? -result : result;
}

TColor GetSysColor(int index) {
  // The classic desktop scheme, indexed by COLOR_SCROLLBAR (0) .. COLOR_MENUBAR (30).
  static constexpr std::array<TColor, 31> kClassicScheme = {
      PackRGB(192, 192, 192),  // 0  scroll bar
      PackRGB(0, 128, 128),    // 1  desktop
      PackRGB(0, 0, 128),      // 2  active caption
      PackRGB(128, 128, 128),  // 3  inactive caption
      PackRGB(192, 192, 192),  // 4  menu
      PackRGB(255, 255, 255),  // 5  window
      PackRGB(0, 0, 0),        // 6  window frame
      PackRGB(0, 0, 0),        // 7  menu text
      PackRGB(0, 0, 0),        // 8  window text
      PackRGB(255, 255, 255),  // 9  caption text
      PackRGB(192, 192, 192),  // 10 active border
      PackRGB(192, 192, 192),  // 11 inactive border
      PackRGB(128, 128, 128),  // 12 application workspace
      PackRGB(0, 0, 128),      // 13 highlight
      PackRGB(255, 255, 255),  // 14 highlight text
      PackRGB(192, 192, 192),  // 15 button face
      PackRGB(128, 128, 128),  // 16 button shadow
      PackRGB(128, 128, 128),  // 17 gray text
      PackRGB(0, 0, 0),        // 18 button text
      PackRGB(192, 192, 192),  // 19 inactive caption text
      PackRGB(255, 255, 255),  // 20 button highlight
      PackRGB(0, 0, 0),        // 21 3-D dark shadow
      PackRGB(223, 223, 223),  // 22 3-D light
      PackRGB(0, 0, 0),        // 23 tooltip text
      PackRGB(255, 255, 225),  // 24 tooltip background
      PackRGB(181, 181, 181),  // 25 (unused slot)
      PackRGB(0, 0, 128),      // 26 hot-tracked item
      PackRGB(16, 132, 208),   // 27 active caption gradient
      PackRGB(181, 181, 181),  // 28 inactive caption gradient
      PackRGB(0, 0, 128),      // 29 menu highlight
      PackRGB(192, 192, 192),  // 30 menu bar
  };
  if (index < 0 || index >= static_cast<int>(kClassicScheme.size())) {
    return 0;
  }
  return kClassicScheme[static_cast<std::size_t>(index)];
}

}  // namespace glyphory
