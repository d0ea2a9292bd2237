#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "glyph/png_font.h"
#include "glyph_fixture.h"

namespace glyphory {
namespace {

using test::BlankGlyph;
using test::DejaVuRecord;

constexpr TColor Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) { return PackRGB(r, g, b); }
constexpr TColor Gray(std::uint32_t v) { return PackRGB(v, v, v); }
constexpr TColor kBg = Rgb(10, 200, 30);

struct TintCase {
  const char* name;
  TColor glyph;
  std::int32_t correction;
  bool mono;
  TColor rendered;  // the pixel after the gray pass
  TColor expected;
};

void PrintTo(const TintCase& c, std::ostream* os) { *os << c.name; }

const TintCase kTintCases[] = {
    {"black glyph, gray 128 at 40%", clBlack, 40, false, Gray(128), Gray(77)},
    {"black glyph, full ink", clBlack, 40, false, Gray(0), clBlack},
    {"no ink becomes background", clBlack, 40, false, clWhite, kBg},
    {"red glyph, gray 128 at 40%", Rgb(255, 0, 0), 40, false, Gray(128), Rgb(255, 77, 77)},
    {"red glyph, full ink", Rgb(255, 0, 0), 40, false, Gray(0), Rgb(255, 0, 0)},
    {"correction 0 keeps the grays", clBlack, 0, false, Gray(128), Gray(128)},
    {"correction 0, light gray", clBlack, 0, false, Gray(254), Gray(254)},
    {"correction 100 gives the glyph colour", Rgb(20, 40, 250), 100, false, Gray(200), Rgb(20, 40, 250)},
    {"only the low 8 bits of the correction count", clBlack, 256 + 40, false, Gray(128), Gray(77)},
    {"mono gives the glyph colour", Rgb(20, 40, 250), 40, true, Gray(250), Rgb(20, 40, 250)},
    {"mono leaves no ink as background", Rgb(20, 40, 250), 40, true, clWhite, kBg},
    {"white glyph turns every shade white", clWhite, 40, false, Gray(30), clWhite},
    {"white glyph, full ink", clWhite, 40, false, Gray(0), clWhite},
};

class TintTable : public testing::TestWithParam<TintCase> {};

TEST_P(TintTable, MapsTheRenderedPixel) {
  const TintCase& c = GetParam();
  auto glyph = BlankGlyph(2, 1);
  glyph->SetBgColor(kBg);
  glyph->SetCorrection(c.correction);
  glyph->WritePixel(0, 0, c.rendered);
  glyph->WritePixel(1, 0, c.rendered);
  glyph->Tint(c.glyph, c.mono);
  EXPECT_EQ(glyph->ReadPixel(0, 0), c.expected);
  EXPECT_EQ(glyph->ReadPixel(1, 0), c.expected);
  EXPECT_EQ(glyph->AlphaRow(0)[0], 0);  // colours only
  EXPECT_EQ(glyph->AlphaRow(0)[1], 255);
}

INSTANTIATE_TEST_SUITE_P(Rows, TintTable, testing::ValuesIn(kTintCases));

TEST(GrayPass, GraysInkAndTreatsANearWhiteAsNoInk) {
  auto glyph = BlankGlyph(3, 1);
  glyph->SetBgColor(kBg);
  glyph->WritePixel(0, 0, Rgb(255, 255, 254));
  glyph->WritePixel(1, 0, Rgb(200, 100, 50));
  glyph->WritePixel(2, 0, clWhite);
  glyph->GrayPass();
  EXPECT_EQ(glyph->ReadPixel(0, 0), clWhite);
  EXPECT_EQ(glyph->ReadPixel(1, 0), Gray(124));
  EXPECT_EQ(glyph->ReadPixel(2, 0), clWhite);
  glyph->Tint(clBlack, false);
  EXPECT_EQ(glyph->ReadPixel(0, 0), kBg);
}

// ---- Render on a real font: properties that hold whatever the rasteriser draws ----

std::unique_ptr<TPNGFont> Configured(const std::string& text, TColor glyphColor, TColor bg) {
  auto glyph = std::make_unique<TPNGFont>(text, DejaVuRecord(), true, 40, 8);
  glyph->SetFontColor(glyphColor);
  glyph->SetBgColor(bg);
  glyph->SetFontAlpha(200);
  glyph->SetBgAlpha(0);
  return glyph;
}

std::set<TColor> Colours(const TPNGFont& glyph) {
  std::set<TColor> colours;
  for (std::int32_t y = 0; y < glyph.Height(); ++y) {
    for (std::int32_t x = 0; x < glyph.Width(); ++x) {
      colours.insert(glyph.ReadPixel(x, y));
    }
  }
  return colours;
}

TEST(Render, KeepsTheAlphaPlaneAndRestoresFontAndBrush) {
  auto glyph = Configured("Ag", Rgb(0, 0, 200), kBg);
  const std::vector<std::uint8_t> before(glyph->AlphaRow(0), glyph->AlphaRow(0) + glyph->Width() * glyph->Height());
  glyph->Render();
  const std::vector<std::uint8_t> after(glyph->AlphaRow(0), glyph->AlphaRow(0) + glyph->Width() * glyph->Height());
  EXPECT_EQ(before, after);
  EXPECT_EQ(glyph->FontColor(), Rgb(0, 0, 200));
  EXPECT_EQ(glyph->Canvas().BrushColor(), kBg);
  const std::set<TColor> colours = Colours(*glyph);
  EXPECT_TRUE(colours.count(kBg));
  EXPECT_TRUE(colours.count(Rgb(0, 0, 200)));  // full ink is the glyph colour exactly
}

TEST(Render, MonoAndFullCorrectionLeaveTwoColours) {
  for (const bool mono : {true, false}) {
    auto glyph = Configured("Ag", Rgb(200, 0, 0), kBg);
    glyph->SetMono(mono);
    glyph->SetCorrection(mono ? 40 : 100);
    glyph->Render();
    EXPECT_EQ(Colours(*glyph), (std::set<TColor>{kBg, Rgb(200, 0, 0)})) << "mono " << mono;
  }
}

TEST(Render, TheBmpRunDrawsBlackOnWhiteWhateverTheGlyphColour) {
  auto glyph = Configured("Ag", Rgb(200, 0, 0), clWhite);
  glyph->Canvas().SetFontColor(clBlack);
  glyph->SetMono(true);
  glyph->Render();
  EXPECT_EQ(Colours(*glyph), (std::set<TColor>{clWhite, clBlack}));
}

TEST(Render, ASpaceLeavesOnlyBackground) {
  auto glyph = Configured(" ", clBlack, kBg);
  glyph->Render();
  EXPECT_EQ(Colours(*glyph), std::set<TColor>{kBg});
  glyph->DrawEdging(clWhite, 255, 5);
  EXPECT_EQ(Colours(*glyph), std::set<TColor>{kBg});
}

}  // namespace
}  // namespace glyphory
