// The 60-byte logical-font record: a face described by height, weight, style,
// character set and face name, laid out field for field as the desktop's record.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace glyphory {

constexpr int LF_FACESIZE = 32;

// Character sets.
constexpr std::uint8_t ANSI_CHARSET = 0;
constexpr std::uint8_t DEFAULT_CHARSET = 1;
constexpr std::uint8_t SYMBOL_CHARSET = 2;
constexpr std::uint8_t MAC_CHARSET = 77;
constexpr std::uint8_t SHIFTJIS_CHARSET = 128;
constexpr std::uint8_t HANGEUL_CHARSET = 129;
constexpr std::uint8_t JOHAB_CHARSET = 130;
constexpr std::uint8_t GB2312_CHARSET = 134;
constexpr std::uint8_t CHINESEBIG5_CHARSET = 136;
constexpr std::uint8_t GREEK_CHARSET = 161;
constexpr std::uint8_t TURKISH_CHARSET = 162;
constexpr std::uint8_t VIETNAMESE_CHARSET = 163;
constexpr std::uint8_t HEBREW_CHARSET = 177;
constexpr std::uint8_t ARABIC_CHARSET = 178;
constexpr std::uint8_t BALTIC_CHARSET = 186;
constexpr std::uint8_t RUSSIAN_CHARSET = 204;
constexpr std::uint8_t THAI_CHARSET = 222;
constexpr std::uint8_t EASTEUROPE_CHARSET = 238;
constexpr std::uint8_t OEM_CHARSET = 255;

// Weights.
constexpr std::int32_t FW_NORMAL = 400;
constexpr std::int32_t FW_SEMIBOLD = 600;
constexpr std::int32_t FW_BOLD = 700;

// Precision, quality and pitch defaults.
constexpr std::uint8_t OUT_DEFAULT_PRECIS = 0;
constexpr std::uint8_t CLIP_DEFAULT_PRECIS = 0;
constexpr std::uint8_t DEFAULT_QUALITY = 0;
constexpr std::uint8_t DEFAULT_PITCH = 0;

struct LOGFONT {
  std::int32_t lfHeight = 0;  // > 0 cell height, < 0 character height, 0 default
  std::int32_t lfWidth = 0;
  std::int32_t lfEscapement = 0;
  std::int32_t lfOrientation = 0;
  std::int32_t lfWeight = FW_NORMAL;
  std::uint8_t lfItalic = 0;
  std::uint8_t lfUnderline = 0;
  std::uint8_t lfStrikeOut = 0;
  std::uint8_t lfCharSet = DEFAULT_CHARSET;
  std::uint8_t lfOutPrecision = OUT_DEFAULT_PRECIS;
  std::uint8_t lfClipPrecision = CLIP_DEFAULT_PRECIS;
  std::uint8_t lfQuality = DEFAULT_QUALITY;
  std::uint8_t lfPitchAndFamily = DEFAULT_PITCH;
  char lfFaceName[LF_FACESIZE] = {};  // NUL-terminated, 8-bit text

  // The face name up to its terminator (at most 31 characters).
  [[nodiscard]] std::string_view FaceName() const {
    return {lfFaceName, strnlen(lfFaceName, LF_FACESIZE - 1)};
  }
  // Stores `name`, cut to the 31 characters the record holds.
  void SetFaceName(std::string_view name) {
    std::memset(lfFaceName, 0, sizeof lfFaceName);
    std::memcpy(lfFaceName, name.data(), name.size() < LF_FACESIZE - 1 ? name.size() : LF_FACESIZE - 1);
  }
};

static_assert(sizeof(LOGFONT) == 60, "LOGFONT must keep the 60-byte record layout");

}  // namespace glyphory

namespace glyphory {

// The record of a composed font: a face, bold or not, italic or not, and a
// character set; every other field at the toolkit's defaults.
inline LOGFONT ComposeLogFont(std::string_view faceName, bool bold, bool italic, std::uint8_t charset) {
  LOGFONT record;
  record.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  record.lfItalic = italic ? 1 : 0;
  record.lfCharSet = charset;
  record.SetFaceName(faceName);
  return record;
}

}  // namespace glyphory
