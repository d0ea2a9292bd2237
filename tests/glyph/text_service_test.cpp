#include "glyph/text_service.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "glyph/code_page.h"
#include "glyph/logfont.h"
#include "image/png_object.h"

namespace glyphory {
namespace {

LOGFONT Record(const char* face, std::int32_t height, std::uint8_t charset = DEFAULT_CHARSET) {
  LOGFONT record;
  record.SetFaceName(face);
  record.lfHeight = height;
  record.lfCharSet = charset;
  return record;
}

// An image filled with `background` with `text` drawn on it in black.
struct Drawn {
  std::vector<TColor> pixels;
  std::int32_t width = 0;
  std::int32_t height = 0;
};

Drawn DrawOn(const LOGFONT& record, const std::string& text, TColor background) {
  const TFont font(record);
  const TSize extent = font.TextExtent(text);
  TPNGObject image;
  image.MakeBlankImage(COLOR_RGBALPHA, 8, std::max(extent.cx, 1), extent.cy);
  for (std::int32_t y = 0; y < image.Height(); ++y) {
    for (std::int32_t x = 0; x < image.Width(); ++x) {
      image.WritePixel(x, y, background);
    }
  }
  const PixelTarget target{image.PixelRow(image.Height() - 1), image.Width(), image.Height(), image.Stride()};
  font.DrawText(target, {0, 0, image.Width(), image.Height()}, 0, 0, text, clBlack);
  Drawn drawn{{}, image.Width(), image.Height()};
  for (std::int32_t y = 0; y < image.Height(); ++y) {
    for (std::int32_t x = 0; x < image.Width(); ++x) {
      drawn.pixels.push_back(image.ReadPixel(x, y));
    }
  }
  return drawn;
}

std::size_t CountNot(const Drawn& drawn, TColor colour) {
  return static_cast<std::size_t>(std::count_if(drawn.pixels.begin(), drawn.pixels.end(),
                                                 [colour](TColor p) { return p != colour; }));
}

class CellHeight : public testing::TestWithParam<std::int32_t> {};

TEST_P(CellHeight, APositiveHeightIsTheExtentHeight) {
  const TFont font(Record("DejaVu Sans", GetParam()));
  EXPECT_EQ(font.TextExtent("Ag").cy, GetParam());
  EXPECT_EQ(font.CellHeight(), GetParam());
  EXPECT_GT(font.TextExtent("Ag").cx, 0);
}

INSTANTIATE_TEST_SUITE_P(DejaVuSans, CellHeight, testing::Values(16, 27, 100));

TEST(TextService, UninkedPixelsKeepTheirExactValueOnAnyBackground) {
  const LOGFONT record = Record("DejaVu Sans", 40);
  const Drawn onWhite = DrawOn(record, "Ag&", clWhite);
  const TColor other = PackRGB(0x12, 0x34, 0x56);
  const Drawn onOther = DrawOn(record, "Ag&", other);
  ASSERT_EQ(onWhite.pixels.size(), onOther.pixels.size());
  std::size_t partial = 0;
  for (std::size_t i = 0; i < onWhite.pixels.size(); ++i) {
    // On white every bit of ink shows (255 - coverage), so a pixel still
    // white got none and must keep the other background exactly too.
    if (onWhite.pixels[i] == clWhite) {
      EXPECT_EQ(onOther.pixels[i], other) << i;
    }
    const TColor p = onWhite.pixels[i];
    EXPECT_EQ(p, PackRGB(RedOf(p), RedOf(p), RedOf(p))) << "black on white gives grays, pixel " << i;
    if (p != clWhite && p != clBlack) {
      ++partial;
    }
  }
  EXPECT_GT(CountNot(onWhite, clWhite), 0u);
  EXPECT_GT(partial, 0u);
}

TEST(TextService, FullInkIsExactlyBlackInsideAStrokeAtALargeSize) {
  const Drawn drawn = DrawOn(Record("DejaVu Sans", 100), "I", clWhite);
  EXPECT_NE(std::find(drawn.pixels.begin(), drawn.pixels.end(), clBlack), drawn.pixels.end());
}

TEST(TextService, ASpaceInksNothing) {
  const Drawn drawn = DrawOn(Record("DejaVu Sans", 30), " ", clWhite);
  EXPECT_GT(drawn.width, 0);
  EXPECT_EQ(CountNot(drawn, clWhite), 0u);
}

TEST(TextService, AFaceThatIsNotInstalledDrawsThroughASubstitute) {
  const Drawn drawn = DrawOn(Record("Verdana", 30), "Ag", clWhite);
  EXPECT_EQ(drawn.height, 30);
  EXPECT_GT(CountNot(drawn, clWhite), 0u);
}

TEST(TextService, AnEmptyFaceNameDraws) {
  const Drawn drawn = DrawOn(Record("", 30), "Ag", clWhite);
  EXPECT_EQ(drawn.height, 30);
  EXPECT_GT(CountNot(drawn, clWhite), 0u);
}

TEST(TextService, BoldAndItalicChangeTheResult) {
  LOGFONT bold = Record("DejaVu Sans", 40);
  bold.lfWeight = FW_BOLD;
  LOGFONT italic = Record("DejaVu Sans", 40);
  italic.lfItalic = 1;
  const Drawn regular = DrawOn(Record("DejaVu Sans", 40), "Hm", clWhite);
  const Drawn drawnBold = DrawOn(bold, "Hm", clWhite);
  const Drawn drawnItalic = DrawOn(italic, "Hm", clWhite);
  EXPECT_NE(regular.pixels, drawnBold.pixels);
  EXPECT_NE(regular.pixels, drawnItalic.pixels);
  EXPECT_NE(drawnBold.pixels, drawnItalic.pixels);
  EXPECT_GT(CountNot(drawnBold, clWhite), CountNot(regular, clWhite));
}

TEST(TextService, TheCharacterSetChoosesTheCodePage) {
  EXPECT_EQ(TFont(Record("DejaVu Sans", 16, RUSSIAN_CHARSET)).DecodeByte(0xC0), U'\u0410');
  EXPECT_EQ(TFont(Record("DejaVu Sans", 16, ANSI_CHARSET)).DecodeByte(0xC0), U'\u00C0');
}

TEST(TextService, HeightZeroIsTheDefaultCellAndAHugeHeightFails) {
  EXPECT_EQ(TFont(Record("DejaVu Sans", 0)).TextExtent("A").cy, kDefaultCellHeight);
  EXPECT_EQ(kDefaultCellHeight, 16);
  EXPECT_THROW(TFont(Record("DejaVu Sans", 100000)), EFontError);
}

struct UndecodableCase {
  const char* name;
  std::uint8_t charset;
  std::string text;
};

void PrintTo(const UndecodableCase& c, std::ostream* os) { *os << c.name; }

class Undecodable : public testing::TestWithParam<UndecodableCase> {};

TEST_P(Undecodable, DrawsWithoutFailing) {
  const UndecodableCase& c = GetParam();
  const LOGFONT record = Record("DejaVu Sans", 24, c.charset);
  EXPECT_EQ(TFont(record).DecodeByte(static_cast<unsigned char>(c.text[0])), kUndecodable);
  const Drawn drawn = DrawOn(record, c.text + "A", clWhite);
  EXPECT_EQ(drawn.height, 24);
  EXPECT_GT(CountNot(drawn, clWhite), 0u);
}

INSTANTIATE_TEST_SUITE_P(Bytes, Undecodable,
                         testing::Values(UndecodableCase{"0x98 in Windows-1251", RUSSIAN_CHARSET, "\x98"},
                                         UndecodableCase{"lone Shift-JIS lead byte", SHIFTJIS_CHARSET, "\x81"}));

}  // namespace
}  // namespace glyphory
