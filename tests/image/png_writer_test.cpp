#include "image/png_writer.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <tuple>

#include "image/deflate_stream.h"
#include "image/file_output.h"
#include "image/png_object.h"
#include "png_decode.h"
#include "test_support.h"

namespace glyphory {
namespace {

using test::DecodedPng;
using test::ParsedChunk;

std::string SaveToString(const TPNGObject& image) {
  std::ostringstream out;
  image.SaveToStream(out);
  return out.str();
}

// Fills colour and alpha from a seeded generator; every third pixel repeats
// its left neighbour so that the filters have repeats to find.
void PaintNoise(TPNGObject& image, std::uint32_t seed) {
  std::mt19937 random(seed);
  for (std::int32_t y = 0; y < image.Height(); ++y) {
    for (std::int32_t x = 0; x < image.Width(); ++x) {
      const bool repeat = x > 0 && x % 3 == 0;
      image.WritePixel(x, y, repeat ? image.ReadPixel(x - 1, y) : random() & 0xFFFFFF);
      image.AlphaRow(y)[x] = repeat ? image.AlphaRow(y)[x - 1] : static_cast<std::uint8_t>(random());
    }
  }
}

void MakeImage(TPNGObject& image, int depth, std::int32_t width, std::int32_t height, std::uint32_t seed) {
  image.MakeBlankImage(COLOR_RGBALPHA, depth, width, height);
  PaintNoise(image, seed);
}

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int value : values) {
    bytes.push_back(static_cast<char>(value));
  }
  return bytes;
}

// Filter byte of every row of the inflated image data.
std::vector<int> FilterBytes(const std::string& raw, std::size_t rowBytes) {
  std::vector<int> types;
  for (std::size_t at = 0; at < raw.size(); at += rowBytes + 1) {
    types.push_back(static_cast<unsigned char>(raw[at]));
  }
  return types;
}

// ---- Every depth, filter set and level decodes to the stored samples ----

class PngRoundTrip : public ::testing::TestWithParam<std::tuple<int, int, int>> {};

