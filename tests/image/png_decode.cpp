#include "png_decode.h"

#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <cstring>

namespace glyphory::test {

namespace {

std::uint32_t ReadU32BE(const std::string& bytes, std::size_t at) {
  return (static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at])) << 24) |
         (static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 16) |
         (static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 8) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 3]));
}

struct MemoryReader {
  const std::string* bytes;
  std::size_t position;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
  auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
  if (reader->position + length > reader->bytes->size()) {
    png_error(png, "read past the end");
  }
  std::memcpy(out, reader->bytes->data() + reader->position, length);
  reader->position += length;
}

void OnError(png_structp png, png_const_charp message) {
  auto* decoded = static_cast<DecodedPng*>(png_get_error_ptr(png));
  decoded->error = message;
  png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

// The libpng part, kept apart so that no C++ object with a destructor lives
// in the frame that longjmp leaves.
void DecodeInto(const std::string& file, DecodedPng& decoded, std::vector<std::uint8_t>& pixels,
                std::vector<png_bytep>& rows) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &decoded, OnError, OnWarning);
  png_infop info = png_create_info_struct(png);
  MemoryReader reader{&file, 0};
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return;
  }
  png_set_read_fn(png, &reader, ReadFromMemory);
  png_read_info(png, info);
  decoded.width = png_get_image_width(png, info);
  decoded.height = png_get_image_height(png, info);
  decoded.bitDepth = png_get_bit_depth(png, info);
  decoded.colorType = png_get_color_type(png, info);
  const std::size_t rowBytes = png_get_rowbytes(png, info);
  pixels.assign(rowBytes * decoded.height, 0);
  rows.resize(decoded.height);
  for (std::uint32_t y = 0; y < decoded.height; ++y) {
    rows[y] = pixels.data() + y * rowBytes;
  }
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  decoded.ok = true;
  png_destroy_read_struct(&png, &info, nullptr);
}

}  // namespace

std::vector<ParsedChunk> ParseChunks(const std::string& file) {
  std::vector<ParsedChunk> chunks;
  std::size_t at = 8;
  while (at + 12 <= file.size()) {
    const std::uint32_t length = ReadU32BE(file, at);
    if (at + 12 + length > file.size()) {
      break;
    }
    ParsedChunk chunk;
    chunk.type = file.substr(at + 4, 4);
    chunk.data = file.substr(at + 8, length);
    const auto* typeAndData = reinterpret_cast<const Bytef*>(file.data() + at + 4);
    chunk.crcOk = crc32(0L, typeAndData, 4 + length) == ReadU32BE(file, at + 8 + length);
    chunks.push_back(chunk);
    at += 12 + length;
  }
  return chunks;
}

std::string IdatData(const std::vector<ParsedChunk>& chunks) {
  std::string data;
  for (const ParsedChunk& chunk : chunks) {
    if (chunk.type == "IDAT") {
      data += chunk.data;
    }
  }
  return data;
}

std::string InflateZlib(const std::string& stream, bool& ok) {
  ok = false;
  z_stream z{};
  if (inflateInit(&z) != Z_OK) {
    return {};
  }
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(stream.data()));
  z.avail_in = static_cast<uInt>(stream.size());
  std::string out;
  char buffer[65536];
  int result = Z_OK;
  while (result == Z_OK) {
    z.next_out = reinterpret_cast<Bytef*>(buffer);
    z.avail_out = sizeof buffer;
    result = inflate(&z, Z_NO_FLUSH);
    out.append(buffer, sizeof buffer - z.avail_out);
  }
  ok = result == Z_STREAM_END && z.avail_in == 0;
  inflateEnd(&z);
  return out;
}

DecodedPng DecodeWithLibpng(const std::string& file) {
  DecodedPng decoded;
  std::vector<std::uint8_t> pixels;
  std::vector<png_bytep> rows;
  DecodeInto(file, decoded, pixels, rows);
  if (!decoded.ok) {
    return decoded;
  }
  if (decoded.bitDepth == 16) {
    for (std::size_t i = 0; i + 1 < pixels.size(); i += 2) {
      decoded.samples.push_back(static_cast<std::uint16_t>((pixels[i] << 8) | pixels[i + 1]));
    }
  } else {
    decoded.samples.assign(pixels.begin(), pixels.end());
  }
  return decoded;
}

}  // namespace glyphory::test
