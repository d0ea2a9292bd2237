// The number format of BMP file names: literal text, "%%", and one integer
// conversion "%[-][width][.precision](d|u|x)". No text is ever handed to a
// printf-style routine; anything this formatter does not know is refused.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace glyphory {

// A format that does not take exactly the one integer argument.
class ENameFormatError : public std::runtime_error {
 public:
  explicit ENameFormatError(const std::string& format);
};

// Formats `number` with `format`. Precision is the least number of digits
// (zeros after any sign), width the least field width (blanks on the left, on
// the right after "-"); "x" gives upper-case hexadecimal of the 32-bit pattern,
// "u" the unsigned reading of it. Throws ENameFormatError for a conversion of
// another kind, a second conversion, or a "%" at the end.
[[nodiscard]] std::string FormatNumber(std::string_view format, std::int32_t number);

}  // namespace glyphory
