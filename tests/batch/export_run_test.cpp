#include "batch/export_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "batch/int_text.h"
#include "batch/stop_flag.h"
#include "test_host.h"
#include "test_support.h"

namespace glyphory {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using test::TestHost;

std::set<std::string> FilesIn(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

std::set<std::string> NumberedNames(const std::vector<int>& numbers, const char* extension, int digits = 0) {
  std::set<std::string> names;
  for (const int n : numbers) {
    std::string text = std::to_string(n);
    if (static_cast<int>(text.size()) < digits) {
      text.insert(0, static_cast<std::size_t>(digits) - text.size(), '0');
    }
    names.insert(text + extension);
  }
  return names;
}

std::vector<int> DefaultCodes() {
  std::vector<int> codes;
  for (int c = 32; c <= 126; ++c) codes.push_back(c);
  for (int c : {168, 176, 184}) codes.push_back(c);
  for (int c = 192; c <= 255; ++c) codes.push_back(c);
  return codes;
}

class ExportRun : public testing::Test {
 protected:
  void SetUp() override { host.folder = dir.Path().string(); }
  TempDir dir;
  TestHost host;
};

TEST_F(ExportRun, DefaultListWritesOnePngPerCodeUnderCodePlusOffset) {
  host.codes = "32-126,168,176,184,192-255";
  RunExport(host, ExportMode::Png);
  std::vector<int> numbers;
  for (int c : DefaultCodes()) numbers.push_back(c + 2048);
  EXPECT_EQ(FilesIn(dir.Path()), NumberedNames(numbers, ".png"));
  EXPECT_EQ(host.progressMaximum, 161);
  EXPECT_EQ(host.progress.back(), 0);
  EXPECT_EQ(host.locks, 1);
  EXPECT_EQ(host.unlocks, 1);
  EXPECT_TRUE(host.failures.empty());
}

TEST_F(ExportRun, SkipsCodesOutsideTheDrawableRangeWithoutMovingProgress) {
  host.codes = "300,31,65";
  RunExport(host, ExportMode::Png);
  EXPECT_EQ(FilesIn(dir.Path()), std::set<std::string>{"2113.png"});
  // Initial position, the one written entry (index 2), the final reset.
  EXPECT_EQ(host.progress, (std::vector<int>{0, 2, 0}));
}

TEST_F(ExportRun, SameCodeTypedTwoWaysWritesOneFile) {
  host.codes = "65,$41";
  RunExport(host, ExportMode::Png);
  EXPECT_EQ(FilesIn(dir.Path()), std::set<std::string>{"2113.png"});
}

TEST_F(ExportRun, OffsetNamesTheFiles) {
  for (const auto& [offset, name] : {std::pair{0, "65.png"}, std::pair{-100, "-35.png"}}) {
    TempDir out;
    host.folder = out.Path().string();
    host.offset = offset;
    RunExport(host, ExportMode::Png);
    EXPECT_EQ(FilesIn(out.Path()), std::set<std::string>{name});
  }
}

TEST_F(ExportRun, EntryThatIsNotANumberEndsTheRunAfterCleanUp) {
  host.codes = "65,66,abc,67";
  try {
    RunExport(host, ExportMode::Png);
    FAIL() << "the run should end with the conversion error";
  } catch (const EConvertError& error) {
    EXPECT_STREQ(error.what(), "'abc' is not a valid integer value");
  }
  EXPECT_EQ(FilesIn(dir.Path()), (std::set<std::string>{"2113.png", "2114.png"}));
  EXPECT_EQ(host.unlocks, 1);
  EXPECT_EQ(host.progress.back(), 0);
}

TEST_F(ExportRun, EmptyListEndsTheRunBeforeAnythingIsDrawn) {
  for (const char* codes : {"", ",,", "70-65"}) {
    host.codes = codes;
    EXPECT_THROW(RunExport(host, ExportMode::Png), EEmptyCodeList) << codes;
  }
  EXPECT_TRUE(FilesIn(dir.Path()).empty());
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(ExportRun, FailedExpansionShowsItsMessageThenEndsOnTheEmptyList) {
  host.codes = "65-";
  EXPECT_THROW(RunExport(host, ExportMode::Png), EEmptyCodeList);
  ASSERT_EQ(host.messages.size(), 1u);
}

TEST_F(ExportRun, MissingFolderReportsEveryCodeAndGoesOn) {
  host.folder = (dir.Path() / "missing").string();
  host.codes = "65,66";
  RunExport(host, ExportMode::Png);
  ASSERT_EQ(host.failures.size(), 2u);
  EXPECT_EQ(host.failures[0].first, "\xCE\xF8\xE8\xE1\xEA\xE0 \xE3\xE5\xED\xE5\xF0\xE0\xF6\xE8\xE8 "
                                    "\xF1\xE8\xEC\xE2\xEE\xEB\xE0 \"A\"!");
  EXPECT_NE(host.failures[0].second.find("missing"), std::string::npos);
  EXPECT_EQ(host.progress.back(), 0);
}

TEST_F(ExportRun, StopEndsTheRunAfterTheCurrentCode) {
  host.codes = "65-70";
  host.onProcessEvents = [] { StopRequested = true; };
  RunExport(host, ExportMode::Png);
  EXPECT_EQ(FilesIn(dir.Path()), std::set<std::string>{"2113.png"});
  EXPECT_EQ(host.progress.back(), 0);
}

TEST_F(ExportRun, NoBitDepthSelectedEndsTheRunAtTheFirstCode) {
  host.codes = "10,65";
  host.options.bitDepth = -1;
  EXPECT_THROW(RunExport(host, ExportMode::Png), EListIndexError);
  EXPECT_EQ(host.unlocks, 1);
}

TEST_F(ExportRun, BmpWithAllCharsWritesEveryDrawableCode) {
  host.codes = "32-126,168,176,184,192-255";
  host.allChars = true;
  host.charMapPath = (dir.Path() / "none.ini").string();
  RunExport(host, ExportMode::Bmp);
  EXPECT_EQ(FilesIn(dir.Path()), NumberedNames(DefaultCodes(), ".bmp", 4));
}

TEST_F(ExportRun, BmpWithoutMapAndWithoutAllCharsWritesNothing) {
  host.codes = "32-255";
  host.charMapPath = (dir.Path() / "none.ini").string();
  RunExport(host, ExportMode::Bmp);
  EXPECT_TRUE(FilesIn(dir.Path()).empty());
  EXPECT_TRUE(host.messages.empty());
  EXPECT_TRUE(host.failures.empty());
}

struct MapCase {
  const char* name;
  const char* map;
  const char* charset;
  const char* codes;
  std::set<std::string> files;
};

void PrintTo(const MapCase& c, std::ostream* os) { *os << c.name; }

class BmpCharMap : public testing::TestWithParam<MapCase> {};

TEST_P(BmpCharMap, SelectsAndNumbersCodes) {
  const MapCase& c = GetParam();
  TempDir dir;
  TestHost host;
  host.folder = (dir.Path() / "out").string();
  fs::create_directory(host.folder);
  host.charMapPath = dir.File("charsmod.ini");
  test::WriteFileBytes(host.charMapPath, c.map);
  host.charset = c.charset;
  host.codes = c.codes;
  RunExport(host, ExportMode::Bmp);
  EXPECT_EQ(FilesIn(host.folder), c.files);
}

const char kExampleMap[] = "[COMMON]\n65=1\n[RUSSIAN_CHARSET]\n192=300\n65=7\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, BmpCharMap,
    testing::Values(
        MapCase{"charset section wins", kExampleMap, "RUSSIAN_CHARSET", "65,192", {"0007.bmp", "0300.bmp"}},
        MapCase{"common only", kExampleMap, "ANSI_CHARSET", "65,192", {"0001.bmp"}},
        MapCase{"non-numeric value gives the code", "[COMMON]\n65=abc\n", "ANSI_CHARSET", "65", {"0065.bmp"}},
        MapCase{"empty charset value gives the code", "[COMMON]\n65=1\n[ANSI_CHARSET]\n65=\n", "ANSI_CHARSET",
                "65", {"0065.bmp"}},
        MapCase{"entries are keys as typed", "[COMMON]\n65=1\n", "ANSI_CHARSET", "065", {}},
        MapCase{"keys ignore case", "[common]\n$4a=3\n", "ANSI_CHARSET", "$4A", {"0003.bmp"}},
        MapCase{"negative number", "[COMMON]\n65=-5\n", "ANSI_CHARSET", "65", {"-0005.bmp"}},
        MapCase{"two codes on one number: one file", "[COMMON]\n65=9\n66=9\n", "ANSI_CHARSET", "65,66",
                {"0009.bmp"}}));

TEST_F(ExportRun, BmpNameFormatThatTakesNoIntegerFailsEveryCode) {
  host.codes = "65,66";
  host.allChars = true;
  host.nameFormat = "%s";
  RunExport(host, ExportMode::Bmp);
  EXPECT_EQ(host.failures.size(), 2u);
  EXPECT_TRUE(FilesIn(dir.Path()).empty());
}

TEST_F(ExportRun, BmpIsBlackOnWhiteWithAWhiteTopLeftPixel) {
  host.codes = "66";  // B: its stem covers the left column
  host.allChars = true;
  host.nameFormat = "%d";
  host.options.fontColor = 0x3366CC;
  host.options.bgColor = clFuchsia;
  host.options.size = 40;
  RunExport(host, ExportMode::Bmp);
  const std::string bmp = test::ReadFileBytes(dir.File("66.bmp"));
  ASSERT_GT(bmp.size(), 54u);
  const auto u32 = [&](std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bmp[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bmp[at + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bmp[at + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bmp[at + 3])) << 24;
  };
  const std::uint32_t width = u32(18);
  const std::uint32_t height = u32(22);
  const std::size_t stride = ((24 * width + 31) / 32) * 4;
  bool sawBlack = false;
  for (std::uint32_t row = 0; row < height; ++row) {
    for (std::uint32_t x = 0; x < width; ++x) {
      const std::size_t at = 54 + row * stride + x * 3;
      const auto b = static_cast<unsigned char>(bmp[at]);
      const auto g = static_cast<unsigned char>(bmp[at + 1]);
      const auto r = static_cast<unsigned char>(bmp[at + 2]);
      const bool white = b == 255 && g == 255 && r == 255;
      const bool black = b == 0 && g == 0 && r == 0;
      ASSERT_TRUE(white || black) << x << "," << row;
      sawBlack = sawBlack || black;
    }
  }
  EXPECT_TRUE(sawBlack);
  const std::size_t topLeft = 54 + (height - 1) * stride;
  EXPECT_EQ(static_cast<unsigned char>(bmp[topLeft]), 255);
}

TEST(Preview, LeavesSmoothingAndRigidityAtTheirDefaults) {
  GlyphOptions plain;
  plain.size = 30;
  GlyphOptions tuned = plain;
  tuned.smoothing = true;
  tuned.correction = 90;
  const LOGFONT record = ComposeLogFont("DejaVu Sans", false, false, DEFAULT_CHARSET);
  const auto a = RenderPreview(record, plain, "As_\xC1\xB8 32 (*)");
  const auto b = RenderPreview(record, tuned, "As_\xC1\xB8 32 (*)");
  ASSERT_TRUE(a && b);
  ASSERT_EQ(a->Width(), b->Width());
  for (int y = 0; y < a->Height(); ++y) {
    for (int x = 0; x < a->Width(); ++x) {
      ASSERT_EQ(a->ReadPixel(x, y), b->ReadPixel(x, y));
      ASSERT_EQ(a->AlphaRow(y)[x], b->AlphaRow(y)[x]);
    }
  }
}

TEST(Preview, EmptySampleFailsConstruction) {
  const LOGFONT record = ComposeLogFont("DejaVu Sans", false, false, DEFAULT_CHARSET);
  EXPECT_THROW((void)RenderPreview(record, GlyphOptions{}, ""), EPNGInvalidNewSize);
}

TEST(FilterSetTable, MapsListIndexesToRowFilters) {
  const std::pair<int, std::uint8_t> cases[] = {{0, 1}, {1, 2}, {2, 4}, {3, 8}, {4, 16}, {5, 30}, {6, 1}, {-1, 1}};
  for (const auto& [index, filters] : cases) {
    EXPECT_EQ(FilterSet(index), filters) << index;
  }
}

TEST(FileNames, AlwaysAddTheSeparator) {
  EXPECT_EQ(PngFileName("/tmp/out/", 65, 2048), "/tmp/out//2113.png");
  EXPECT_EQ(PngFileName("out", 65, INT32_MAX), "out/2147483712.png");
  EXPECT_EQ(BmpFileName("out", 7, "%0.4d"), "out/0007.bmp");
}

}  // namespace
}  // namespace glyphory
