#include "image/png_object.h"

#include <gtest/gtest.h>

#include <string>

namespace glyphory {
namespace {

TEST(PngObject, BlankImageIsBlackAndTransparentWithDefaultSettings) {
  TPNGObject image;
  image.MakeBlankImage(COLOR_RGBALPHA, 8, 1, 1);
  EXPECT_EQ(image.ReadPixel(0, 0), 0u);
  EXPECT_EQ(image.AlphaRow(0)[0], 0);
  EXPECT_EQ(image.RowFilters(), pfSub);
  EXPECT_EQ(image.DeflateLevel(), 7);
  EXPECT_EQ(image.IdatLimit(), 65535);
  EXPECT_EQ(image.InterlaceMode(), 0);
  const TPNGList& chunks = image.Chunks();
  ASSERT_EQ(chunks.Count(), 3u);
  EXPECT_EQ(chunks.Item(0).Type(), "IHDR");
  EXPECT_EQ(chunks.Item(1).Type(), "IDAT");
  EXPECT_EQ(chunks.Item(2).Type(), "IEND");
}

TEST(PngObject, OutsideReadsGiveZeroAndWritesDoNothing) {
  TPNGObject image;
  image.MakeBlankImage(COLOR_RGBALPHA, 8, 3, 2);
  for (std::int32_t y = 0; y < 2; ++y) {
    for (std::int32_t x = 0; x < 3; ++x) {
      image.WritePixel(x, y, 0xABCDEF);
    }
  }
  const std::int32_t outside[][2] = {{-1, 0}, {3, 0}, {0, -1}, {0, 2}, {-1, -1}, {3, 2}};
  for (const auto& p : outside) {
    image.WritePixel(p[0], p[1], 0x123456);
    EXPECT_EQ(image.ReadPixel(p[0], p[1]), 0u) << p[0] << "," << p[1];
  }
  for (std::int32_t y = 0; y < 2; ++y) {
    for (std::int32_t x = 0; x < 3; ++x) {
      EXPECT_EQ(image.ReadPixel(x, y), 0xABCDEFu);
    }
  }
}

TEST(PngObject, WritePixelIgnoresTheHighByteAndLeavesAlpha) {
  TPNGObject image;
  image.MakeBlankImage(COLOR_RGBALPHA, 8, 2, 2);
  image.AlphaRow(1)[1] = 77;
  image.WritePixel(1, 1, 0x8000000F);
  EXPECT_EQ(image.ReadPixel(1, 1), 0x0Fu);
  EXPECT_EQ(image.AlphaRow(1)[1], 77);
  // Bottom-up memory: row 1 of a 2-row image is stored first, blue green red.
  EXPECT_EQ(image.PixelRow(1)[3 + 2], 0x0F);
  EXPECT_EQ(image.PixelRow(1), image.PixelRow(0) - image.Stride());
}

TEST(PngObject, GrowingKeepsTheCornerAndMakesNewPixelsBlackAndOpaque) {
  TPNGObject image;
  image.MakeBlankImage(COLOR_RGBALPHA, 8, 1, 1);
  image.SetImageSize(5, 3);
  EXPECT_EQ(image.Width(), 5);
  EXPECT_EQ(image.Height(), 3);
  EXPECT_EQ(image.ReadPixel(0, 0), 0u);
  EXPECT_EQ(image.AlphaRow(0)[0], 0);
  int newPixels = 0;
  for (std::int32_t y = 0; y < 3; ++y) {
    for (std::int32_t x = 0; x < 5; ++x) {
      if (x == 0 && y == 0) {
        continue;
      }
      ++newPixels;
      EXPECT_EQ(image.ReadPixel(x, y), 0u);
      EXPECT_EQ(image.AlphaRow(y)[x], 255) << x << "," << y;
    }
  }
  EXPECT_EQ(newPixels, 14);
}

TEST(PngObject, ResizingKeepsTheTopLeftBlockWithItsAlpha) {
  TPNGObject image;
  image.MakeBlankImage(COLOR_RGBALPHA, 8, 10, 10);
  for (std::int32_t y = 0; y < 10; ++y) {
    for (std::int32_t x = 0; x < 10; ++x) {
      image.WritePixel(x, y, PackRGB(x * 20, y * 20, 7));
      image.AlphaRow(y)[x] = static_cast<std::uint8_t>(x + 10 * y);
    }
  }
  image.SetImageSize(4, 12);
  for (std::int32_t y = 0; y < 12; ++y) {
    for (std::int32_t x = 0; x < 4; ++x) {
      if (y < 10) {
        EXPECT_EQ(image.ReadPixel(x, y), PackRGB(x * 20, y * 20, 7)) << x << "," << y;
        EXPECT_EQ(image.AlphaRow(y)[x], x + 10 * y);
      } else {
        EXPECT_EQ(image.ReadPixel(x, y), 0u);
        EXPECT_EQ(image.AlphaRow(y)[x], 255);
      }
    }
  }
  EXPECT_EQ(image.Canvas().ClipRect().Right, 4);
  EXPECT_EQ(image.Canvas().ClipRect().Bottom, 12);
}

TEST(PngObject, InvalidNewSizeChangesNothing) {
  TPNGObject image;
  image.MakeBlankImage(COLOR_RGBALPHA, 8, 3, 2);
  image.WritePixel(2, 1, 0x010203);
  for (const auto& size : {std::pair{0, 5}, std::pair{5, 0}, std::pair{-1, 1}}) {
    try {
      image.SetImageSize(size.first, size.second);
      FAIL() << "no error";
    } catch (const EPNGInvalidNewSize& error) {
      EXPECT_STREQ(error.what(), "The new size provided for image resizing is invalid.");
    }
  }
  EXPECT_EQ(image.Width(), 3);
  EXPECT_EQ(image.Height(), 2);
  EXPECT_EQ(image.ReadPixel(2, 1), 0x010203u);
}

TEST(PngObject, CanvasFillChangesColoursButNoAlpha) {
  TPNGObject image;
  image.MakeBlankImage(COLOR_RGBALPHA, 8, 4, 3);
  image.AlphaRow(1)[2] = 9;
  TCanvas& canvas = image.Canvas();
  EXPECT_EQ(canvas.ClipRect().Right, 4);
  EXPECT_EQ(canvas.ClipRect().Bottom, 3);
  canvas.SetBrushColor(clWhite);
  canvas.FillRect(canvas.ClipRect());
  for (std::int32_t y = 0; y < 3; ++y) {
    for (std::int32_t x = 0; x < 4; ++x) {
      EXPECT_EQ(image.ReadPixel(x, y), clWhite);
      EXPECT_EQ(image.AlphaRow(y)[x], (x == 2 && y == 1) ? 9 : 0);
    }
  }
}

TEST(PngObject, DepthSixteenStoresTheSameEightBitValues) {
  TPNGObject image;
  image.MakeBlankImage(COLOR_RGBALPHA, 16, 2, 1);
  image.WritePixel(1, 0, 0x00FE01);
  image.AlphaRow(0)[1] = 200;
  EXPECT_EQ(image.ImageHeader().BitDepth, 16);
  EXPECT_EQ(image.ReadPixel(1, 0), 0x00FE01u);
  EXPECT_EQ(image.AlphaRow(0)[1], 200);
  EXPECT_EQ(image.Stride(), 8u);
}

struct RefusedType {
  int colorType;
  int bitDepth;
};

class MakeBlankImageRefuses : public ::testing::TestWithParam<RefusedType> {};

TEST_P(MakeBlankImageRefuses, WithInvalidSpec) {
  TPNGObject image;
  try {
    image.MakeBlankImage(GetParam().colorType, GetParam().bitDepth, 1, 1);
    FAIL() << "no error";
  } catch (const EPNGInvalidSpec& error) {
    EXPECT_STREQ(error.what(),
                 "The \"Portable Network Graphics\" could not be created because invalid image type parameters "
                 "have being provided.");
  }
}

INSTANTIATE_TEST_SUITE_P(Pairs, MakeBlankImageRefuses,
                         ::testing::Values(RefusedType{3, 16}, RefusedType{2, 4}, RefusedType{2, 1}, RefusedType{5, 8},
                                           RefusedType{6, 3}, RefusedType{6, 32}));

TEST(PngObject, AcceptedTypesIncludeRgbaAtEightAndSixteen) {
  for (const auto& type : {RefusedType{6, 8}, RefusedType{6, 16}, RefusedType{0, 1}, RefusedType{3, 8}}) {
    TPNGObject image;
    EXPECT_NO_THROW(image.MakeBlankImage(type.colorType, type.bitDepth, 2, 2));
  }
}

TEST(PngObject, ImageWithoutHeader) {
  TPNGObject image;
  EXPECT_EQ(image.Width(), 0);
  EXPECT_EQ(image.Height(), 0);
  EXPECT_EQ(image.Chunks().Count(), 0u);
  try {
    (void)image.ImageHeader();
    FAIL() << "no error";
  } catch (const EPNGHeaderNotPresent& error) {
    EXPECT_STREQ(error.what(), "This operation is not valid because the current image contains no valid header.");
  }
}

TEST(PngObject, AssignIsADeepCopyWithWriterSettings) {
  TPNGObject source;
  source.MakeBlankImage(COLOR_RGBALPHA, 16, 3, 2);
  source.WritePixel(1, 1, 0x112233);
  source.AlphaRow(1)[1] = 44;
  source.SetRowFilters(pfAll);
  source.SetDeflateLevel(9);
  source.SetIdatLimit(100000);
  TPNGObject copy;
  copy.Assign(source);
  EXPECT_EQ(copy.Width(), 3);
  EXPECT_EQ(copy.Height(), 2);
  EXPECT_EQ(copy.ImageHeader().BitDepth, 16);
  EXPECT_EQ(copy.RowFilters(), pfAll);
  EXPECT_EQ(copy.DeflateLevel(), 9);
  EXPECT_EQ(copy.IdatLimit(), 100000);
  EXPECT_EQ(copy.ReadPixel(1, 1), 0x112233u);
  EXPECT_EQ(copy.AlphaRow(1)[1], 44);
  ASSERT_EQ(copy.Chunks().Count(), 3u);
  EXPECT_EQ(&copy.Chunks().Item(1).Owner(), &copy);

  copy.WritePixel(1, 1, 0x999999);
  copy.AlphaRow(1)[1] = 1;
  copy.Canvas().FillRect(TRect{0, 0, 1, 1});
  EXPECT_EQ(source.ReadPixel(1, 1), 0x112233u);
  EXPECT_EQ(source.AlphaRow(1)[1], 44);
  EXPECT_EQ(source.ReadPixel(0, 0), 0u);
}

TEST(PngObject, IdatLimitBelowTheMinimumIsRaised) {
  TPNGObject image;
  image.SetIdatLimit(1000);
  EXPECT_EQ(image.IdatLimit(), 65535);
  image.SetIdatLimit(70000);
  EXPECT_EQ(image.IdatLimit(), 70000);
}

}  // namespace
}  // namespace glyphory
