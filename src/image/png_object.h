// The RGBA image every glyph is drawn on: a 24-bit bottom-up pixel memory that
// a canvas paints into, a separate top-down 8-bit alpha plane, and the settings
// the PNG writer uses.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "glyph/platform.h"
#include "image/canvas.h"
#include "image/png_chunks.h"
#include "image/png_errors.h"

namespace glyphory {

// PNG row filters, as bits of RowFilters.
constexpr std::uint8_t pfNone = 1;
constexpr std::uint8_t pfSub = 2;
constexpr std::uint8_t pfUp = 4;
constexpr std::uint8_t pfAverage = 8;
constexpr std::uint8_t pfPaeth = 16;
constexpr std::uint8_t pfAll = pfSub | pfUp | pfAverage | pfPaeth;  // 30

constexpr std::uint8_t COLOR_RGBALPHA = 6;
constexpr std::int32_t kDefaultIdatLimit = 65535;
constexpr std::uint8_t kDefaultDeflateLevel = 7;

// The image header (the content of the IHDR chunk).
struct TPNGHeader {
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  std::uint8_t BitDepth = 0;
  std::uint8_t ColorType = 0;
  std::uint8_t CompressionMethod = 0;
  std::uint8_t FilterMethod = 0;
};

class TPNGObject {
 public:
  // An image without header: Width and Height are 0 until MakeBlankImage.
  TPNGObject() = default;
  virtual ~TPNGObject() = default;
  TPNGObject(const TPNGObject&) = delete;
  TPNGObject& operator=(const TPNGObject&) = delete;

  // Makes this a blank image: every pixel black, every alpha 0, default writer
  // settings. Throws EPNGInvalidSpec for a refused type and depth and
  // EPNGInvalidNewSize for a size below 1 x 1.
  void MakeBlankImage(int colorType, int bitDepth, std::int32_t width, std::int32_t height);

  [[nodiscard]] bool HasHeader() const { return header_.has_value(); }
  [[nodiscard]] const TPNGHeader& ImageHeader() const;
  [[nodiscard]] std::int32_t Width() const { return header_ ? header_->Width : 0; }
  [[nodiscard]] std::int32_t Height() const { return header_ ? header_->Height : 0; }
  void SetWidth(std::int32_t width) { SetImageSize(width, Height()); }
  void SetHeight(std::int32_t height) { SetImageSize(Width(), height); }
  [[nodiscard]] std::size_t Stride() const { return stride_; }

  // New size; the top-left block keeps its colours and alpha, new pixels are
  // black and opaque. Throws EPNGInvalidNewSize (nothing changes) below 1 x 1.
  void SetImageSize(std::int32_t newWidth, std::int32_t newHeight);

  // Colour of (x, y) as 0x00BBGGRR; 0 outside the image.
  [[nodiscard]] TColor ReadPixel(std::int32_t x, std::int32_t y) const {
    if (!Inside(x, y)) {
      return 0;
    }
    const std::uint8_t* pixel = PixelRow(y) + static_cast<std::size_t>(x) * 3;
    return PackRGB(pixel[2], pixel[1], pixel[0]);
  }
  // Stores the colour's low 24 bits at (x, y); nothing happens outside.
  void WritePixel(std::int32_t x, std::int32_t y, TColor color) {
    if (!Inside(x, y)) {
      return;
    }
    std::uint8_t* pixel = PixelRow(y) + static_cast<std::size_t>(x) * 3;
    pixel[0] = BlueOf(color);
    pixel[1] = GreenOf(color);
    pixel[2] = RedOf(color);
  }

  // Start of pixel row y (bottom-up memory: row y is stored at Height-1-y).
  [[nodiscard]] std::uint8_t* PixelRow(std::int32_t y) {
    return pixels_.data() + static_cast<std::size_t>(Height() - 1 - y) * stride_;
  }
  [[nodiscard]] const std::uint8_t* PixelRow(std::int32_t y) const {
    return pixels_.data() + static_cast<std::size_t>(Height() - 1 - y) * stride_;
  }
  // Start of alpha row y; the alpha of (x, y) is byte x from there.
  [[nodiscard]] std::uint8_t* AlphaRow(std::int32_t y) {
    return alpha_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(Width());
  }
  [[nodiscard]] const std::uint8_t* AlphaRow(std::int32_t y) const {
    return alpha_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(Width());
  }

  [[nodiscard]] TCanvas& Canvas() { return canvas_; }
  [[nodiscard]] const TCanvas& Canvas() const { return canvas_; }

  [[nodiscard]] std::uint8_t RowFilters() const { return rowFilters_; }
  void SetRowFilters(std::uint8_t filters) { rowFilters_ = filters; }
  [[nodiscard]] std::uint8_t DeflateLevel() const { return deflateLevel_; }
  void SetDeflateLevel(std::uint8_t level) { deflateLevel_ = level; }
  [[nodiscard]] std::int32_t IdatLimit() const { return idatLimit_; }
  // Requests below 65535 are raised to 65535.
  void SetIdatLimit(std::int32_t limit) { idatLimit_ = limit < kDefaultIdatLimit ? kDefaultIdatLimit : limit; }
  [[nodiscard]] std::uint8_t InterlaceMode() const { return interlaceMode_; }
  void SetInterlaceMode(std::uint8_t mode) { interlaceMode_ = mode; }

  // Replaces this image by a deep copy of `source`: writer settings, header,
  // pixel memory and alpha plane.
  void Assign(const TPNGObject& source);

  // The chunks written when saving: IHDR, IDAT, IEND after MakeBlankImage;
  // empty for an image without header.
  [[nodiscard]] const TPNGList& Chunks() const { return chunks_; }

  // Saves the image as a PNG datastream (see image/png_writer.h).
  void SaveToStream(std::ostream& out) const;
  void SaveToFile(const std::string& path) const;

  // Row stride of a 24-bit memory `width` pixels wide, padded to 4 bytes.
  [[nodiscard]] static std::size_t StrideFor(std::int32_t width);

 private:
  [[nodiscard]] bool Inside(std::int32_t x, std::int32_t y) const {
    return x >= 0 && y >= 0 && x < Width() && y < Height();
  }
  void BindCanvas();

  std::optional<TPNGHeader> header_;
  TPNGList chunks_;
  std::vector<std::uint8_t> pixels_;
  std::vector<std::uint8_t> alpha_;
  std::size_t stride_ = 0;
  TCanvas canvas_;
  std::uint8_t rowFilters_ = pfSub;
  std::uint8_t deflateLevel_ = kDefaultDeflateLevel;
  std::int32_t idatLimit_ = kDefaultIdatLimit;
  std::uint8_t interlaceMode_ = 0;
};

}  // namespace glyphory
