#include "image/bitmap.h"

#include <algorithm>
#include <limits>
#include <new>

#include "image/byte_order.h"
#include "image/file_output.h"
#include "image/png_errors.h"
#include "image/png_object.h"

namespace glyphory {

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kPixelOffset = kFileHeaderSize + kInfoHeaderSize;

template <typename T>
std::vector<T> AllocateBuffer(std::size_t count, T fill) {
  try {
    return std::vector<T>(count, fill);
  } catch (const std::bad_alloc&) {
    throw EPNGOutMemory();
  } catch (const std::length_error&) {
    throw EPNGOutMemory();
  }
}

// Byte count of width x height elements of `elementBytes`; too large a
// buffer is reported as lack of memory.
std::size_t BufferBytes(std::int64_t width, std::int64_t height, std::size_t elementBytes) {
  const auto limit = static_cast<std::uint64_t>(std::numeric_limits<std::ptrdiff_t>::max()) / elementBytes;
  const auto w = static_cast<std::uint64_t>(width);
  const auto h = static_cast<std::uint64_t>(height);
  if (w != 0 && h > limit / w) {
    throw EPNGOutMemory();
  }
  return static_cast<std::size_t>(w * h);
}

std::uint8_t BlendChannel(std::uint32_t source, std::uint32_t target, std::uint32_t alpha) {
  return static_cast<std::uint8_t>((source * alpha + target * (255 - alpha) + 255) / 256);
}

// Work-buffer pixels are 0x00RRGGBB, as in a 32-bit device-independent bitmap.
std::uint32_t PackWork(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return (static_cast<std::uint32_t>(red) << 16) | (static_cast<std::uint32_t>(green) << 8) | blue;
}

std::uint32_t BlendPixel(std::uint32_t targetPixel, const std::uint8_t* source, std::uint8_t alpha) {
  if (alpha == 0) {
    return targetPixel;
  }
  if (alpha == 255) {
    return PackWork(source[2], source[1], source[0]);
  }
  return PackWork(BlendChannel(source[2], (targetPixel >> 16) & 0xFF, alpha),
                  BlendChannel(source[1], (targetPixel >> 8) & 0xFF, alpha),
                  BlendChannel(source[0], targetPixel & 0xFF, alpha));
}

// The rectangle with its corners in order, in 64-bit so no size overflows.
struct TOrderedRect {
  std::int64_t left, top, width, height;
};

TOrderedRect Ordered(const TRect& rect) {
  const std::int64_t left = std::min(rect.Left, rect.Right);
  const std::int64_t top = std::min(rect.Top, rect.Bottom);
  return TOrderedRect{left, top, std::max<std::int64_t>(rect.Left, rect.Right) - left,
                      std::max<std::int64_t>(rect.Top, rect.Bottom) - top};
}

bool InsideTarget(const PixelTarget& target, std::int64_t x, std::int64_t y) {
  return x >= 0 && y >= 0 && x < target.width && y < target.height;
}

void CopyFromTarget(const PixelTarget& target, const TOrderedRect& r, std::vector<std::uint32_t>& work) {
  for (std::int64_t j = 0; j < r.height; ++j) {
    for (std::int64_t i = 0; i < r.width; ++i) {
      if (InsideTarget(target, r.left + i, r.top + j)) {
        const std::uint8_t* p = target.Row(static_cast<std::int32_t>(r.top + j)) + (r.left + i) * 3;
        work[static_cast<std::size_t>(j * r.width + i)] = PackWork(p[2], p[1], p[0]);
      }
    }
  }
}

void CopyToTarget(const std::vector<std::uint32_t>& work, const TOrderedRect& r, const PixelTarget& target) {
  for (std::int64_t j = 0; j < r.height; ++j) {
    for (std::int64_t i = 0; i < r.width; ++i) {
      if (InsideTarget(target, r.left + i, r.top + j)) {
        std::uint8_t* p = target.Row(static_cast<std::int32_t>(r.top + j)) + (r.left + i) * 3;
        const std::uint32_t value = work[static_cast<std::size_t>(j * r.width + i)];
        p[0] = static_cast<std::uint8_t>(value & 0xFF);
        p[1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
        p[2] = static_cast<std::uint8_t>((value >> 16) & 0xFF);
      }
    }
  }
}

// Source column (or row) of target position i when scaling by `ratio`; kept
// inside the image should rounding land on its far edge.
std::int32_t SourceIndex(std::int64_t i, bool scaled, double ratio, std::int32_t size) {
  if (!scaled) {
    return static_cast<std::int32_t>(i);
  }
  const auto index = static_cast<std::int64_t>(static_cast<double>(i) / ratio);
  return static_cast<std::int32_t>(std::min<std::int64_t>(index, size - 1));
}

void BlendInto(const TPNGObject& image, const TOrderedRect& r, std::vector<std::uint32_t>& work) {
  const bool scaled = r.width != image.Width() || r.height != image.Height();
  const double rx = static_cast<double>(r.width) / image.Width();
  const double ry = static_cast<double>(r.height) / image.Height();
  for (std::int64_t j = 0; j < r.height; ++j) {
    const std::int32_t y = SourceIndex(j, scaled, ry, image.Height());
    const std::uint8_t* pixels = image.PixelRow(y);
    const std::uint8_t* alpha = image.AlphaRow(y);
    std::uint32_t* out = work.data() + j * r.width;
    for (std::int64_t i = 0; i < r.width; ++i) {
      const std::int32_t x = SourceIndex(i, scaled, rx, image.Width());
      out[i] = BlendPixel(out[i], pixels + static_cast<std::size_t>(x) * 3, alpha[x]);
    }
  }
}

}  // namespace

void TBitmap::SetSize(std::int32_t width, std::int32_t height) {
  if (width < 0 || height < 0) {
    throw EPNGInvalidNewSize();
  }
  const std::size_t stride = TPNGObject::StrideFor(width);
  std::vector<std::uint8_t> bits = AllocateBuffer<std::uint8_t>(BufferBytes(static_cast<std::int64_t>(stride), height, 1), 0);
  for (std::int32_t row = 0; row < height; ++row) {
    std::fill_n(bits.begin() + static_cast<std::ptrdiff_t>(row * stride), static_cast<std::size_t>(width) * 3, 255);
  }
  bits_ = std::move(bits);
  width_ = width;
  height_ = height;
  stride_ = stride;
  canvas_.Bind(Target());
}

TColor TBitmap::Pixel(std::int32_t x, std::int32_t y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) {
    return 0;
  }
  const std::uint8_t* p = bits_.data() + static_cast<std::size_t>(height_ - 1 - y) * stride_ + static_cast<std::size_t>(x) * 3;
  return PackRGB(p[2], p[1], p[0]);
}

