#include "image/bitmap.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "image/file_output.h"
#include "image/png_object.h"
#include "test_support.h"

namespace glyphory {
namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int value : values) {
    bytes.push_back(static_cast<char>(value));
  }
  return bytes;
}

std::string BmpBytes(const TBitmap& bitmap) {
  std::ostringstream out;
  bitmap.SaveToStream(out);
  return out.str();
}

TEST(Bmp, ThreeByTwoFileByteForByte) {
  TPNGObject image;
  image.MakeBlankImage(COLOR_RGBALPHA, 8, 3, 2);
  // Top row: red, green, blue; bottom row: black, grey, white; all opaque.
  const TColor colors[2][3] = {{PackRGB(255, 0, 0), PackRGB(0, 255, 0), PackRGB(0, 0, 255)},
                               {PackRGB(0, 0, 0), PackRGB(0x80, 0x81, 0x82), PackRGB(255, 255, 255)}};
  for (std::int32_t y = 0; y < 2; ++y) {
    for (std::int32_t x = 0; x < 3; ++x) {
      image.WritePixel(x, y, colors[y][x]);
      image.AlphaRow(y)[x] = 255;
    }
  }
  TBitmap bitmap;
  ConvertToBitmap(image, bitmap);
  const std::string expected =
      Bytes({'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,        // file header
             40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0,     // size, width, height, planes, bits
             0, 0, 0, 0, 24, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,      // compression, image size, resolution
             0, 0, 0, 0, 0, 0, 0, 0,                               // colours used, important
             0, 0, 0, 0x82, 0x81, 0x80, 255, 255, 255, 0, 0, 0,    // bottom row first (blue, green, red)
             0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0});           // top row
  EXPECT_EQ(BmpBytes(bitmap), expected);
}

struct BlendCase {
  const char* name;
  TColor color;
  std::uint8_t alpha;
  TColor expected;
};

class FlattenOverWhite : public ::testing::TestWithParam<BlendCase> {};

TEST_P(FlattenOverWhite, GivesTheBlendedColour) {
  const BlendCase& c = GetParam();
  TPNGObject image;
  image.MakeBlankImage(COLOR_RGBALPHA, 16, 1, 1);
  image.WritePixel(0, 0, c.color);
  image.AlphaRow(0)[0] = c.alpha;
  TBitmap bitmap;
  ConvertToBitmap(image, bitmap);
  EXPECT_EQ(bitmap.Pixel(0, 0), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FlattenOverWhite,
    ::testing::Values(BlendCase{"AnyColourAtAlpha0IsWhite", PackRGB(12, 34, 56), 0, clWhite},
                      BlendCase{"Alpha255KeepsTheColour", PackRGB(12, 34, 56), 255, PackRGB(12, 34, 56)},
                      BlendCase{"BlackAt128Is127", clBlack, 128, PackRGB(127, 127, 127)},
                      BlendCase{"WhiteAt128StaysWhite", clWhite, 128, clWhite},
                      BlendCase{"BlackAt1Is254", clBlack, 1, PackRGB(254, 254, 254)},
                      BlendCase{"ChannelsBlendApart", PackRGB(0, 100, 255), 100, PackRGB(155, 194, 255)}),
    [](const ::testing::TestParamInfo<BlendCase>& info) { return std::string(info.param.name); });

TEST(Bmp, WidthAboveSixteenBitsFitsTheHeader) {
  TPNGObject image;
  image.MakeBlankImage(COLOR_RGBALPHA, 8, 70000, 1);
  TBitmap bitmap;
  ConvertToBitmap(image, bitmap);
  const std::string file = BmpBytes(bitmap);
  const std::uint32_t rows = 210000;  // stride of 70000 pixels
  EXPECT_EQ(file.size(), 54u + rows);
  EXPECT_EQ(file.substr(2, 4), Bytes({0x86, 0x34, 0x03, 0x00}));   // 54 + 210000
  EXPECT_EQ(file.substr(18, 8), Bytes({0x70, 0x11, 0x01, 0, 1, 0, 0, 0}));
  EXPECT_EQ(file.substr(34, 4), Bytes({0x50, 0x34, 0x03, 0x00}));  // 210000
}

TEST(Bmp, SaveToFileReplacesAndReportsMissingFolder) {
  test::TempDir dir;
  const std::string path = dir.File("0041.bmp");
  test::WriteFileBytes(path, "old");
  TBitmap bitmap;
  bitmap.SetSize(2, 2);
  bitmap.SaveToFile(path);
  EXPECT_EQ(test::ReadFileBytes(path), BmpBytes(bitmap));
  EXPECT_THROW(bitmap.SaveToFile(dir.File("missing/0041.bmp")), EWriteError);
}

TEST(Bitmap, StartsWhiteWithZeroPadding) {
  TBitmap bitmap;
  bitmap.SetWidth(1);
  bitmap.SetHeight(2);
  EXPECT_EQ(bitmap.Stride(), 4u);
  EXPECT_EQ(bitmap.Pixel(0, 1), clWhite);
  EXPECT_EQ(BmpBytes(bitmap).substr(54), Bytes({255, 255, 255, 0, 255, 255, 255, 0}));
}

// ---- Draw with alpha onto a canvas ----

class DrawWithAlphaTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A 2 x 1 image: opaque red, then half-transparent black.
    image.MakeBlankImage(COLOR_RGBALPHA, 8, 2, 1);
    image.WritePixel(0, 0, PackRGB(255, 0, 0));
    image.AlphaRow(0)[0] = 255;
    image.AlphaRow(0)[1] = 128;
    target.SetSize(6, 4);
  }
  TPNGObject image;
  TBitmap target;
};

