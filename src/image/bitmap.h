// A 24-bit bitmap that starts white, the flattening of an RGBA image onto such
// a bitmap through its alpha plane, and saving the bitmap as a BMP file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "glyph/platform.h"
#include "glyph/text_service.h"
#include "image/canvas.h"

namespace glyphory {

class TPNGObject;

class TBitmap {
 public:
  TBitmap() = default;
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  // New size; every pixel becomes white (row padding 0). Throws
  // EPNGInvalidNewSize for a negative size and EPNGOutMemory when the memory
  // cannot be had.
  void SetSize(std::int32_t width, std::int32_t height);
  void SetWidth(std::int32_t width) { SetSize(width, height_); }
  void SetHeight(std::int32_t height) { SetSize(width_, height); }
  [[nodiscard]] std::int32_t Width() const { return width_; }
  [[nodiscard]] std::int32_t Height() const { return height_; }
  [[nodiscard]] std::size_t Stride() const { return stride_; }

  // The 24-bit bottom-up pixel memory (blue, green, red per pixel).
  [[nodiscard]] PixelTarget Target() { return PixelTarget{bits_.data(), width_, height_, stride_}; }
  [[nodiscard]] TCanvas& Canvas() { return canvas_; }
  // Colour of (x, y) as 0x00BBGGRR; 0 outside the bitmap.
  [[nodiscard]] TColor Pixel(std::int32_t x, std::int32_t y) const;

  // The BMP file: 54 header bytes, then the rows bottom row first.
  void SaveToStream(std::ostream& out) const;
  // Creates or replaces the file; throws EWriteError on any failure.
  void SaveToFile(const std::string& path) const;

 private:
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  std::size_t stride_ = 0;
  std::vector<std::uint8_t> bits_;
  TCanvas canvas_;
};

// Composites the image into rect (right and bottom exclusive, corners in any
// order) of the target, scaled to the rectangle by nearest pixel when the
// sizes differ. Alpha 0 keeps the target pixel, 255 takes the image colour,
// anything between gives (s * a + t * (255 - a) + 255) div 256 per channel.
// Pixels of the rectangle outside the target are skipped. Throws
// EPNGOutMemory (target unchanged) when the work buffer cannot be had.
void DrawWithAlpha(const TPNGObject& image, const PixelTarget& target, TRect rect);

// Makes the bitmap the image flattened over white, at the image's size.
void ConvertToBitmap(const TPNGObject& image, TBitmap& bitmap);

}  // namespace glyphory
