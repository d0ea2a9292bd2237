// Broken font files given to the command line: truncated and bit-flipped
// copies of DejaVu Sans. Each run ends on its own with status 0 (drawn,
// possibly with the missing-glyph shape) or 1 with a message; never by a
// signal or a sanitizer report.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "cli_process.h"
#include "test_support.h"

namespace glyphory {
namespace {

namespace fs = std::filesystem;

struct HostileFont {
  std::string name;
  std::string bytes;
};

std::vector<HostileFont> MakeHostileFonts(const std::string& original) {
  std::vector<HostileFont> fonts;
  const std::size_t size = original.size();
  for (const std::size_t length : {std::size_t{0}, std::size_t{1}, std::size_t{12}, std::size_t{100},
                                   std::size_t{1000}, std::size_t{20000}, size / 4, size / 2, size - 1000,
                                   size - 1}) {
    fonts.push_back({"cut-" + std::to_string(length), original.substr(0, length)});
  }
  std::mt19937 random(7);
  // Flips in the table directory and the first tables hit the structures the
  // loader trusts most; flips anywhere hit outlines and the character map.
  for (const std::size_t range : {std::size_t{512}, std::size_t{16384}, size}) {
    for (const int flips : {1, 4, 32}) {
      for (int copy = 0; copy < 3; ++copy) {
        std::string bytes = original;
        std::uniform_int_distribution<std::size_t> at(0, range * 8 - 1);
        for (int i = 0; i < flips; ++i) {
          const std::size_t bit = at(random);
          bytes[bit / 8] = static_cast<char>(bytes[bit / 8] ^ (1 << (bit % 8)));
        }
        fonts.push_back({"flip-" + std::to_string(range) + "-" + std::to_string(flips) + "-" + std::to_string(copy),
                         std::move(bytes)});
      }
    }
  }
  return fonts;
}

bool HasSanitizerReport(const std::string& output) {
  return output.find("Sanitizer") != std::string::npos || output.find("runtime error:") != std::string::npos;
}

TEST(HostileFonts, EveryBrokenCopyIsReportedOrDrawnNeverACrash) {
  test::TempDir dir;
  const std::string original = test::ReadFileBytes(test::TestFontPath("DejaVuSans.ttf"));
  ASSERT_GT(original.size(), 100000u);
  int reported = 0;
  for (const HostileFont& font : MakeHostileFonts(original)) {
    SCOPED_TRACE(font.name);
    const std::string fontPath = dir.File(font.name + ".ttf");
    test::WriteFileBytes(fontPath, font.bytes);
    const fs::path out = dir.Path() / font.name;
    // Letters, a Cyrillic one, one DejaVu lacks in this character set's
    // mapping, and large enough for real outlines with edging.
    const test::ProcessEnd end =
        test::RunCliToEnd({"--settings", dir.File("none.ini"), "--font-file", fontPath, "--codes", "65,103,192,152",
                           "--size", "40", "--edge-width", "3", "--out", out.string(), "--quiet", "--jobs", "2"},
                          dir.Path());
    ASSERT_TRUE(end.exited) << "ended by signal " << end.status << "\n" << end.output;
    EXPECT_FALSE(HasSanitizerReport(end.output)) << end.output;
    EXPECT_TRUE(end.status == 0 || end.status == 1) << end.status << "\n" << end.output;
    if (end.status == 1) {
      ++reported;
      EXPECT_FALSE(end.output.empty());
    }
    if (fs::exists(out)) {
      for (const std::string& name : test::ListFolder(out).finals) {
        const std::string defect = test::PngDefect(test::ReadFileBytes((out / name).string()));
        EXPECT_TRUE(defect.empty()) << name << ": " << defect;
      }
    }
  }
  // The empty and the shortest copies are no fonts at all.
  EXPECT_GE(reported, 4);
}

TEST(HostileFonts, FileWithoutAFontIsReportedNotReplacedByAnotherFace) {
  test::TempDir dir;
  const std::string fontPath = dir.File("not-a-font.ttf");
  test::WriteFileBytes(fontPath, "this is text, not a font");
  const fs::path out = dir.Path() / "out";
  const test::ProcessEnd end = test::RunCliToEnd(
      {"--settings", dir.File("none.ini"), "--font-file", fontPath, "--codes", "65", "--out", out.string()},
      dir.Path());
  ASSERT_TRUE(end.exited);
  EXPECT_EQ(end.status, 1);
  EXPECT_EQ(end.output, "The font file '" + fontPath + "' holds no usable font.\n");
  EXPECT_FALSE(fs::exists(out / "2113.png"));
}

}  // namespace
}  // namespace glyphory