TEST_P(PngRoundTrip, LibpngDecodesStoredSamplesAndFilterBytesComeFromTheSet) {
  const auto [depth, filters, level] = GetParam();
  TPNGObject image;
  MakeImage(image, depth, 13, 7, 1234);
  // A flat row and a copy of the row above give the filters clear winners.
  for (std::int32_t x = 0; x < 13; ++x) {
    image.WritePixel(x, 2, 0x102030);
    image.AlphaRow(2)[x] = 200;
    image.WritePixel(x, 3, image.ReadPixel(x, 2));
  }
  image.SetRowFilters(static_cast<std::uint8_t>(filters));
  image.SetDeflateLevel(static_cast<std::uint8_t>(level));
  const std::string file = SaveToString(image);

  const DecodedPng decoded = test::DecodeWithLibpng(file);
  ASSERT_TRUE(decoded.ok) << decoded.error;
  EXPECT_EQ(decoded.width, 13u);
  EXPECT_EQ(decoded.height, 7u);
  EXPECT_EQ(decoded.bitDepth, depth);
  EXPECT_EQ(decoded.colorType, 6);
  const std::uint16_t scale = depth == 16 ? 256 : 1;
  for (std::int32_t y = 0; y < 7; ++y) {
    for (std::int32_t x = 0; x < 13; ++x) {
      const std::size_t at = (static_cast<std::size_t>(y) * 13 + x) * 4;
      const TColor color = image.ReadPixel(x, y);
      ASSERT_EQ(decoded.samples[at], RedOf(color) * scale) << x << "," << y;
      ASSERT_EQ(decoded.samples[at + 1], GreenOf(color) * scale) << x << "," << y;
      ASSERT_EQ(decoded.samples[at + 2], BlueOf(color) * scale) << x << "," << y;
      ASSERT_EQ(decoded.samples[at + 3], image.AlphaRow(y)[x] * scale) << x << "," << y;
    }
  }

  bool inflated = false;
  const std::string raw = test::InflateZlib(test::IdatData(test::ParseChunks(file)), inflated);
  ASSERT_TRUE(inflated);
  const std::size_t rowBytes = 13u * (depth == 16 ? 8 : 4);
  ASSERT_EQ(raw.size(), 7 * (rowBytes + 1));
  for (int type : FilterBytes(raw, rowBytes)) {
    const bool single = (filters & (filters - 1)) == 0;
    if (single) {
      EXPECT_EQ(1 << type, filters);
    } else {
      EXPECT_TRUE(type == 0 || ((filters >> type) & 1) != 0) << type;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(DepthFilterLevel, PngRoundTrip,
                         ::testing::Combine(::testing::Values(8, 16),
                                            ::testing::Values(pfNone, pfSub, pfUp, pfAverage, pfPaeth, pfAll, 31),
                                            ::testing::Values(0, 1, 7, 9)));

// ---- Byte-level layout ----

TEST(PngLayout, HeaderBytesAndIendAtBothDepths) {
  for (int depth : {8, 16}) {
    TPNGObject image;
    MakeImage(image, depth, 5, 4, 7);
    const std::string file = SaveToString(image);
    SCOPED_TRACE(depth);
    EXPECT_EQ(file.substr(0, 8), Bytes({0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A}));
    EXPECT_EQ(file.substr(8, 8), Bytes({0, 0, 0, 13, 'I', 'H', 'D', 'R'}));
    EXPECT_EQ(file.substr(16, 8), Bytes({0, 0, 0, 5, 0, 0, 0, 4}));
    EXPECT_EQ(file.substr(24, 5), Bytes({depth, 6, 0, 0, 0}));
    EXPECT_EQ(file.substr(file.size() - 12), Bytes({0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82}));
    for (const ParsedChunk& chunk : test::ParseChunks(file)) {
      EXPECT_TRUE(chunk.crcOk) << chunk.type;
    }
  }
}

TEST(PngLayout, BlankOneByOneIsOneIdatWithOneFilteredZeroRow) {
  TPNGObject image;
  image.MakeBlankImage(COLOR_RGBALPHA, 8, 1, 1);
  const std::vector<ParsedChunk> chunks = test::ParseChunks(SaveToString(image));
  ASSERT_EQ(chunks.size(), 3u);
  EXPECT_EQ(chunks[0].type, "IHDR");
  EXPECT_EQ(chunks[1].type, "IDAT");
  EXPECT_EQ(chunks[2].type, "IEND");
  bool inflated = false;
  // Default filter set {Sub}: filter byte 1, then four zero bytes.
  EXPECT_EQ(test::InflateZlib(chunks[1].data, inflated), Bytes({1, 0, 0, 0, 0}));
  EXPECT_TRUE(inflated);
}

TEST(PngLayout, WidthAboveSixteenBitsFitsTheHeader) {
  TPNGObject image;
  image.MakeBlankImage(COLOR_RGBALPHA, 8, 70000, 1);
  image.WritePixel(69999, 0, 0x0000FF);
  image.AlphaRow(0)[69999] = 255;
  const std::string file = SaveToString(image);
  EXPECT_EQ(file.substr(16, 8), Bytes({0x00, 0x01, 0x11, 0x70, 0, 0, 0, 1}));
  const DecodedPng decoded = test::DecodeWithLibpng(file);
  ASSERT_TRUE(decoded.ok) << decoded.error;
  EXPECT_EQ(decoded.width, 70000u);
  EXPECT_EQ(decoded.samples[69999 * 4], 255);
  EXPECT_EQ(decoded.samples[69999 * 4 + 3], 255);
}

// Lengths of the IDAT chunks and whether their joined data is one zlib stream.
struct IdatSplit {
  std::vector<std::size_t> lengths;
  std::size_t total = 0;
  bool oneStream = false;
};

IdatSplit SplitOf(const std::string& file) {
  IdatSplit split;
  const std::vector<ParsedChunk> chunks = test::ParseChunks(file);
  for (const ParsedChunk& chunk : chunks) {
    if (chunk.type == "IDAT") {
      split.lengths.push_back(chunk.data.size());
      split.total += chunk.data.size();
    }
  }
  (void)test::InflateZlib(test::IdatData(chunks), split.oneStream);
  return split;
}

void ExpectFullChunksButTheLast(const IdatSplit& split) {
  ASSERT_FALSE(split.lengths.empty());
  for (std::size_t i = 0; i + 1 < split.lengths.size(); ++i) {
    EXPECT_EQ(split.lengths[i], 65535u) << "IDAT " << i;
  }
  EXPECT_GE(split.lengths.back(), 1u);
  EXPECT_LE(split.lengths.back(), 65535u);
}

TEST(PngLayout, LargeNoiseImageIsCutIntoFullIdatChunks) {
  TPNGObject image;
  MakeImage(image, 8, 600, 600, 99);
  image.SetDeflateLevel(0);
  const std::string file = SaveToString(image);
  const IdatSplit split = SplitOf(file);
  EXPECT_GT(split.lengths.size(), 20u);
  ExpectFullChunksButTheLast(split);
  EXPECT_TRUE(split.oneStream);
  EXPECT_TRUE(test::DecodeWithLibpng(file).ok);
}

TEST(PngLayout, RaisedIdatLimitCutsAtTheLimit) {
  TPNGObject image;
  MakeImage(image, 8, 300, 300, 5);
  image.SetDeflateLevel(0);
  image.SetIdatLimit(100000);
  const IdatSplit split = SplitOf(SaveToString(image));
  ASSERT_GT(split.lengths.size(), 1u);
  for (std::size_t i = 0; i + 1 < split.lengths.size(); ++i) {
    EXPECT_EQ(split.lengths[i], 100000u);
  }
  EXPECT_TRUE(split.oneStream);
}

TEST(PngLayout, CompressedLengthOfExactMultipleLeavesNoEmptyIdat) {
  // Stored (level 0) data grows with the image size alone; look for a size
  // whose compressed stream is exactly two full IDAT chunks long.
  TPNGObject image;
  bool found = false;
  for (std::int32_t width = 1; width <= 64 && !found; ++width) {
    const std::int32_t rowBytes = 4 * width + 1;
    const std::int32_t start = 2 * 65535 / rowBytes - 2;
    for (std::int32_t height = start; height < start + 4 && !found; ++height) {
      image.MakeBlankImage(COLOR_RGBALPHA, 8, width, height);
      image.SetDeflateLevel(0);
      found = SplitOf(SaveToString(image)).total == 2 * 65535;
    }
  }
  ASSERT_TRUE(found) << "no image size gives a stream of exactly 2 x 65535 bytes";
  const std::string file = SaveToString(image);
  const IdatSplit split = SplitOf(file);
  EXPECT_EQ(split.lengths, (std::vector<std::size_t>{65535, 65535}));
  EXPECT_TRUE(split.oneStream);
  EXPECT_TRUE(test::DecodeWithLibpng(file).ok);
}

// ---- Errors ----

TEST(PngErrors, DeflateLevelOutsideRangeNamesTheCauseAndWritesNothing) {
  TPNGObject image;
  MakeImage(image, 8, 3, 2, 1);
  image.SetDeflateLevel(10);
  std::ostringstream out;
  try {
    image.SaveToStream(out);
    FAIL() << "no error";
  } catch (const EDeflateError& error) {
    EXPECT_NE(std::string(error.what()).find("deflate level 10"), std::string::npos) << error.what();
  }
  EXPECT_TRUE(out.str().empty());
}

TEST(PngErrors, ImageWithoutHeaderIsNotSaved) {
  TPNGObject image;
  std::ostringstream out;
  EXPECT_THROW(image.SaveToStream(out), EPNGHeaderNotPresent);
}

TEST(PngErrors, FailedStreamWriteIsReported) {
  TPNGObject image;
  MakeImage(image, 8, 200, 200, 3);
  std::ofstream full("/dev/full", std::ios::binary);
  ASSERT_TRUE(full.is_open());
  EXPECT_THROW(image.SaveToStream(full), EWriteError);
}

// ---- Files ----

TEST(PngFiles, SavingTwiceGivesIdenticalFilesAndReplacesTheOld) {
  test::TempDir dir;
  const std::string path = dir.File("65.png");
  test::WriteFileBytes(path, std::string(300000, 'x'));
  TPNGObject image;
  MakeImage(image, 16, 20, 10, 42);
  image.SetRowFilters(pfAll);
  image.SaveToFile(path);
  const std::string first = test::ReadFileBytes(path);
  image.SaveToFile(path);
  EXPECT_EQ(test::ReadFileBytes(path), first);
  EXPECT_EQ(first, SaveToString(image));
  // Nothing but the file itself is left in the folder.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(PngFiles, MissingFolderRaisesWriteError) {
  test::TempDir dir;
  TPNGObject image;
  MakeImage(image, 8, 3, 2, 1);
  const std::string path = dir.File("missing/65.png");
  try {
    image.SaveToFile(path);
    FAIL() << "no error";
  } catch (const EWriteError& error) {
    EXPECT_EQ(std::string(error.what()), "Unable to write to " + path);
  }
}

TEST(PngFiles, ReadOnlyFileIsNotReplaced) {
  test::TempDir dir;
  const std::string path = dir.File("65.png");
  test::WriteFileBytes(path, "old");
  std::filesystem::permissions(path, std::filesystem::perms::owner_read);
  TPNGObject image;
  MakeImage(image, 8, 3, 2, 1);
  EXPECT_THROW(image.SaveToFile(path), EWriteError);
  EXPECT_EQ(test::ReadFileBytes(path), "old");
}

TEST(PngFiles, FailedSaveLeavesTheExistingFileWhole) {
  test::TempDir dir;
  const std::string path = dir.File("65.png");
  test::WriteFileBytes(path, "old");
  TPNGObject image;
  MakeImage(image, 8, 3, 2, 1);
  image.SetDeflateLevel(12);
  EXPECT_THROW(image.SaveToFile(path), EDeflateError);
  EXPECT_EQ(test::ReadFileBytes(path), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

// Lowers the largest file size this process may write, so that writes fail
// as on a full disk; restores the limit on destruction.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit lowered = saved_;
    lowered.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &lowered);
  }
  ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved_); }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit saved_{};
};

TEST(PngFiles, WriteFailingHalfWayIsReportedAndKeepsTheOldFile) {
  test::TempDir dir;
  const std::string path = dir.File("65.png");
  test::WriteFileBytes(path, "old");
  TPNGObject image;
  MakeImage(image, 8, 300, 300, 8);
  image.SetDeflateLevel(0);
  {
    FileSizeLimit limit(100000);
    try {
      image.SaveToFile(path);
      FAIL() << "no error";
    } catch (const EWriteError& error) {
      EXPECT_EQ(std::string(error.what()), "Unable to write to " + path);
    }
  }
  EXPECT_EQ(test::ReadFileBytes(path), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(PngFiles, ReplacementKeepsThePermissionsOfTheOldFile) {
  test::TempDir dir;
  const std::string path = dir.File("65.png");
  test::WriteFileBytes(path, "old");
  std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                                         std::filesystem::perms::group_read);
  TPNGObject image;
  MakeImage(image, 8, 3, 2, 1);
  image.SaveToFile(path);
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
}

}  // namespace
}  // namespace glyphory
