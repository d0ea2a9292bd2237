#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "glyph/code_page.h"
#include "glyph/png_font.h"
#include "glyph_fixture.h"

namespace glyphory {
namespace {

using test::BlankGlyph;
using test::LogRecorder;

constexpr TColor Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) { return PackRGB(r, g, b); }
constexpr TColor Gray(std::uint32_t v) { return PackRGB(v, v, v); }

struct AlphaCase {
  const char* name;
  TColor glyph;
  TColor bg;
  TColor edge;
  std::uint8_t fontAlpha;
  std::uint8_t bgAlpha;
  bool smoothing;
  TColor pixel;
  std::uint8_t before;
  std::uint8_t expected;
};

void PrintTo(const AlphaCase& c, std::ostream* os) { *os << c.name; }

const AlphaCase kAlphaCases[] = {
    {"background gets BgAlpha", clBlack, clFuchsia, clWhite, 200, 0, false, clFuchsia, 255, 0},
    {"full ink gets FontAlpha", clBlack, clFuchsia, clWhite, 200, 0, false, clBlack, 0, 200},
    {"partial ink gets FontAlpha", clBlack, clFuchsia, clWhite, 200, 0, false, Gray(120), 0, 200},
    {"smoothing 255: gray 55", clBlack, clFuchsia, clWhite, 255, 0, true, Gray(55), 0, 200},
    {"smoothing 255: glyph colour", clBlack, clFuchsia, clWhite, 255, 0, true, clBlack, 0, 255},
    {"smoothing 128: gray 55", clBlack, clFuchsia, clWhite, 128, 0, true, Gray(55), 0, 100},
    {"smoothing 128: glyph colour gets FontAlpha twice", clBlack, clFuchsia, clWhite, 128, 0, true, clBlack, 0, 64},
    {"smoothing, red glyph: red", Rgb(255, 0, 0), clFuchsia, clWhite, 255, 0, true, Rgb(255, 0, 0), 0, 255},
    {"smoothing, red glyph: tint of gray 130", Rgb(255, 0, 0), clFuchsia, clWhite, 255, 0, true, Rgb(255, 77, 77),
     0, 125},
    {"FontAlpha 0", clBlack, clFuchsia, clWhite, 0, 0, false, Gray(40), 255, 0},
    {"FontAlpha 0 with smoothing", clBlack, clFuchsia, clWhite, 0, 0, true, clBlack, 255, 0},
    {"edging keeps its alpha", clBlack, clFuchsia, clWhite, 200, 10, false, clWhite, 77, 77},
    {"glyph colour = edging: full ink keeps 255", clBlack, clFuchsia, clBlack, 100, 0, true, clBlack, 255, 255},
    {"glyph colour = edging: partial ink follows", clBlack, clFuchsia, clBlack, 100, 0, false, Gray(55), 255, 100},
    {"background = edging keeps 255", clBlack, clWhite, clWhite, 200, 50, false, clWhite, 255, 255},
    {"background = edging keeps 0", clBlack, clWhite, clWhite, 200, 50, false, clWhite, 0, 0},
    {"a system colour code matches no pixel", clBlack, 0x80000005, clWhite, 200, 50, false, 0x000005, 0, 200},
};

class AlphaTable : public testing::TestWithParam<AlphaCase> {};

TEST_P(AlphaTable, GivesTheAlpha) {
  const AlphaCase& c = GetParam();
  auto glyph = BlankGlyph(1, 1);
  glyph->SetFontColor(c.glyph);
  glyph->SetBgColor(c.bg);
  glyph->SetEdgeColor(c.edge);
  glyph->SetSmoothing(c.smoothing);
  glyph->SetFontAlpha(c.fontAlpha);
  glyph->SetBgAlpha(c.bgAlpha);
  glyph->WritePixel(0, 0, c.pixel);
  glyph->AlphaRow(0)[0] = c.before;
  glyph->AlphaFilter();
  EXPECT_EQ(glyph->AlphaRow(0)[0], c.expected);
  EXPECT_EQ(glyph->ReadPixel(0, 0), c.pixel);  // alpha only
}

INSTANTIATE_TEST_SUITE_P(Rows, AlphaTable, testing::ValuesIn(kAlphaCases));

TEST(AlphaFilter, RunningTwiceGivesThePlaneOfOneRun) {
  const TColor palette[] = {clFuchsia, clWhite, clBlack, Gray(55), Rgb(255, 77, 77), Gray(250)};
  std::mt19937 random(7);
  for (const bool smoothing : {false, true}) {
    auto glyph = BlankGlyph(9, 7);
    glyph->SetFontColor(clBlack);
    glyph->SetBgColor(clFuchsia);
    glyph->SetEdgeColor(clWhite);
    glyph->SetSmoothing(smoothing);
    glyph->SetFontAlpha(180);
    glyph->SetBgAlpha(30);
    for (std::int32_t y = 0; y < 7; ++y) {
      for (std::int32_t x = 0; x < 9; ++x) {
        glyph->WritePixel(x, y, palette[random() % std::size(palette)]);
      }
    }
    glyph->AlphaFilter();
    const std::vector<std::uint8_t> once(glyph->AlphaRow(0), glyph->AlphaRow(0) + 63);
    glyph->AlphaFilter();
    const std::vector<std::uint8_t> twice(glyph->AlphaRow(0), glyph->AlphaRow(0) + 63);
    EXPECT_EQ(once, twice) << "smoothing " << smoothing;
  }
}

TEST(AlphaFilter, LogsItsStartAndEnd) {
  auto glyph = BlankGlyph(2, 2);
  LogRecorder log;
  glyph->AlphaFilter();
  EXPECT_EQ(log.Messages(),
            (std::vector<std::string>{Utf8ToCp1251("начало AlphaFilter"), Utf8ToCp1251("завершение AlphaFilter")}));
}

}  // namespace
}  // namespace glyphory
