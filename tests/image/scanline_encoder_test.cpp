#include "image/scanline_encoder.h"

#include <gtest/gtest.h>

#include <vector>

#include "image/crc.h"
#include "image/png_object.h"

namespace glyphory {
namespace {

using Row = std::vector<std::uint8_t>;

constexpr TRowGeometry kThreePixelsAt8{12, 4};

// Runs FilterChoice over the rows in order; returns the chosen types and the
// written rows.
struct Choices {
  std::vector<int> types;
  std::vector<Row> written;
};

Choices Choose(std::uint8_t filters, const std::vector<Row>& rows, TRowGeometry geometry = kThreePixelsAt8) {
  TScanlineFilter filter(geometry, filters);
  Choices choices;
  for (const Row& row : rows) {
    std::copy(row.begin(), row.end(), filter.CurrentRow());
    const std::uint8_t type = filter.FilterChoice();
    choices.types.push_back(type);
    const std::uint8_t* written = filter.Candidate(type);
    choices.written.emplace_back(written, written + geometry.rowBytes);
  }
  return choices;
}

// Triangular numbers: neither the row nor any of its candidates as a first
// row has a byte equal to one of the two before it.
const Row kNoRepeats = {0, 1, 3, 6, 10, 15, 21, 28, 36, 45, 55, 66};
const Row kZeros(12, 0);

TEST(FilterChoice, NoneSetWritesTheRowUnfiltered) {
  const Choices choices = Choose(pfNone, {kNoRepeats, kZeros});
  EXPECT_EQ(choices.types, (std::vector<int>{0, 0}));
  EXPECT_EQ(choices.written[0], kNoRepeats);
  EXPECT_EQ(choices.written[1], kZeros);
}

TEST(FilterChoice, PaethAloneIsUsedOnTheFirstRowToo) {
  const Choices choices = Choose(pfPaeth, {kNoRepeats, kNoRepeats});
  EXPECT_EQ(choices.types, (std::vector<int>{4, 4}));
  // First row: above and upper left are 0, so Paeth predicts the left byte.
  EXPECT_EQ(choices.written[0], (Row{0, 1, 3, 6, 10, 14, 18, 22, 26, 30, 34, 38}));
  // Same row again: Paeth predicts the byte above, leaving zeros.
  EXPECT_EQ(choices.written[1], kZeros);
}

TEST(FilterChoice, SingleFilterSetsAlwaysYieldTheirFilter) {
  for (int type = 1; type <= 4; ++type) {
    const Choices choices = Choose(static_cast<std::uint8_t>(1 << type), {kZeros, kNoRepeats, kNoRepeats});
    EXPECT_EQ(choices.types, (std::vector<int>{type, type, type})) << type;
  }
}

TEST(FilterChoice, AllOnZeroRowsTiesToSub) {
  const Choices choices = Choose(pfAll, {kZeros, kZeros, kZeros});
  EXPECT_EQ(choices.types, (std::vector<int>{1, 1, 1}));
}

TEST(FilterChoice, AllWithoutAnyRepeatFallsBackToNone) {
  const Choices choices = Choose(pfAll, {kNoRepeats});
  EXPECT_EQ(choices.types, (std::vector<int>{0}));
  EXPECT_EQ(choices.written[0], kNoRepeats);
}

TEST(FilterChoice, AllFiveTiesToNone) {
  const Choices choices = Choose(31, {kZeros, kZeros});
  EXPECT_EQ(choices.types, (std::vector<int>{0, 0}));
}

TEST(FilterChoice, MostRepeatsWinsAndUsesTheRowAbove) {
  // Second row equals the first: Up gives all zeros (score 10), the others
  // keep the row's structure.
  const Choices choices = Choose(pfAll, {kNoRepeats, kNoRepeats});
  EXPECT_EQ(choices.types[1], 2);
  EXPECT_EQ(choices.written[1], kZeros);
}

TEST(FilterChoice, AverageSumsWithoutOverflow) {
  const Row above(12, 200);
  Row current(12, 250);
  // (left + above) / 2 = (250 + 200) / 2 = 225 beyond the first pixel;
  // (0 + 200) / 2 = 100 on the first pixel.
  const Choices choices = Choose(pfAverage, {above, current});
  EXPECT_EQ(choices.written[1], (Row{150, 150, 150, 150, 25, 25, 25, 25, 25, 25, 25, 25}));
}

TEST(RepeatScore, CountsBytesEqualToOneOfTheTwoBefore) {
  EXPECT_EQ(RepeatScore(kZeros.data(), kZeros.size()), 10u);
  EXPECT_EQ(RepeatScore(kNoRepeats.data(), kNoRepeats.size()), 0u);
  const Row pattern = {1, 2, 1, 2, 3, 3, 9};
  EXPECT_EQ(RepeatScore(pattern.data(), pattern.size()), 3u);
}

TEST(PaethPredictor, PicksTheNearestNeighbourWithTies) {
  EXPECT_EQ(PaethPredictor(10, 20, 10), 20);  // p = 20: above is exact
  EXPECT_EQ(PaethPredictor(20, 10, 10), 20);  // p = 20: left is exact
  EXPECT_EQ(PaethPredictor(10, 10, 10), 10);  // all equal: left
  EXPECT_EQ(PaethPredictor(0, 0, 0), 0);
  EXPECT_EQ(PaethPredictor(100, 200, 250), 100);  // p = 50: pa=50 pb=150 pc=200
  EXPECT_EQ(PaethPredictor(250, 200, 100), 250);  // p = 350: pa=100 pb=150 pc=250
  EXPECT_EQ(PaethPredictor(10, 30, 20), 20);      // p = 20: pa=10, pb=10, pc=0 -> upper left
}

TEST(RowLayout, GeometryAndSamplesAtBothDepths) {
  for (int depth : {8, 16}) {
    TPNGObject image;
    image.MakeBlankImage(COLOR_RGBALPHA, depth, 3, 2);
    image.WritePixel(1, 1, PackRGB(0x12, 0x34, 0x56));
    image.AlphaRow(1)[1] = 0x78;
    const TRowGeometry geometry = RowGeometryOf(image);
    EXPECT_EQ(geometry.rowBytes, depth == 16 ? 24u : 12u);
    EXPECT_EQ(geometry.distance, depth == 16 ? 8u : 4u);
    Row row(geometry.rowBytes, 0xEE);
    LayOutRow(image, 1, row.data());
    const Row expected = depth == 16 ? Row{0x12, 0, 0x34, 0, 0x56, 0, 0x78, 0}
                                     : Row{0x12, 0x34, 0x56, 0x78};
    EXPECT_EQ(Row(row.begin() + geometry.distance, row.begin() + 2 * geometry.distance), expected) << depth;
    EXPECT_EQ(row[0], 0) << depth;
  }
}

TEST(RowLayout, OtherImageKindsAreRefused) {
  TPNGObject image;
  image.MakeBlankImage(2, 8, 3, 2);
  EXPECT_THROW((void)RowGeometryOf(image), EPNGError);
}

TEST(Crc, MatchesThePngReferenceValues) {
  const std::uint8_t iend[] = {'I', 'E', 'N', 'D'};
  EXPECT_EQ(Crc32(iend, 4), 0xAE426082u);
  const std::uint8_t check[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
  EXPECT_EQ(Crc32(check, 9), 0xCBF43926u);
  EXPECT_EQ(FinishCrc(UpdateCrc(UpdateCrc(kCrcStart, check, 4), check + 4, 5)), 0xCBF43926u);
}

}  // namespace
}  // namespace glyphory
