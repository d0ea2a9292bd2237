// The CRC-32 of PNG chunks: reflected polynomial 0xEDB88320, register preset
// to all ones, result complemented.
#pragma once

#include <cstddef>
#include <cstdint>

namespace glyphory {

// Register value before the first byte.
constexpr std::uint32_t kCrcStart = 0xFFFFFFFFu;

// Feeds bytes into a running CRC register (start with kCrcStart).
[[nodiscard]] std::uint32_t UpdateCrc(std::uint32_t crc, const std::uint8_t* data, std::size_t length);

// The finished CRC of a running register.
[[nodiscard]] constexpr std::uint32_t FinishCrc(std::uint32_t crc) { return crc ^ 0xFFFFFFFFu; }

// CRC of one block of bytes.
[[nodiscard]] std::uint32_t Crc32(const std::uint8_t* data, std::size_t length);

}  // namespace glyphory
