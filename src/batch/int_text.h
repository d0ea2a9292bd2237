// Integer text: the one number syntax of code lists and INI integers.
//
// Accepted: any number of leading spaces, an optional "+" or "-", then either
// decimal digits (the value must fit a signed 32-bit integer) or hexadecimal
// digits of either case after "$", "x", "X", "0x" or "0X" (the value must fit
// in 32 bits and stands for that bit pattern, so $FFFFFFFF is -1). Nothing may
// follow the digits; an empty text does not convert.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace glyphory {

// The conversion error: "'<text>' is not a valid integer value".
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
  // The error for a text that is not integer text.
  [[nodiscard]] static EConvertError NotAnInteger(std::string_view text);
};

// The value of an integer text, or nothing when the text does not convert.
[[nodiscard]] std::optional<std::int32_t> TryStrToInt(std::string_view text);

// The value of an integer text; throws EConvertError when it does not convert.
[[nodiscard]] std::int32_t StrToInt(std::string_view text);

// Canonical decimal text: "-" for a negative value, no leading zeros.
[[nodiscard]] std::string IntToStr(std::int64_t value);

}  // namespace glyphory