TEST_F(DrawWithAlphaTest, ScalesByNearestPixelWithCornersInAnyOrder) {
  DrawWithAlpha(image, target.Target(), TRect{5, 3, 1, 1});  // (1,1)-(5,3) reversed
  for (std::int32_t y = 0; y < 4; ++y) {
    for (std::int32_t x = 0; x < 6; ++x) {
      TColor expected = clWhite;
      if (y >= 1 && y < 3 && x >= 1 && x < 5) {
        expected = x < 3 ? PackRGB(255, 0, 0) : PackRGB(127, 127, 127);
      }
      EXPECT_EQ(target.Pixel(x, y), expected) << x << "," << y;
    }
  }
}

TEST_F(DrawWithAlphaTest, BlendsOverTheCurrentTargetAndClipsToIt) {
  target.Canvas().SetBrushColor(PackRGB(0, 0, 200));
  target.Canvas().FillRect(TRect{0, 0, 6, 4});
  DrawWithAlpha(image, target.Target(), TRect{5, 3, 7, 4});  // one pixel inside
  EXPECT_EQ(target.Pixel(5, 3), PackRGB(255, 0, 0));
  EXPECT_EQ(target.Pixel(4, 3), PackRGB(0, 0, 200));
  // (0 * 128 + 200 * 127 + 255) div 256 = 100 on blue.
  DrawWithAlpha(image, target.Target(), TRect{0, 0, 2, 1});
  EXPECT_EQ(target.Pixel(1, 0), PackRGB(0, 0, 100));
}

TEST_F(DrawWithAlphaTest, EmptyImageOrRectangleDrawsNothing) {
  TPNGObject empty;
  DrawWithAlpha(empty, target.Target(), TRect{0, 0, 6, 4});
  DrawWithAlpha(image, target.Target(), TRect{2, 0, 2, 4});
  DrawWithAlpha(image, target.Target(), TRect{0, 1, 6, 1});
  for (std::int32_t y = 0; y < 4; ++y) {
    for (std::int32_t x = 0; x < 6; ++x) {
      EXPECT_EQ(target.Pixel(x, y), clWhite);
    }
  }
}

TEST_F(DrawWithAlphaTest, UnobtainableWorkBufferRaisesOutMemoryAndChangesNothing) {
  EXPECT_THROW(DrawWithAlpha(image, target.Target(), TRect{-2000000000, -2000000000, 2000000000, 2000000000}),
               EPNGOutMemory);
  EXPECT_EQ(target.Pixel(0, 0), clWhite);
}

}  // namespace
}  // namespace glyphory
