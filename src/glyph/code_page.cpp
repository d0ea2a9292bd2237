#include "glyph/code_page.h"

#include <iconv.h>

#include <cerrno>
#include <memory>
#include <stdexcept>

#include "glyph/logfont.h"

namespace glyphory {

namespace {

// Owns one iconv conversion descriptor.
class IconvHandle {
 public:
  IconvHandle(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) {
      throw std::runtime_error(std::string("Unknown code page: ") + from);
    }
  }
  ~IconvHandle() { iconv_close(cd_); }
  IconvHandle(const IconvHandle&) = delete;
  IconvHandle& operator=(const IconvHandle&) = delete;

  // Converts `in` completely; returns false if any byte failed.
  bool Convert(std::string_view in, std::string& out) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // reset shift state
    out.resize(in.size() * 4 + 8);
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char* dst = out.data();
    std::size_t dstLeft = out.size();
    const std::size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
    if (rc == static_cast<std::size_t>(-1) || srcLeft != 0) {
      return false;
    }
    char* flushDst = dst;
    if (iconv(cd_, nullptr, nullptr, &flushDst, &dstLeft) == static_cast<std::size_t>(-1)) {
      return false;
    }
    out.resize(static_cast<std::size_t>(flushDst - out.data()));
    return true;
  }

 private:
  iconv_t cd_;
};

char32_t ReadUtf32Le(const std::string& bytes) {
  const auto b = [&](std::size_t i) { return static_cast<char32_t>(static_cast<unsigned char>(bytes[i])); };
  return b(0) | (b(1) << 8) | (b(2) << 16) | (b(3) << 24);
}

// Converts text chunk by chunk (one character at a time where a chunk fails)
// so that a single bad character becomes '?' instead of losing the rest.
std::string ConvertLenient(const char* to, const char* from, std::string_view text,
                           std::size_t (*charLength)(std::string_view)) {
  IconvHandle cd(to, from);
  std::string result;
  std::string piece;
  if (cd.Convert(text, piece)) {
    return piece;
  }
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t len = charLength(text.substr(pos));
    if (cd.Convert(text.substr(pos, len), piece)) {
      result += piece;
    } else {
      result += '?';
    }
    pos += len;
  }
  return result;
}

std::size_t SingleByte(std::string_view) { return 1; }

// Length of the UTF-8 sequence at the start of `s`: what its lead byte
// announces, cut short at the first byte that does not continue it, so a
// broken sequence never swallows the text after it.
std::size_t Utf8SequenceLength(std::string_view s) {
  const auto lead = static_cast<unsigned char>(s[0]);
  std::size_t expected = 1;
  if (lead >= 0xF0 && lead <= 0xF4) {
    expected = 4;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    expected = 3;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    expected = 2;
  }
  std::size_t len = 1;
  while (len < expected && len < s.size() && (static_cast<unsigned char>(s[len]) & 0xC0) == 0x80) {
    ++len;
  }
  return len;
}

}  // namespace

std::string CodePageName(std::uint8_t charset) {
  switch (charset) {
    case ANSI_CHARSET: return "CP1252";
    case SYMBOL_CHARSET: return "";
    case MAC_CHARSET: return "MACINTOSH";
    case SHIFTJIS_CHARSET: return "CP932";
    case HANGEUL_CHARSET: return "CP949";
    case JOHAB_CHARSET: return "JOHAB";
    case GB2312_CHARSET: return "CP936";
    case CHINESEBIG5_CHARSET: return "CP950";
    case GREEK_CHARSET: return "CP1253";
    case TURKISH_CHARSET: return "CP1254";
    case VIETNAMESE_CHARSET: return "CP1258";
    case HEBREW_CHARSET: return "CP1255";
    case ARABIC_CHARSET: return "CP1256";
    case BALTIC_CHARSET: return "CP1257";
    case RUSSIAN_CHARSET: return "CP1251";
    case THAI_CHARSET: return "CP874";
    case EASTEUROPE_CHARSET: return "CP1250";
    case OEM_CHARSET: return "CP866";
    default: return "CP1251";  // DEFAULT_CHARSET and unknown sets: the system code page
  }
}

std::array<char32_t, 256> DecodeTable(const std::string& codePage) {
  std::array<char32_t, 256> table{};
  IconvHandle cd("UTF-32LE", codePage.c_str());
  std::string out;
  for (int byte = 0; byte < 256; ++byte) {
    const char in = static_cast<char>(byte);
    const bool ok = cd.Convert(std::string_view(&in, 1), out) && out.size() == 4;
    table[static_cast<std::size_t>(byte)] = ok ? ReadUtf32Le(out) : kUndecodable;
  }
  return table;
}

std::string Cp1251ToUtf8(std::string_view text) {
  return ConvertLenient("UTF-8", "CP1251", text, SingleByte);
}

std::string Utf8ToCp1251(std::string_view text) {
  return ConvertLenient("CP1251", "UTF-8", text, Utf8SequenceLength);
}

bool IsValidUtf8(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t length = 1;
    char32_t minimum = 0;
    if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      minimum = 0x10000;
    } else if (lead >= 0xE0) {
      length = 3;
      minimum = 0x800;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
      minimum = 0x80;
    } else if (lead >= 0x80) {
      return false;
    }
    if (length > text.size() - pos) {
      return false;
    }
    char32_t cp = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
      const auto next = static_cast<unsigned char>(text[pos + i]);
      if ((next & 0xC0) != 0x80) {
        return false;
      }
      cp = (cp << 6) | (next & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      return false;
    }
    pos += length;
  }
  return true;
}

std::string MessageToUtf8(std::string_view text) {
  return IsValidUtf8(text) ? std::string(text) : Cp1251ToUtf8(text);
}

}  // namespace glyphory
