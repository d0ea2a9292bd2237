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
    const std::uint8_t* pixels = image.PixelRow(y);
    for (std::int32_t x = 0; x < width; ++x) {
      const std::uint8_t* bgr = pixels + static_cast<std::size_t>(x) * 3;
      const TColor pixel = PackRGB(bgr[2], bgr[1], bgr[0]);
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
  // Rows are visited top to bottom; for every column, rowsNear counts the
  // rows of the window [y - width, y + width] that have a seed within reach.
  const std::size_t columns = static_cast<std::size_t>(imageWidth);
  std::vector<std::int32_t> rowsNear(columns, 0);
  auto countRow = [&](std::int64_t y, std::int32_t sign) {
    const std::uint8_t* near = nearInRow.data() + static_cast<std::size_t>(y) * columns;
    for (std::size_t x = 0; x < columns; ++x) {
      rowsNear[x] += sign * near[x];
    }
  };
  const std::int64_t reach = width;
  for (std::int64_t y = 0; y < std::min<std::int64_t>(imageHeight, reach); ++y) {
    countRow(y, 1);
  }
  for (std::int32_t y = 0; y < imageHeight; ++y) {
    if (y + reach < imageHeight) {
      countRow(y + reach, 1);
    }
    if (y - reach - 1 >= 0) {
      countRow(y - reach - 1, -1);
    }
    std::uint8_t* pixels = image.PixelRow(y);
    std::uint8_t* alpha = image.AlphaRow(y);
    for (std::size_t x = 0; x < columns; ++x) {
      std::uint8_t* bgr = pixels + x * 3;
      if (rowsNear[x] > 0 && PackRGB(bgr[2], bgr[1], bgr[0]) == bgColor) {
        bgr[0] = BlueOf(edgeColor);
        bgr[1] = GreenOf(edgeColor);
        bgr[2] = RedOf(edgeColor);
        alpha[x] = edgeAlpha;
      }
    }
  }
}

}  // namespace glyphory
