#include "glyph/png_font.h"

#include <gtest/gtest.h>

#include "glyph/code_page.h"
#include "glyph/text_service.h"
#include "glyph_fixture.h"
#include "image/png_errors.h"

namespace glyphory {
namespace {

using test::BlankGlyph;
using test::DejaVuRecord;
using test::LogRecorder;

void ExpectFreshPlanes(const TPNGFont& glyph) {
  for (std::int32_t y = 0; y < glyph.Height(); ++y) {
    for (std::int32_t x = 0; x < glyph.Width(); ++x) {
      ASSERT_EQ(glyph.ReadPixel(x, y), clBlack) << x << "," << y;
      ASSERT_EQ(glyph.AlphaRow(y)[x], (x == 0 && y == 0) ? 0 : 255) << x << "," << y;
    }
  }
}

TEST(PNGFontConstruction, SizesToTheTextExtentWithTheInitialPlanesAndDefaults) {
  const TPNGFont glyph("Ag", DejaVuRecord(), true, 16, 8);
  LOGFONT record = DejaVuRecord();
  record.lfHeight = 16;
  const TSize extent = TFont(record).TextExtent("Ag");
  EXPECT_EQ(glyph.Width(), extent.cx);
  EXPECT_EQ(glyph.Height(), 16);
  EXPECT_EQ(glyph.ImageHeader().BitDepth, 8);
  EXPECT_EQ(glyph.ImageHeader().ColorType, COLOR_RGBALPHA);
  ExpectFreshPlanes(glyph);
  EXPECT_EQ(glyph.Text(), "Ag");
  EXPECT_EQ(glyph.FontColor(), clBlack);
  EXPECT_EQ(glyph.BgColor(), clBlack);
  EXPECT_EQ(glyph.EdgeColor(), clBlack);
  EXPECT_EQ(glyph.BgAlpha(), 0);
  EXPECT_EQ(glyph.FontAlpha(), 255);
  EXPECT_EQ(glyph.TextX(), 0);
  EXPECT_EQ(glyph.TextY(), 0);
  EXPECT_FALSE(glyph.Smoothing());
  EXPECT_FALSE(glyph.Mono());
  EXPECT_EQ(glyph.Correction(), 40);
}

TEST(PNGFontConstruction, TakesTheBitDepthAndRefusesAnInvalidOne) {
  EXPECT_EQ(TPNGFont("A", DejaVuRecord(), true, 16, 16).ImageHeader().BitDepth, 16);
  EXPECT_THROW(TPNGFont("A", DejaVuRecord(), true, 16, 3), EPNGInvalidSpec);
}

TEST(PNGFontConstruction, FailsForTheEmptyTextWithTheResizeMessage) {
  try {
    TPNGFont glyph("", DejaVuRecord(), true, 16, 8);
    FAIL() << "the empty text was accepted";
  } catch (const EPNGInvalidNewSize& error) {
    EXPECT_STREQ(error.what(), "The new size provided for image resizing is invalid.");
  }
}

TEST(PNGFontConstruction, PointSizesBecomeTheSameCellAsPixelSizes) {
  EXPECT_EQ(TPNGFont("A", DejaVuRecord(), false, 12, 8).Height(), 16);
  EXPECT_EQ(TPNGFont("A", DejaVuRecord(), true, 16, 8).Height(), 16);
  EXPECT_EQ(TPNGFont("A", DejaVuRecord(), false, 20, 8).Height(), 27);
}

TEST(PNGFont, PointsToPixelsRoundsAtNinetySixPixelsPerInch) {
  const auto glyph = BlankGlyph(1, 1);
  EXPECT_EQ(glyph->PointsToPixels(12), 16);
  EXPECT_EQ(glyph->PointsToPixels(10), 13);
  EXPECT_EQ(glyph->PointsToPixels(20), 27);
  EXPECT_EQ(glyph->PointsToPixels(0), 0);
}

TEST(PNGFont, SettingTheTextMeasuresAndResizes) {
  TPNGFont glyph("A", DejaVuRecord(), true, 30, 8);
  const std::int32_t oneWide = glyph.Width();
  glyph.SetText("AAA");
  EXPECT_EQ(glyph.Text(), "AAA");
  EXPECT_EQ(glyph.Width(), 3 * oneWide);
  EXPECT_EQ(glyph.Height(), 30);
  EXPECT_THROW(glyph.SetText(""), EPNGInvalidNewSize);
  EXPECT_EQ(glyph.Width(), 3 * oneWide);
}

TEST(PNGFont, AlphaSettersOnAFreshImageChangeNoAlpha) {
  TPNGFont glyph("W", DejaVuRecord(), true, 20, 8);
  LogRecorder log;
  glyph.SetFontAlpha(100);
  glyph.SetBgAlpha(50);
  ExpectFreshPlanes(glyph);
  // Each setter ran the alpha filter.
  EXPECT_EQ(log.Messages().size(), 4u);
}

TEST(PNGFont, BgColorSetsTheBrushForFills) {
  auto glyph = BlankGlyph(6, 4);
  glyph->SetBgColor(PackRGB(255, 0, 0));
  glyph->Canvas().FillRect({1, 1, 4, 3});
  EXPECT_EQ(glyph->ReadPixel(1, 1), PackRGB(255, 0, 0));
  EXPECT_EQ(glyph->ReadPixel(3, 2), PackRGB(255, 0, 0));
  EXPECT_EQ(glyph->ReadPixel(4, 2), clBlack);
  EXPECT_EQ(glyph->ReadPixel(0, 0), clBlack);
}

TEST(PNGFont, FontColorIsTheCanvasFontColour) {
  auto glyph = BlankGlyph(2, 2);
  glyph->SetFontColor(0x123456);
  EXPECT_EQ(glyph->Canvas().FontColor(), 0x123456u);
  glyph->Canvas().SetFontColor(0x654321);
  EXPECT_EQ(glyph->FontColor(), 0x654321u);
}

TEST(PNGFontLog, DoesNothingWithoutASinkAndPassesMessagesToOne) {
  TPNGFont::Log("lost");  // no sink installed: nothing happens
  LogRecorder log;
  TPNGFont::Log("\xCF\xF0\xE8");
  ASSERT_EQ(log.Messages().size(), 1u);
  EXPECT_EQ(log.Messages()[0], Utf8ToCp1251("При"));
}

// ---- one glyph through the whole pipeline on a real font ----

TEST(PNGFontPipeline, BlackAOnFuchsiaWithAWhiteOutline) {
  TPNGFont glyph("A", DejaVuRecord(), true, 16, 8);
  glyph.SetFontColor(clBlack);
  glyph.SetBgColor(clFuchsia);
  glyph.SetFontAlpha(240);
  glyph.SetBgAlpha(0);
  glyph.Render();
  const std::optional<TInkExtent> ink = glyph.MeasureInk();
  ASSERT_TRUE(ink.has_value());
  glyph.DrawEdging(clWhite, 240, 1);
  glyph.AlphaFilter();

  EXPECT_GE(glyph.Width(), ink->InkRight - ink->InkLeft + 2);
  EXPECT_EQ(glyph.Height(), 16);
  int outline = 0;
  int inked = 0;
  for (std::int32_t y = 0; y < glyph.Height(); ++y) {
    for (std::int32_t x = 0; x < glyph.Width(); ++x) {
      const TColor pixel = glyph.ReadPixel(x, y);
      const std::uint8_t alpha = glyph.AlphaRow(y)[x];
      if (pixel == clFuchsia) {
        EXPECT_EQ(alpha, 0) << x << "," << y;
      } else if (pixel == clWhite) {
        EXPECT_EQ(alpha, 240) << x << "," << y;
        ++outline;
      } else {
        // A tint of black is a gray.
        EXPECT_EQ(pixel, PackRGB(RedOf(pixel), RedOf(pixel), RedOf(pixel))) << x << "," << y;
        EXPECT_EQ(alpha, 240) << x << "," << y;
        ++inked;
      }
    }
  }
  EXPECT_GT(outline, 0);
  EXPECT_GT(inked, 0);
}

}  // namespace
}  // namespace glyphory
