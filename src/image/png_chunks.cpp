#include "image/png_chunks.h"

#include <algorithm>
#include <limits>

#include "image/byte_order.h"
#include "image/crc.h"
#include "image/deflate_stream.h"
#include "image/file_output.h"
#include "image/png_object.h"
#include "image/scanline_encoder.h"

namespace glyphory {

namespace {

constexpr std::size_t kClassPrefixLength = 6;  // "TChunk"

// The 13 IHDR data bytes of an image.
TBytes HeaderData(const TPNGObject& image) {
  const TPNGHeader& header = image.ImageHeader();
  TBytes data;
  PutU32BE(data, static_cast<std::uint32_t>(header.Width));   // width
  PutU32BE(data, static_cast<std::uint32_t>(header.Height));  // height
  PutU8(data, header.BitDepth);                               // bit depth
  PutU8(data, header.ColorType);                              // colour type
  PutU8(data, header.CompressionMethod);                      // compression method
  PutU8(data, header.FilterMethod);                           // filter method
  PutU8(data, image.InterlaceMode());                         // interlace method
  return data;
}

}  // namespace

void WriteChunk(std::ostream& out, std::string_view type, const std::uint8_t* data, std::uint32_t length) {
  TBytes prefix;
  PutU32BE(prefix, length);  // length
  const auto* typeBytes = reinterpret_cast<const std::uint8_t*>(type.data());
  prefix.insert(prefix.end(), typeBytes, typeBytes + type.size());  // type
  std::uint32_t crc = UpdateCrc(kCrcStart, typeBytes, type.size());
  crc = FinishCrc(UpdateCrc(crc, data, length));
  TBytes suffix;
  PutU32BE(suffix, crc);  // CRC over type and data
  CheckedWrite(out, prefix.data(), prefix.size());
  if (length > 0) {
    CheckedWrite(out, data, length);
  }
  CheckedWrite(out, suffix.data(), suffix.size());
}

TChunk::TChunk(const TPNGObject& owner, std::string_view className)
    : type_(className.substr(std::min(kClassPrefixLength, className.size()))), owner_(&owner) {}

std::unique_ptr<TChunk> TChunk::CloneFor(const TPNGObject& owner) const {
  auto copy = std::make_unique<TChunk>(owner);
  copy->type_ = type_;
  copy->Assign(*this);
  return copy;
}

void TChunk::Assign(const TChunk& source) { data_ = source.data_; }

void TChunk::Write(std::ostream& out) {
  if (data_.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
    throw EPNGError("The " + type_ + " chunk is too long to be written.");
  }
  WriteChunk(out, type_, data_.data(), static_cast<std::uint32_t>(data_.size()));
}

std::unique_ptr<TChunk> TChunkIHDR::CloneFor(const TPNGObject& owner) const {
  auto copy = std::make_unique<TChunkIHDR>(owner);
  copy->Assign(*this);
  return copy;
}

void TChunkIHDR::Write(std::ostream& out) {
  MutableData() = HeaderData(Owner());
  TChunk::Write(out);
}

std::unique_ptr<TChunk> TChunkIDAT::CloneFor(const TPNGObject& owner) const {
  return std::make_unique<TChunkIDAT>(owner);
}

void TChunkIDAT::Write(std::ostream& out) {
  const TPNGObject& image = Owner();
  const auto limit = static_cast<std::size_t>(image.IdatLimit());
  // Every time the output buffer is full it becomes one IDAT chunk; the sink
  // never gets an empty piece, so no IDAT chunk is empty.
  TDeflateStream stream(image.DeflateLevel(), limit, [&out](const std::uint8_t* data, std::size_t length) {
    WriteChunk(out, "IDAT", data, static_cast<std::uint32_t>(length));
  });
  EncodeImage(image, stream);
}

std::unique_ptr<TChunk> TChunkIEND::CloneFor(const TPNGObject& owner) const {
  return std::make_unique<TChunkIEND>(owner);
}

}  // namespace glyphory
