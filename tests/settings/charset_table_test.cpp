#include "settings/charset_table.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "glyph/logfont.h"

namespace glyphory {
namespace {

struct CharsetCase {
  int row;
  std::uint8_t value;  // from the font interface's own constants
  const char* name;
};

void PrintTo(const CharsetCase& c, std::ostream* os) { *os << c.row << " " << c.name; }

const CharsetCase kCharsetCases[] = {
    {0, ANSI_CHARSET, "ANSI_CHARSET"},
    {1, DEFAULT_CHARSET, "DEFAULT_CHARSET"},
    {2, SYMBOL_CHARSET, "SYMBOL_CHARSET"},
    {3, MAC_CHARSET, "MAC_CHARSET"},
    {4, SHIFTJIS_CHARSET, "SHIFTJIS_CHARSET"},
    {5, HANGEUL_CHARSET, "HANGEUL_CHARSET"},
    {6, JOHAB_CHARSET, "JOHAB_CHARSET"},
    {7, GB2312_CHARSET, "GB2312_CHARSET"},
    {8, CHINESEBIG5_CHARSET, "CHINESEBIG5_CHARSET"},
    {9, GREEK_CHARSET, "GREEK_CHARSET"},
    {10, TURKISH_CHARSET, "TURKISH_CHARSET"},
    {11, HEBREW_CHARSET, "HEBREW_CHARSET"},
    {12, ARABIC_CHARSET, "ARABIC_CHARSET"},
    {13, BALTIC_CHARSET, "BALTIC_CHARSET"},
    {14, RUSSIAN_CHARSET, "RUSSIAN_CHARSET"},
    {15, THAI_CHARSET, "THAI_CHARSET"},
    {16, EASTEUROPE_CHARSET, "EASTEUROPE_CHARSET"},
    {17, OEM_CHARSET, "OEM_CHARSET"},
};

class CharsetRows : public testing::TestWithParam<CharsetCase> {};

TEST_P(CharsetRows, RowGivesTheFontInterfaceNumberAndName) {
  const CharsetCase& c = GetParam();
  EXPECT_EQ(CharsetOfRow(c.row), c.value);
  EXPECT_EQ(std::string(CharsetTable.at(static_cast<std::size_t>(c.row)).name), c.name);
}

INSTANTIATE_TEST_SUITE_P(Rows, CharsetRows, testing::ValuesIn(kCharsetCases));

TEST(CharsetTable, KnownRowsAndRowsOutsideTheTable) {
  EXPECT_EQ(CharsetOfRow(14), 204);
  EXPECT_EQ(CharsetOfRow(17), 255);
  EXPECT_EQ(CharsetOfRow(1), 1);
  EXPECT_EQ(CharsetOfRow(-1), DEFAULT_CHARSET);
  EXPECT_EQ(CharsetOfRow(18), DEFAULT_CHARSET);
}

}  // namespace
}  // namespace glyphory
