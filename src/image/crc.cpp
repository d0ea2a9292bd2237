#include "image/crc.h"

#include <array>

namespace glyphory {

namespace {

using TCrcTable = std::array<std::uint32_t, 256>;

TCrcTable BuildCrcTable() {
  TCrcTable table{};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int k = 0; k < 8; ++k) {
      c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    }
    table[n] = c;
  }
  return table;
}

// Built once, on the first CRC computed.
const TCrcTable& CrcTable() {
  static const TCrcTable table = BuildCrcTable();
  return table;
}

}  // namespace

std::uint32_t UpdateCrc(std::uint32_t crc, const std::uint8_t* data, std::size_t length) {
  const TCrcTable& table = CrcTable();
  for (std::size_t i = 0; i < length; ++i) {
    crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  }
  return crc;
}

std::uint32_t Crc32(const std::uint8_t* data, std::size_t length) {
  return FinishCrc(UpdateCrc(kCrcStart, data, length));
}

}  // namespace glyphory
