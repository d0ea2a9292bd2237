#include "glyph/edge_dilation.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace glyphory {

namespace {

// Bounds [from, to) of the window of `reach` cells on both sides of `at`,
// cut to [0, size).
struct Window {
  std::int32_t from;
  std::int32_t to;
};

Window WindowAround(std::int32_t at, std::int64_t reach, std::int32_t size) {
  const std::int64_t from = std::max<std::int64_t>(0, at - reach);
  const std::int64_t to = std::min<std::int64_t>(size, at + reach + 1);
  return {static_cast<std::int32_t>(from), static_cast<std::int32_t>(to)};
}

// For every pixel, whether a seed lies on its row within `reach` columns.
std::vector<std::uint8_t> DilateRows(const TPNGObject& image, TColor bgColor, TColor edgeColor,
                                     std::int64_t reach) {
  const std::int32_t width = image.Width();
  const std::int32_t height = image.Height();
  std::vector<std::uint8_t> near(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
  std::vector<std::int32_t> seedsBefore(static_cast<std::size_t>(width) + 1, 0);
  for (std::int32_t y = 0; y < height; ++y) {
    for (std::int32_t x = 0; x < width; ++x) {
      const TColor pixel = image.ReadPixel(x, y);
      const bool seed = pixel != bgColor && pixel != edgeColor;
      seedsBefore[static_cast<std::size_t>(x) + 1] = seedsBefore[static_cast<std::size_t>(x)] + (seed ? 1 : 0);
    }
    std::uint8_t* row = near.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
    for (std::int32_t x = 0; x < width; ++x) {
      const Window window = WindowAround(x, reach, width);
      row[x] = seedsBefore[static_cast<std::size_t>(window.to)] > seedsBefore[static_cast<std::size_t>(window.from)];
    }
  }
  return near;
}

}  // namespace

void PaintEdging(TPNGObject& image, TColor bgColor, TColor edgeColor, std::uint8_t edgeAlpha,
                 std::int32_t width) {
  if (width < 0 || bgColor == edgeColor) {
    return;
  }
  const std::int32_t imageWidth = image.Width();
  const std::int32_t imageHeight = image.Height();
  const std::vector<std::uint8_t> nearInRow = DilateRows(image, bgColor, edgeColor, width);
  std::vector<std::int32_t> hitsBefore(static_cast<std::size_t>(imageHeight) + 1, 0);
  for (std::int32_t x = 0; x < imageWidth; ++x) {
    for (std::int32_t y = 0; y < imageHeight; ++y) {
      const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(imageWidth) + static_cast<std::size_t>(x);
      hitsBefore[static_cast<std::size_t>(y) + 1] = hitsBefore[static_cast<std::size_t>(y)] + nearInRow[at];
    }
    for (std::int32_t y = 0; y < imageHeight; ++y) {
      const Window window = WindowAround(y, width, imageHeight);
      const bool nearSeed =
          hitsBefore[static_cast<std::size_t>(window.to)] > hitsBefore[static_cast<std::size_t>(window.from)];
      if (nearSeed && image.ReadPixel(x, y) == bgColor) {
        image.WritePixel(x, y, edgeColor);
        image.AlphaRow(y)[x] = edgeAlpha;
      }
    }
  }
}

}  // namespace glyphory
