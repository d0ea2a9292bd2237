// Guards the exact bytes of exported files: whole runs are rendered and the
// SHA-256 of every file is compared, through one digest per run, with the
// digests recorded from a trusted build. Any change to rasterising, tinting,
// edging, the alpha plane, row filtering or compression shows up here, so
// speed work on those passes can prove that it changed nothing. The digests
// belong to Debian 12's FreeType and zlib: after an upgrade of those they are
// recorded again, from a build whose output was checked by eye.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <sstream>
#include <string>

#include "batch/export_run.h"
#include "image/png_writer.h"
#include "test_host.h"
#include "test_support.h"

namespace glyphory {
namespace {

using test::TempDir;
using test::TestHost;

constexpr char kDefaultCodes[] = "32-126,168,176,184,192-255";

// Standard output of a shell command (coreutils' sha256sum does the hashing).
std::string CommandOutput(const std::string& command) {
  const std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  if (!pipe) {
    return {};
  }
  std::string text;
  char buffer[4096];
  for (std::size_t got = 0; (got = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0;) {
    text.append(buffer, got);
  }
  return text;
}

// "<sha256>  <name>" for every file of the folder, sorted by name.
std::string FolderManifest(const std::string& folder) {
  return CommandOutput("cd '" + folder + "' && LC_ALL=C sha256sum -- * 2>&1");
}

std::string DigestOf(const std::string& text, const TempDir& scratch) {
  const std::string path = scratch.File("manifest.txt");
  test::WriteFileBytes(path, text);
  const std::string line = CommandOutput("sha256sum '" + path + "'");
  return line.substr(0, line.find(' '));
}

struct DigestCase {
  const char* name;
  const char* codes;
  ExportMode mode;
  std::int32_t size;
  std::int32_t edgeWidth;
  int bitDepth;
  bool smoothing;
  int filterIndex;
  std::size_t files;
  const char* digest;  // SHA-256 of the folder manifest
};

void PrintTo(const DigestCase& c, std::ostream* out) { *out << c.name; }

class OutputDigest : public testing::TestWithParam<DigestCase> {};

TEST_P(OutputDigest, ExportedFilesKeepTheirBytes) {
  const DigestCase& c = GetParam();
  TempDir out;
  TempDir scratch;
  TestHost host;
  host.folder = out.Path().string();
  host.codes = c.codes;
  host.allChars = true;
  host.options.size = c.size;
  host.options.edgeWidth = c.edgeWidth;
  host.options.bitDepth = c.bitDepth;
  host.options.smoothing = c.smoothing;
  host.options.filterIndex = c.filterIndex;
  host.options.deflateLevel = 9;
  RunExport(host, c.mode);
  ASSERT_TRUE(host.failures.empty());
  const std::string manifest = FolderManifest(host.folder);
  EXPECT_EQ(static_cast<std::size_t>(std::count(manifest.begin(), manifest.end(), '\n')), c.files);
  EXPECT_EQ(DigestOf(manifest, scratch), c.digest) << manifest;
}

INSTANTIATE_TEST_SUITE_P(
    Runs, OutputDigest,
    testing::Values(
        // The default export: 16 px, edging 1, 16-bit, all filters, level 9.
        DigestCase{"Default", kDefaultCodes, ExportMode::Png, 16, 1, 16, false, 5, 162,
                   "ac468190f60e49792f2d05422e836093283e4ca47ebe4f56eef7a9d3b5161ee1"},
        // Part of the heavy export: 100 px with edging 50.
        DigestCase{"Heavy", "32,65-67,103,168,192,255", ExportMode::Png, 100, 50, 16, false, 5, 8,
                   "1f500a024e0aa194ce8eca24f53cd32aff55f3d9257bf411d5d421b0078b59d7"},
        // 8-bit with smoothed alpha and one fixed filter.
        DigestCase{"SmoothEightBitPaeth", "33-90,184,233", ExportMode::Png, 24, 3, 8, true, 4, 60,
                   "24c043c8518af48a82e2b4d77cac60d12ea04e769711191e8369aa84766042ed"},
        // Black-on-white bitmaps.
        DigestCase{"Bitmaps", "48-57,65-70,192-197", ExportMode::Bmp, 20, 1, 16, false, 5, 22,
                   "5587e2e040e094529cf1a5f2565620df193bb69a6afde89c92bc7bb21cd2df6b"}),
    [](const testing::TestParamInfo<DigestCase>& info) { return std::string(info.param.name); });

// The preview image as the window shows it, saved with the writer's defaults.
TEST(OutputDigest, PreviewKeepsItsBytes) {
  TempDir scratch;
  GlyphOptions options;
  options.size = 100;
  options.edgeWidth = 50;
  const auto glyph = RenderPreview(ComposeLogFont("DejaVu Sans", false, false, DEFAULT_CHARSET), options,
                                   "As_\xC1\xB8 32 (*)");
  ASSERT_NE(glyph, nullptr);
  std::ostringstream png(std::ios::binary);
  SavePNGToStream(*glyph, png);
  EXPECT_EQ(DigestOf(png.str(), scratch), "e6bf7f2fecfb31b0ad07ae15239c2fae06e6a368bc62410f8c3a697460ba8601");
}

}  // namespace
}  // namespace glyphory
