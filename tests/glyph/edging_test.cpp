#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <vector>

#include "glyph/code_page.h"
#include "glyph/edge_dilation.h"
#include "glyph/png_font.h"
#include "glyph_fixture.h"
#include "image/png_errors.h"

namespace glyphory {
namespace {

using test::BlankGlyph;
using test::LogRecorder;
using test::PaintRows;

constexpr TColor Gray(std::uint32_t v) { return PackRGB(v, v, v); }
constexpr TColor kBg = clFuchsia;
constexpr TColor kEdge = clWhite;
constexpr TColor kInk = clBlack;

// The literal painting loop: every seed tests its (2a+1)^2 neighbours.
void ReferencePaint(TPNGObject& image, TColor bg, TColor edge, std::uint8_t alpha, std::int32_t a) {
  for (std::int32_t x = 0; x < image.Width(); ++x) {
    for (std::int32_t y = 0; y < image.Height(); ++y) {
      const TColor seed = image.ReadPixel(x, y);
      if (seed == bg || seed == edge) {
        continue;
      }
      for (std::int32_t j = x - a; j <= x + a; ++j) {
        for (std::int32_t i = y - a; i <= y + a; ++i) {
          const bool inside = j >= 0 && i >= 0 && j < image.Width() && i < image.Height();
          const TColor pixel = image.ReadPixel(j, i);
          if (inside && pixel == bg && pixel != edge) {
            image.WritePixel(j, i, edge);
            image.AlphaRow(i)[j] = alpha;
          }
        }
      }
    }
  }
}

struct Planes {
  std::vector<TColor> pixels;
  std::vector<std::uint8_t> alpha;
  bool operator==(const Planes&) const = default;
};

Planes PlanesOf(const TPNGObject& image) {
  Planes planes;
  for (std::int32_t y = 0; y < image.Height(); ++y) {
    for (std::int32_t x = 0; x < image.Width(); ++x) {
      planes.pixels.push_back(image.ReadPixel(x, y));
      planes.alpha.push_back(image.AlphaRow(y)[x]);
    }
  }
  return planes;
}

TEST(PaintEdging, MatchesTheLiteralLoopOnRandomImages) {
  std::mt19937 random(20240501);
  const TColor colours[] = {clBlack, clWhite, clFuchsia, Gray(128), PackRGB(255, 77, 77)};
  auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
  for (int round = 0; round < 3000; ++round) {
    const TColor bg = colours[pick(std::size(colours))];
    const TColor edge = colours[pick(std::size(colours))];  // sometimes equal to bg
    const TColor glyph = colours[pick(std::size(colours))];  // sometimes equal to edge
    const TColor tint = colours[pick(std::size(colours))];
    const auto width = static_cast<std::int32_t>(pick(8)) - 1;  // -1 .. 6
    const auto w = static_cast<std::int32_t>(1 + pick(14));
    const auto h = static_cast<std::int32_t>(1 + pick(14));
    const unsigned inkPercent = static_cast<unsigned>(pick(40));
    TPNGObject literal;
    literal.MakeBlankImage(COLOR_RGBALPHA, 8, w, h);
    for (std::int32_t y = 0; y < h; ++y) {
      for (std::int32_t x = 0; x < w; ++x) {
        const unsigned roll = static_cast<unsigned>(pick(100));
        literal.WritePixel(x, y, roll < inkPercent ? glyph : roll < inkPercent + 10 ? tint : bg);
        literal.AlphaRow(y)[x] = static_cast<std::uint8_t>(pick(256));
      }
    }
    TPNGObject dilated;
    dilated.Assign(literal);
    const auto alpha = static_cast<std::uint8_t>(pick(256));
    ReferencePaint(literal, bg, edge, alpha, width);
    PaintEdging(dilated, bg, edge, alpha, width);
    ASSERT_TRUE(PlanesOf(literal) == PlanesOf(dilated))
        << "round " << round << " size " << w << "x" << h << " width " << width;
  }
}

TEST(PaintEdging, ReachesTheWholeImageForAHugeWidth) {
  TPNGObject image;
  image.MakeBlankImage(COLOR_RGBALPHA, 8, 5, 4);
  PaintRows(image, {"....#", ".....", ".....", "....."}, {{'.', kBg}, {'#', kInk}});
  PaintEdging(image, kBg, kEdge, 9, 2147483647);
  for (std::int32_t y = 0; y < 4; ++y) {
    for (std::int32_t x = 0; x < 5; ++x) {
      EXPECT_EQ(image.ReadPixel(x, y), (x == 4 && y == 0) ? kInk : kEdge) << x << "," << y;
    }
  }
}

// ---- DrawEdging: widening and moving on a 10 x 3 image with ink in row 1 ----

struct WidenCase {
  const char* name;
  std::int32_t inkLeft;
  std::int32_t inkRight;
  std::int32_t edgeWidth;
  std::int32_t newWidth;
  std::int32_t newInkLeft;
};

void PrintTo(const WidenCase& c, std::ostream* os) { *os << c.name; }

const WidenCase kWidenCases[] = {
    {"fits: ink 2..7, width 2", 2, 8, 2, 10, 2},
    {"both sides: ink 1..8, width 2", 1, 9, 2, 12, 2},
    {"drops a column: ink 0..6, width 2", 0, 7, 2, 11, 2},
    {"ink 3..9, width 2", 3, 10, 2, 13, 4},
    {"no room on the right: ink 4..9, width 1", 4, 10, 1, 10, 4},
    {"left margin 0: ink 2..9, width 2", 2, 10, 2, 12, 2},
    {"width 0 never widens", 0, 10, 0, 10, 0},
    {"negative width paints nothing", 0, 10, -3, 10, 0},
};

std::unique_ptr<TPNGFont> InkRow(std::int32_t inkLeft, std::int32_t inkRight) {
  auto glyph = BlankGlyph(10, 3);
  glyph->SetBgColor(kBg);
  glyph->Canvas().FillRect({0, 0, 10, 3});
  for (std::int32_t x = inkLeft; x < inkRight; ++x) {
    glyph->WritePixel(x, 1, kInk);
  }
  return glyph;
}

class WidenTable : public testing::TestWithParam<WidenCase> {};

TEST_P(WidenTable, WidensMovesAndOutlines) {
  const WidenCase& c = GetParam();
  auto glyph = InkRow(c.inkLeft, c.inkRight);
  glyph->DrawEdging(kEdge, 200, c.edgeWidth);
  EXPECT_EQ(glyph->EdgeColor(), kEdge);
  ASSERT_EQ(glyph->Width(), c.newWidth);
  ASSERT_EQ(glyph->Height(), 3);
  const std::int32_t newInkRight = c.newInkLeft + (c.inkRight - c.inkLeft);
  for (std::int32_t y = 0; y < 3; ++y) {
    for (std::int32_t x = 0; x < c.newWidth; ++x) {
      const bool ink = y == 1 && x >= c.newInkLeft && x < newInkRight;
      const bool near = c.edgeWidth >= 0 && x >= c.newInkLeft - c.edgeWidth && x < newInkRight + c.edgeWidth &&
                        std::abs(y - 1) <= c.edgeWidth;
      const TColor expected = ink ? kInk : near ? kEdge : kBg;
      EXPECT_EQ(glyph->ReadPixel(x, y), expected) << x << "," << y;
      if (expected == kEdge) {
        EXPECT_EQ(glyph->AlphaRow(y)[x], 200) << x << "," << y;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(TenColumns, WidenTable, testing::ValuesIn(kWidenCases));

TEST(DrawEdging, LogsEveryStepOfAWideningInOrder) {
  auto glyph = InkRow(1, 9);
  LogRecorder log;
  glyph->DrawEdging(kEdge, 200, 2);
  const std::vector<std::string> expected = {
      Utf8ToCp1251("Начало окантовки"),
      Utf8ToCp1251("получение реального размера буквы"),
      Utf8ToCp1251("завершение получения реального размера"),
      Utf8ToCp1251("Изменение размера [+слева]:[+справа] 1:1"),
      Utf8ToCp1251("Начало вырезки/вставки [width] 10"),
      Utf8ToCp1251("вырезка/вставка завершена"),
      Utf8ToCp1251("Завершение изменения размера"),
      Utf8ToCp1251("Завершение окантовки"),
  };
  EXPECT_EQ(log.Messages(), expected);
}

TEST(DrawEdging, WideningWithoutLeftMarginNeitherMovesNorLogsTheEnd) {
  auto glyph = InkRow(2, 10);
  LogRecorder log;
  glyph->DrawEdging(kEdge, 200, 2);
  const std::vector<std::string> expected = {
      Utf8ToCp1251("Начало окантовки"),
      Utf8ToCp1251("получение реального размера буквы"),
      Utf8ToCp1251("завершение получения реального размера"),
      Utf8ToCp1251("Изменение размера [+слева]:[+справа] 0:2"),
      Utf8ToCp1251("Завершение окантовки"),
  };
  EXPECT_EQ(log.Messages(), expected);
}

TEST(DrawEdging, NegativeRightMarginIsLoggedWithItsSign) {
  auto glyph = InkRow(0, 7);
  LogRecorder log;
  glyph->DrawEdging(kEdge, 200, 2);
  ASSERT_GE(log.Messages().size(), 4u);
  EXPECT_EQ(log.Messages()[3], Utf8ToCp1251("Изменение размера [+слева]:[+справа] 2:-1"));
}

TEST(DrawEdging, AnImageWithoutInkIsNeitherWidenedNorPainted) {
  auto glyph = InkRow(0, 0);
  glyph->DrawEdging(kEdge, 200, 5);
  EXPECT_EQ(glyph->Width(), 10);
  EXPECT_EQ(glyph->EdgeColor(), kEdge);
  EXPECT_FALSE(glyph->MeasureInk().has_value());
}

TEST(DrawEdging, AnOutlineTooWideForAnyImageFailsWithTheResizeError) {
  auto glyph = InkRow(1, 9);
  EXPECT_THROW(glyph->DrawEdging(kEdge, 200, 2147483647), EPNGInvalidNewSize);
  EXPECT_EQ(glyph->Width(), 10);
}

TEST(DrawEdging, BackgroundAsEdgingPaintsNothingButStillWidensAndCarriesTheTopLeftAlpha) {
  auto glyph = InkRow(1, 9);
  glyph->DrawEdging(kBg, 200, 2);
  ASSERT_EQ(glyph->Width(), 12);
  glyph->SetBgAlpha(33);  // runs the alpha filter, which leaves this background alone
  for (std::int32_t y = 0; y < 3; ++y) {
    for (std::int32_t x = 0; x < 12; ++x) {
      const bool ink = y == 1 && x >= 2 && x < 10;
      EXPECT_EQ(glyph->ReadPixel(x, y), ink ? kInk : kBg) << x << "," << y;
      // Background keeps its alpha; the top-left 0 stays and is carried to (1, 0).
      const std::uint8_t alpha = (y == 0 && (x == 0 || x == 1)) ? 0 : 255;
      EXPECT_EQ(glyph->AlphaRow(y)[x], alpha) << x << "," << y;
    }
  }
}

TEST(DrawEdging, GlyphColourAsEdgingGrowsTheOutlineFromThePartialInk) {
  auto glyph = BlankGlyph(7, 3);
  glyph->SetBgColor(kBg);
  PaintRows(*glyph, {".......", ".##.g..", "......."}, {{'.', kBg}, {'#', kInk}, {'g', Gray(128)}});
  glyph->DrawEdging(kInk, 50, 1);
  const std::vector<std::string> expected = {"...###.", ".#####.", "...###."};
  const std::map<char, TColor> legend = {{'.', kBg}, {'#', kInk}};
  for (std::int32_t y = 0; y < 3; ++y) {
    for (std::int32_t x = 0; x < 7; ++x) {
      const TColor want = (x == 4 && y == 1) ? Gray(128) : legend.at(expected[y][x]);
      EXPECT_EQ(glyph->ReadPixel(x, y), want) << x << "," << y;
    }
  }
}

TEST(DrawEdging, InkOnTheTopRowGetsNoOutlineAboveAndTheHeightStays) {
  auto glyph = BlankGlyph(9, 4);
  glyph->SetBgColor(kBg);
  PaintRows(*glyph, {"....#....", ".........", ".........", "........."}, {{'.', kBg}, {'#', kInk}});
  glyph->DrawEdging(kEdge, 200, 3);
  EXPECT_EQ(glyph->Height(), 4);
  EXPECT_EQ(glyph->Width(), 9);
  EXPECT_EQ(glyph->ReadPixel(1, 3), kEdge);
  EXPECT_EQ(glyph->ReadPixel(0, 0), kBg);
}

TEST(MoveRegion, MovesRightToLeftAndLeavesBackgroundWithTheOldAlpha) {
  auto glyph = BlankGlyph(6, 2);
  glyph->SetBgColor(kBg);
  PaintRows(*glyph, {"abc...", "def..."},
            {{'a', 1}, {'b', 2}, {'c', 3}, {'d', 4}, {'e', 5}, {'f', 6}, {'.', kBg}});
  glyph->AlphaRow(1)[0] = 17;
  glyph->MoveRegion({0, 0, 3, 2}, {2, 0, 5, 2});
  const TColor row0[] = {kBg, kBg, 1, 2, 3, kBg};
  const TColor row1[] = {kBg, kBg, 4, 5, 6, kBg};
  for (std::int32_t x = 0; x < 6; ++x) {
    EXPECT_EQ(glyph->ReadPixel(x, 0), row0[x]) << x;
    EXPECT_EQ(glyph->ReadPixel(x, 1), row1[x]) << x;
  }
  EXPECT_EQ(glyph->AlphaRow(0)[0], 0);   // uncovered: alpha kept
  EXPECT_EQ(glyph->AlphaRow(0)[2], 0);   // carried with (0, 0)
  EXPECT_EQ(glyph->AlphaRow(1)[0], 17);  // uncovered: alpha kept
  EXPECT_EQ(glyph->AlphaRow(1)[2], 17);  // carried
  EXPECT_EQ(glyph->AlphaRow(0)[3], 255);
}

}  // namespace
}  // namespace glyphory
