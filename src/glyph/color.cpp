#include "glyph/color.h"

#include <cmath>
#include <stdexcept>

namespace glyphory {

TColor ToGray(TColor c) {
  // Each product and each sum is rounded at long double precision (a 64-bit
  // significand on x86-64); this decides the result at some exact halves.
  const long double red = RedOf(c);
  const long double green = GreenOf(c);
  const long double blue = BlueOf(c);
  const long double partial = red * 0.3L + green * 0.59L;
  const long double luminance = partial + blue * 0.11L;
  const auto gray = static_cast<std::uint32_t>(std::nearbyintl(luminance));
  return PackRGB(gray, gray, gray);
}

namespace {

std::uint32_t DarkenChannel(std::uint32_t x, std::uint8_t percent) {
  return static_cast<std::uint32_t>(static_cast<std::int32_t>(x) -
                                    MulDiv(static_cast<std::int32_t>(x), percent, 100)) &
         0xFF;
}

std::uint32_t ScreenChannel(std::uint32_t base, std::uint32_t shade, std::uint32_t glyph) {
  const std::uint32_t divisor = 255 - base;
  if (divisor == 0) {
    throw std::domain_error("TintBlend: a base channel of 255 has no blend");
  }
  const std::uint32_t q = ((255 - glyph) * (255 - shade)) / divisor;
  return 255 - (q & 0xFF);
}

}  // namespace

TColor DarkenPercent(TColor c, std::uint8_t percent) {
  if (c & 0x80000000u) {
    c = GetSysColor(static_cast<int>(c & 0xFF));
  }
  return PackRGB(DarkenChannel(RedOf(c), percent), DarkenChannel(GreenOf(c), percent),
                 DarkenChannel(BlueOf(c), percent));
}

TColor InvertColor(TColor c) {
  return PackRGB(255 - RedOf(c), 255 - GreenOf(c), 255 - BlueOf(c));
}

TColor TintBlend(TColor base, TColor shade, TColor glyph) {
  return PackRGB(ScreenChannel(RedOf(base), RedOf(shade), RedOf(glyph)),
                 ScreenChannel(GreenOf(base), GreenOf(shade), GreenOf(glyph)),
                 ScreenChannel(BlueOf(base), BlueOf(shade), BlueOf(glyph)));
}

}  // namespace glyphory
