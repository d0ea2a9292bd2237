#include "image/png_object.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <new>

#include "image/png_writer.h"

namespace glyphory {

namespace {

bool IsAcceptedType(int colorType, int bitDepth) {
  const bool knownType = colorType == 0 || colorType == 2 || colorType == 3 || colorType == 4 || colorType == 6;
  const bool knownDepth = bitDepth == 1 || bitDepth == 2 || bitDepth == 4 || bitDepth == 8 || bitDepth == 16;
  if (!knownType || !knownDepth) {
    return false;
  }
  if (colorType == 3 && bitDepth == 16) {
    return false;
  }
  if (colorType == 2 && bitDepth < 8) {
    return false;
  }
  return true;
}

// Byte count of a plane, checked so that no size wraps around; a plane that
// cannot be had raises EPNGOutMemory.
std::size_t PlaneBytes(std::size_t rowBytes, std::int32_t rows) {
  const std::size_t limit = std::numeric_limits<std::size_t>::max() / 4;
  if (rows > 0 && rowBytes > limit / static_cast<std::size_t>(rows)) {
    throw EPNGOutMemory();
  }
  return rowBytes * static_cast<std::size_t>(rows);
}

std::vector<std::uint8_t> AllocatePlane(std::size_t bytes, std::uint8_t fill) {
  try {
    return std::vector<std::uint8_t>(bytes, fill);
  } catch (const std::bad_alloc&) {
    throw EPNGOutMemory();
  } catch (const std::length_error&) {
    throw EPNGOutMemory();
  }
}

}  // namespace

std::size_t TPNGObject::StrideFor(std::int32_t width) {
  return ((24 * static_cast<std::size_t>(width) + 31) / 32) * 4;
}

void TPNGObject::MakeBlankImage(int colorType, int bitDepth, std::int32_t width, std::int32_t height) {
  rowFilters_ = pfSub;
  deflateLevel_ = kDefaultDeflateLevel;
  idatLimit_ = kDefaultIdatLimit;
  interlaceMode_ = 0;
  if (!IsAcceptedType(colorType, bitDepth)) {
    throw EPNGInvalidSpec();
  }
  if (width < 1 || height < 1) {
    throw EPNGInvalidNewSize();
  }
  const std::size_t stride = StrideFor(width);
  std::vector<std::uint8_t> pixels = AllocatePlane(PlaneBytes(stride, height), 0);
  std::vector<std::uint8_t> alpha = AllocatePlane(PlaneBytes(static_cast<std::size_t>(width), height), 0);
  chunks_.Clear();
  chunks_.Add(std::make_unique<TChunkIHDR>(*this));
  chunks_.Add(std::make_unique<TChunkIDAT>(*this));
  chunks_.Add(std::make_unique<TChunkIEND>(*this));
  header_ = TPNGHeader{width, height, static_cast<std::uint8_t>(bitDepth), static_cast<std::uint8_t>(colorType), 0, 0};
  pixels_ = std::move(pixels);
  alpha_ = std::move(alpha);
  stride_ = stride;
  BindCanvas();
}

const TPNGHeader& TPNGObject::ImageHeader() const {
  if (!header_) {
    throw EPNGHeaderNotPresent();
  }
  return *header_;
}

void TPNGObject::SetImageSize(std::int32_t newWidth, std::int32_t newHeight) {
  if (newWidth < 1 || newHeight < 1) {
    throw EPNGInvalidNewSize();
  }
  if (!header_) {
    throw EPNGHeaderNotPresent();
  }
  const std::size_t newStride = StrideFor(newWidth);
  std::vector<std::uint8_t> pixels = AllocatePlane(PlaneBytes(newStride, newHeight), 0);
  std::vector<std::uint8_t> alpha = AllocatePlane(PlaneBytes(static_cast<std::size_t>(newWidth), newHeight), 255);

  const std::int32_t keptRows = std::min(Height(), newHeight);
  const std::size_t keptRowBytes = std::min(stride_, newStride);
  const std::size_t keptAlphaBytes = static_cast<std::size_t>(std::min(Width(), newWidth));
  for (std::int32_t y = 0; y < keptRows; ++y) {
    std::uint8_t* newRow = pixels.data() + static_cast<std::size_t>(newHeight - 1 - y) * newStride;
    std::memcpy(newRow, PixelRow(y), keptRowBytes);
    std::memcpy(alpha.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(newWidth), AlphaRow(y),
                keptAlphaBytes);
  }

  pixels_ = std::move(pixels);
  alpha_ = std::move(alpha);
  stride_ = newStride;
  header_->Width = newWidth;
  header_->Height = newHeight;
  BindCanvas();
}

void TPNGObject::Assign(const TPNGObject& source) {
  if (&source == this) {
    return;
  }
  std::vector<std::uint8_t> pixels = AllocatePlane(source.pixels_.size(), 0);
  std::vector<std::uint8_t> alpha = AllocatePlane(source.alpha_.size(), 0);
  std::copy(source.pixels_.begin(), source.pixels_.end(), pixels.begin());
  std::copy(source.alpha_.begin(), source.alpha_.end(), alpha.begin());
  TPNGList chunks;
  for (std::size_t i = 0; i < source.chunks_.Count(); ++i) {
    chunks.Add(source.chunks_.Item(i).CloneFor(*this));
  }
  interlaceMode_ = source.interlaceMode_;
  idatLimit_ = std::max(source.idatLimit_, kDefaultIdatLimit);
  deflateLevel_ = source.deflateLevel_;
  rowFilters_ = source.rowFilters_;
  chunks_ = std::move(chunks);
  header_ = source.header_;
  pixels_ = std::move(pixels);
  alpha_ = std::move(alpha);
  stride_ = source.stride_;
  BindCanvas();
}

void TPNGObject::SaveToStream(std::ostream& out) const { SavePNGToStream(*this, out); }

void TPNGObject::SaveToFile(const std::string& path) const { SavePNGToFile(*this, path); }

void TPNGObject::BindCanvas() {
  canvas_.Bind(PixelTarget{pixels_.data(), Width(), Height(), stride_});
}

}  // namespace glyphory
