// The character sets the charset list offers, in its item order, with the
// character-set number each one gives the composed font.
#pragma once

#include <array>
#include <cstdint>

namespace glyphory {

struct CharsetRow {
  std::uint8_t value;
  const char* name;  // also the item text and the section name in "charsmod.ini"
};

inline constexpr std::array<CharsetRow, 18> CharsetTable = {{
    {0, "ANSI_CHARSET"},
    {1, "DEFAULT_CHARSET"},
    {2, "SYMBOL_CHARSET"},
    {77, "MAC_CHARSET"},
    {128, "SHIFTJIS_CHARSET"},
    {129, "HANGEUL_CHARSET"},
    {130, "JOHAB_CHARSET"},
    {134, "GB2312_CHARSET"},
    {136, "CHINESEBIG5_CHARSET"},
    {161, "GREEK_CHARSET"},
    {162, "TURKISH_CHARSET"},
    {177, "HEBREW_CHARSET"},
    {178, "ARABIC_CHARSET"},
    {186, "BALTIC_CHARSET"},
    {204, "RUSSIAN_CHARSET"},
    {222, "THAI_CHARSET"},
    {238, "EASTEUROPE_CHARSET"},
    {255, "OEM_CHARSET"},
}};

// The row used when no valid row is selected: "DEFAULT_CHARSET".
inline constexpr int kDefaultCharsetRow = 1;

// The character set of a row; a row outside the table (no item selected)
// gives DEFAULT_CHARSET.
[[nodiscard]] std::uint8_t CharsetOfRow(int row);

}  // namespace glyphory
