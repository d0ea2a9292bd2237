#include "glyph/color.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "glyph/platform.h"

namespace glyphory {
namespace {

constexpr TColor Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) { return PackRGB(r, g, b); }
constexpr TColor Gray(std::uint32_t v) { return PackRGB(v, v, v); }

struct ColorCase {
  const char* call;
  TColor (*compute)();
  TColor expected;
};

// Every row of the colour arithmetic's reference table.
const ColorCase kColorCases[] = {
    {"ToGray(0,0,0)", [] { return ToGray(Rgb(0, 0, 0)); }, Gray(0)},
    {"ToGray(255,255,255)", [] { return ToGray(Rgb(255, 255, 255)); }, Gray(255)},
    {"ToGray(128,128,128)", [] { return ToGray(Rgb(128, 128, 128)); }, Gray(128)},
    {"ToGray(255,0,0) tie to even", [] { return ToGray(Rgb(255, 0, 0)); }, Gray(76)},
    {"ToGray(0,255,0)", [] { return ToGray(Rgb(0, 255, 0)); }, Gray(150)},
    {"ToGray(0,0,255)", [] { return ToGray(Rgb(0, 0, 255)); }, Gray(28)},
    {"ToGray(200,100,50) tie to even", [] { return ToGray(Rgb(200, 100, 50)); }, Gray(124)},
    {"ToGray(16,37,17) extended sum", [] { return ToGray(Rgb(16, 37, 17)); }, Gray(29)},
    {"ToGray(0,5,5) extended sum", [] { return ToGray(Rgb(0, 5, 5)); }, Gray(3)},
    {"ToGray(255,255,254) near-white", [] { return ToGray(Rgb(255, 255, 254)); }, Gray(255)},
    {"DarkenPercent(gray 128, 40)", [] { return DarkenPercent(Gray(128), 40); }, Gray(77)},
    {"DarkenPercent((200,100,50), 40)", [] { return DarkenPercent(Rgb(200, 100, 50), 40); }, Rgb(120, 60, 30)},
    {"DarkenPercent(gray 1, 50) half up", [] { return DarkenPercent(Gray(1), 50); }, Gray(0)},
    {"DarkenPercent(c, 0)", [] { return DarkenPercent(Rgb(12, 200, 99), 0); }, Rgb(12, 200, 99)},
    {"DarkenPercent(c, 100)", [] { return DarkenPercent(Rgb(12, 200, 99), 100); }, Gray(0)},
    {"DarkenPercent(gray 200, 150) wraps", [] { return DarkenPercent(Gray(200), 150); }, Gray(156)},
    {"InvertColor(200,100,50)", [] { return InvertColor(Rgb(200, 100, 50)); }, Rgb(55, 155, 205)},
    {"TintBlend(black, black, g)", [] { return TintBlend(clBlack, clBlack, Rgb(10, 20, 30)); }, Rgb(10, 20, 30)},
    {"TintBlend(black, white, g)", [] { return TintBlend(clBlack, clWhite, Rgb(10, 20, 30)); }, clWhite},
    {"TintBlend(black, s, black)", [] { return TintBlend(clBlack, Rgb(40, 50, 60), clBlack); }, Rgb(40, 50, 60)},
    {"TintBlend(black, gray 77, red)", [] { return TintBlend(clBlack, Gray(77), Rgb(255, 0, 0)); }, Rgb(255, 77, 77)},
    {"TintBlend(black, gray 128, gray 128)", [] { return TintBlend(clBlack, Gray(128), Gray(128)); }, Gray(192)},
};

void PrintTo(const ColorCase& c, std::ostream* os) { *os << c.call; }

class ColorTable : public testing::TestWithParam<ColorCase> {};

TEST_P(ColorTable, GivesTheReferenceResult) {
  const ColorCase& c = GetParam();
  EXPECT_EQ(c.compute(), c.expected) << c.call;
}

INSTANTIATE_TEST_SUITE_P(ReferenceRows, ColorTable, testing::ValuesIn(kColorCases));

TEST(ToGray, MapsEveryPureGrayToItselfAndIgnoresHighBits) {
  for (std::uint32_t v = 0; v < 256; ++v) {
    EXPECT_EQ(ToGray(Gray(v)), Gray(v)) << v;
  }
  EXPECT_EQ(ToGray(0xFF000000u | Rgb(255, 0, 0)), Gray(76));
}

TEST(DarkenPercent, LooksUpSystemColours) {
  // Bit 31 names system colour 5 (window background, white in the classic scheme).
  EXPECT_EQ(DarkenPercent(0x80000005u, 0), GetSysColor(5));
  EXPECT_EQ(DarkenPercent(0x80000005u, 40), DarkenPercent(GetSysColor(5), 40));
}

TEST(TintBlend, RejectsAWhiteBase) {
  EXPECT_THROW((void)TintBlend(clWhite, clBlack, clBlack), std::domain_error);
}

TEST(MulDiv, RoundsHalvesAwayFromZeroAndReportsFailures) {
  EXPECT_EQ(MulDiv(12, 96, 72), 16);
  EXPECT_EQ(MulDiv(10, 96, 72), 13);
  EXPECT_EQ(MulDiv(20, 96, 72), 27);
  EXPECT_EQ(MulDiv(1, 1, 2), 1);
  EXPECT_EQ(MulDiv(-1, 1, 2), -1);
  EXPECT_EQ(MulDiv(1, -3, 2), -2);
  EXPECT_EQ(MulDiv(1, 1, 3), 0);
  EXPECT_EQ(MulDiv(2, 1, 3), 1);
  EXPECT_EQ(MulDiv(1, 1, 0), -1);
  EXPECT_EQ(MulDiv(INT32_MAX, INT32_MAX, 1), -1);
  EXPECT_EQ(MulDiv(INT32_MAX, INT32_MAX, INT32_MAX), INT32_MAX);
}

TEST(GetSysColor, UnknownIndexGivesZero) {
  EXPECT_EQ(GetSysColor(-1), 0u);
  EXPECT_EQ(GetSysColor(200), 0u);
  EXPECT_EQ(GetSysColor(5), clWhite);
}

}  // namespace
}  // namespace glyphory
