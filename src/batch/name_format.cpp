#include "batch/name_format.h"

#include <cctype>

namespace glyphory {

namespace {

// Field widths and precisions beyond this are refused (no name needs them).
constexpr std::size_t kMaxField = 255;

struct Conversion {
  bool leftAlign = false;
  std::size_t width = 0;
  bool hasPrecision = false;
  std::size_t precision = 0;
  char type = 0;
};

std::size_t ReadCount(std::string_view format, std::size_t& pos) {
  std::size_t value = 0;
  while (pos < format.size() && std::isdigit(static_cast<unsigned char>(format[pos]))) {
    value = value * 10 + static_cast<std::size_t>(format[pos] - '0');
    if (value > kMaxField) {
      throw ENameFormatError(std::string(format));
    }
    ++pos;
  }
  return value;
}

// Parses the conversion that starts after a "%" at `pos`; leaves `pos` after it.
Conversion ParseConversion(std::string_view format, std::size_t& pos) {
  Conversion conv;
  if (pos < format.size() && format[pos] == '-') {
    conv.leftAlign = true;
    ++pos;
  }
  conv.width = ReadCount(format, pos);
  if (pos < format.size() && format[pos] == '.') {
    ++pos;
    conv.hasPrecision = true;
    conv.precision = ReadCount(format, pos);
  }
  if (pos >= format.size()) {
    throw ENameFormatError(std::string(format));
  }
  conv.type = format[pos++];
  if (conv.type != 'd' && conv.type != 'u' && conv.type != 'x' && conv.type != 'D' && conv.type != 'U' &&
      conv.type != 'X') {
    throw ENameFormatError(std::string(format));
  }
  conv.type = static_cast<char>(std::tolower(static_cast<unsigned char>(conv.type)));
  return conv;
}

std::string Digits(const Conversion& conv, std::int32_t number, bool& negative) {
  const auto pattern = static_cast<std::uint32_t>(number);
  negative = conv.type == 'd' && number < 0;
  if (conv.type == 'x') {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string digits;
    std::uint32_t value = pattern;
    do {
      digits.insert(digits.begin(), kHex[value & 0xF]);
      value >>= 4;
    } while (value != 0);
    return digits;
  }
  const std::uint64_t magnitude =
      negative ? static_cast<std::uint64_t>(-static_cast<std::int64_t>(number)) : pattern;
  return std::to_string(magnitude);
}

std::string Apply(const Conversion& conv, std::int32_t number) {
  bool negative = false;
  std::string digits = Digits(conv, number, negative);
  if (conv.hasPrecision && digits.size() < conv.precision) {
    digits.insert(0, conv.precision - digits.size(), '0');
  }
  if (negative) {
    digits.insert(0, 1, '-');
  }
  if (digits.size() < conv.width) {
    const std::size_t pad = conv.width - digits.size();
    if (conv.leftAlign) {
      digits.append(pad, ' ');
    } else {
      digits.insert(0, pad, ' ');
    }
  }
  return digits;
}

}  // namespace

ENameFormatError::ENameFormatError(const std::string& format)
    : std::runtime_error("Format '" + format + "' invalid or incompatible with argument") {}

std::string FormatNumber(std::string_view format, std::int32_t number) {
  std::string result;
  bool converted = false;
  std::size_t pos = 0;
  while (pos < format.size()) {
    const char c = format[pos++];
    if (c != '%') {
      result += c;
      continue;
    }
    if (pos < format.size() && format[pos] == '%') {
      result += '%';
      ++pos;
      continue;
    }
    if (converted) {
      throw ENameFormatError(std::string(format));
    }
    result += Apply(ParseConversion(format, pos), number);
    converted = true;
  }
  return result;
}

}  // namespace glyphory
