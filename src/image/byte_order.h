// Putting header fields into a byte buffer in a fixed byte order: PNG fields
// are big-endian, BMP fields little-endian. Each helper writes exactly as many
// bytes as its name says, so a field can never be silently truncated.
#pragma once

#include <cstdint>
#include <vector>

namespace glyphory {

using TBytes = std::vector<std::uint8_t>;

void PutU8(TBytes& out, std::uint8_t value);
void PutU16LE(TBytes& out, std::uint16_t value);
void PutU32LE(TBytes& out, std::uint32_t value);
void PutU32BE(TBytes& out, std::uint32_t value);

}  // namespace glyphory