void TBitmap::SaveToStream(std::ostream& out) const {
  const std::uint64_t imageBytes = static_cast<std::uint64_t>(stride_) * static_cast<std::uint64_t>(height_);
  if (imageBytes > std::numeric_limits<std::uint32_t>::max() - kPixelOffset) {
    throw EPNGError("The bitmap is too large for a BMP file.");
  }
  const auto imageSize = static_cast<std::uint32_t>(imageBytes);
  TBytes header;
  PutU8(header, 'B');                                         // file type "BM"
  PutU8(header, 'M');
  PutU32LE(header, kPixelOffset + imageSize);                 // file size
  PutU16LE(header, 0);                                        // reserved
  PutU16LE(header, 0);                                        // reserved
  PutU32LE(header, kPixelOffset);                             // offset of the pixel rows
  PutU32LE(header, kInfoHeaderSize);                          // header size
  PutU32LE(header, static_cast<std::uint32_t>(width_));       // width
  PutU32LE(header, static_cast<std::uint32_t>(height_));      // height (positive: bottom-up)
  PutU16LE(header, 1);                                        // planes
  PutU16LE(header, 24);                                       // bits per pixel
  PutU32LE(header, 0);                                        // compression: none
  PutU32LE(header, imageSize);                                // size of the pixel rows
  PutU32LE(header, 0);                                        // horizontal resolution
  PutU32LE(header, 0);                                        // vertical resolution
  PutU32LE(header, 0);                                        // colours used
  PutU32LE(header, 0);                                        // important colours
  CheckedWrite(out, header.data(), header.size());
  // The memory is bottom-up already: its first row is the bottom image row.
  if (imageSize > 0) {
    CheckedWrite(out, bits_.data(), imageSize);
  }
  CheckedFlush(out);
}

void TBitmap::SaveToFile(const std::string& path) const {
  WriteFileReplacing(path, [this](std::ostream& out) { SaveToStream(out); });
}

void DrawWithAlpha(const TPNGObject& image, const PixelTarget& target, TRect rect) {
  if (image.Width() == 0 || image.Height() == 0 || rect.Right == rect.Left || rect.Bottom == rect.Top) {
    return;
  }
  const TOrderedRect r = Ordered(rect);
  std::vector<std::uint32_t> work = AllocateBuffer<std::uint32_t>(BufferBytes(r.width, r.height, 4), 0);
  CopyFromTarget(target, r, work);
  BlendInto(image, r, work);
  CopyToTarget(work, r, target);
}

void ConvertToBitmap(const TPNGObject& image, TBitmap& bitmap) {
  bitmap.SetWidth(image.Width());
  bitmap.SetHeight(image.Height());
  DrawWithAlpha(image, bitmap.Target(), TRect{0, 0, image.Width(), image.Height()});
}

}  // namespace glyphory
