#include "batch/int_text.h"

#include <cstddef>

namespace glyphory {
namespace {

// Value of a hexadecimal digit, or -1.
int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  if (c >= 'a' && c <= 'f') {
    return c - 'a' + 10;
  }
  if (c >= 'A' && c <= 'F') {
    return c - 'A' + 10;
  }
  return -1;
}

// Length of the hexadecimal prefix at the start of `rest` (0 when none).
std::size_t HexPrefixLength(std::string_view rest) {
  if (rest.empty()) {
    return 0;
  }
  if (rest[0] == '$' || rest[0] == 'x' || rest[0] == 'X') {
    return 1;
  }
  if (rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X')) {
    return 2;
  }
  return 0;
}

// Hexadecimal digits as a 32-bit pattern; nothing when a character is no
// digit, there are no digits, or the value needs more than 32 bits.
std::optional<std::uint32_t> ParseHexDigits(std::string_view digits) {
  if (digits.empty()) {
    return std::nullopt;
  }
  std::uint64_t value = 0;
  for (const char c : digits) {
    const int digit = HexDigitValue(c);
    if (digit < 0) {
      return std::nullopt;
    }
    value = value * 16 + static_cast<std::uint64_t>(digit);
    if (value > 0xFFFFFFFFu) {
      return std::nullopt;
    }
  }
  return static_cast<std::uint32_t>(value);
}

// Decimal digits as a magnitude of at most 2^31 (the size of INT32_MIN).
std::optional<std::uint64_t> ParseDecimalDigits(std::string_view digits) {
  constexpr std::uint64_t kLimit = 0x80000000u;
  if (digits.empty()) {
    return std::nullopt;
  }
  std::uint64_t value = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') {
      return std::nullopt;
    }
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
    if (value > kLimit) {
      return std::nullopt;
    }
  }
  return value;
}

}  // namespace

EConvertError EConvertError::NotAnInteger(std::string_view text) {
  std::string message;
  message.reserve(text.size() + 32);
  message.append("'").append(text).append("' is not a valid integer value");
  return EConvertError(message);
}

std::optional<std::int32_t> TryStrToInt(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && text[pos] == ' ') {
    ++pos;
  }
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  const std::string_view rest = text.substr(pos);
  const std::size_t prefix = HexPrefixLength(rest);
  if (prefix > 0) {
    const auto pattern = ParseHexDigits(rest.substr(prefix));
    if (!pattern) {
      return std::nullopt;
    }
    // Negation works on the bit pattern, as the 32-bit arithmetic does.
    const std::uint32_t bits = negative ? 0u - *pattern : *pattern;
    return static_cast<std::int32_t>(bits);
  }
  const auto magnitude = ParseDecimalDigits(rest);
  if (!magnitude) {
    return std::nullopt;
  }
  const std::int64_t value = negative ? -static_cast<std::int64_t>(*magnitude)
                                      : static_cast<std::int64_t>(*magnitude);
  if (value > INT32_MAX) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(value);
}

std::int32_t StrToInt(std::string_view text) {
  const auto value = TryStrToInt(text);
  if (!value) {
    throw EConvertError::NotAnInteger(text);
  }
  return *value;
}

std::string IntToStr(std::int64_t value) { return std::to_string(value); }

}  // namespace glyphory
