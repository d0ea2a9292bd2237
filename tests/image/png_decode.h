// Test helpers that take a written PNG apart independently of the writer:
// chunk framing, the inflated image data, and decoding with libpng.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace glyphory::test {

struct ParsedChunk {
  std::string type;
  std::string data;
  bool crcOk = false;
};

// Chunks after the 8-byte signature; stops at the end or a truncated chunk.
std::vector<ParsedChunk> ParseChunks(const std::string& file);

// The data of all IDAT chunks, in order.
std::string IdatData(const std::vector<ParsedChunk>& chunks);

// Inflates one complete zlib stream; `ok` is false unless the stream is valid,
// ends exactly at the end of the input and its checksum verifies.
std::string InflateZlib(const std::string& stream, bool& ok);

struct DecodedPng {
  bool ok = false;
  std::string error;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  int bitDepth = 0;
  int colorType = 0;
  // Red, green, blue, alpha of every pixel, row by row; 16-bit samples as read
  // big-endian from the file, 8-bit samples as they are.
  std::vector<std::uint16_t> samples;
};

DecodedPng DecodeWithLibpng(const std::string& file);

}  // namespace glyphory::test
