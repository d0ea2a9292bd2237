// What a killed run or a full disk leaves behind: every file under a final
// name is complete; only the file being written at the moment of a kill may
// be left as a temporary file (a dot name with the writer's marker), never
// under a final name. Failures the program sees are reported per code.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "batch/code_list.h"
#include "batch/glyph_pipeline.h"
#include "batch/int_text.h"
#include "cli_process.h"
#include "glyph/code_page.h"
#include "settings/ini_store.h"
#include "test_support.h"

namespace glyphory {
namespace {

namespace fs = std::filesystem;
using test::CliProcess;
using test::ProcessEnd;

// Glyphs as large as the program makes them, with the widest edging: the
// longest export of the default code list.
// Worker threads of the killed runs: each writes one file at a time.
constexpr int kJobs = 2;

std::vector<std::string> LargeExportArgs(const std::string& settings, const fs::path& out, const std::string& mode) {
  return {"--settings", settings, "--mode", mode, "--all-chars", "--size", "100", "--edge-width", "50",
          "--out", out.string(), "--quiet", "--jobs", std::to_string(kJobs)};
}

// The code list a run without settings exports.
constexpr const char* kDefaultCodes = "32-126,168,176,184,192-255";

// The entries of the default code list.
CodeList DefaultCodes() { return ParseCodeList(kDefaultCodes).value_or(CodeList{}); }

// The names a complete run of the default list writes.
std::set<std::string> ExpectedNames(const std::string& mode) {
  std::set<std::string> names;
  for (const std::string& entry : DefaultCodes()) {
    const std::int32_t code = StrToInt(entry);
    const std::string path = mode == "png" ? PngFileName("", code, 2048) : BmpFileName("", code, "%0.4d");
    names.insert(fs::path(path).filename().string());
  }
  return names;
}

std::string Defect(const fs::path& file, const std::string& mode) {
  const std::string bytes = test::ReadFileBytes(file.string());
  return mode == "png" ? test::PngDefect(bytes) : test::BmpDefect(bytes);
}

// Every file under a final name is one the run means to write, and complete.
void ExpectOnlyCompleteFinalFiles(const fs::path& folder, const std::string& mode) {
  const std::set<std::string> expected = ExpectedNames(mode);
  for (const std::string& name : test::ListFolder(folder).finals) {
    EXPECT_EQ(expected.count(name), 1u) << "unexpected file " << name;
    const std::string defect = Defect(folder / name, mode);
    EXPECT_TRUE(defect.empty()) << name << ": " << defect;
  }
}

class KilledExport : public testing::TestWithParam<const char*> {
 protected:
  test::TempDir dir;
};

TEST_P(KilledExport, LeavesOnlyCompleteFilesUnderFinalNames) {
  const std::string mode = GetParam();
  const std::string settings = dir.File("none.ini");
  // A complete run first: it gives the time a run takes (so kills land
  // anywhere in it) and the files that later runs replace.
  const fs::path replaced = dir.Path() / "replaced";
  const auto start = std::chrono::steady_clock::now();
  const ProcessEnd full = test::RunCliToEnd(LargeExportArgs(settings, replaced, mode), dir.Path());
  const auto runTime = std::chrono::steady_clock::now() - start;
  ASSERT_TRUE(full.exited && full.status == 0) << full.output;
  ASSERT_EQ(test::ListFolder(replaced).finals.size(), ExpectedNames(mode).size());

  std::mt19937 random(20240611);
  const auto runMicros = std::chrono::duration_cast<std::chrono::microseconds>(runTime).count();
  std::uniform_int_distribution<long long> moment(0, std::max<long long>(runMicros, 1000));
  constexpr int kKills = 6;
  std::size_t killsThatHit = 0;
  for (int round = 0; round < kKills; ++round) {
    // Odd rounds write into a new folder, even rounds replace existing files.
    const fs::path out = round % 2 == 0 ? replaced : dir.Path() / ("fresh" + std::to_string(round));
    const std::size_t tempsBefore = fs::exists(out) ? test::ListFolder(out).temporaries.size() : 0;
    CliProcess process(LargeExportArgs(settings, out, mode), dir.Path());
    std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
    const ProcessEnd end = process.Kill();
    if (!end.exited) {
      ++killsThatHit;
    } else {
      EXPECT_EQ(end.status, 0) << end.output;
    }
    if (!fs::exists(out)) {
      continue;  // killed before the folder was made
    }
    ExpectOnlyCompleteFinalFiles(out, mode);
    // Each worker writes one file at a time, so one kill leaves at most one
    // temporary file per worker.
    EXPECT_LE(test::ListFolder(out).temporaries.size(), tempsBefore + kJobs) << "round " << round;
  }
  EXPECT_GT(killsThatHit, 0u) << "every run ended before its kill";

  // A run after the kills completes the folder; the temporary files of the
  // killed runs are all that may remain besides it.
  const ProcessEnd again = test::RunCliToEnd(LargeExportArgs(settings, replaced, mode), dir.Path());
  ASSERT_TRUE(again.exited && again.status == 0) << again.output;
  ExpectOnlyCompleteFinalFiles(replaced, mode);
  EXPECT_EQ(test::ListFolder(replaced).finals.size(), ExpectedNames(mode).size());
}

INSTANTIATE_TEST_SUITE_P(Modes, KilledExport, testing::Values("png", "bmp"));

// A size-limited file system mounted for the test (needs root; the test is
// skipped when it cannot be mounted). Unmounted with the object.
class SmallFileSystem {
 public:
  SmallFileSystem(const fs::path& folder, const std::string& size) : folder_(folder) {
    fs::create_directories(folder_);
    const std::string options = "size=" + size;
    mounted_ = ::geteuid() == 0 && ::mount("tmpfs", folder_.c_str(), "tmpfs", 0, options.c_str()) == 0;
  }
  ~SmallFileSystem() {
    if (mounted_) {
      ::umount2(folder_.c_str(), MNT_DETACH);
    }
  }
  SmallFileSystem(const SmallFileSystem&) = delete;
  SmallFileSystem& operator=(const SmallFileSystem&) = delete;
  [[nodiscard]] bool Mounted() const { return mounted_; }

 private:
  fs::path folder_;
  bool mounted_ = false;
};

// For every code of the list: either its file exists and is complete, or the
// output reports that code with the file it could not write. Returns how
// many codes failed.
std::size_t ExpectEachCodeWrittenOrReported(const fs::path& folder, const std::string& output) {
  std::size_t failed = 0;
  for (const std::string& entry : DefaultCodes()) {
    const std::int32_t code = StrToInt(entry);
    const std::string path = PngFileName(folder.string(), code, 2048);
    const std::string report =
        Cp1251ToUtf8(CodeFailureMessage(code)) + " Unable to write to " + path + "\n";
    const bool reported = output.find(report) != std::string::npos;
    failed += reported ? 1 : 0;
    if (!fs::exists(path)) {
      EXPECT_TRUE(reported) << "code " << code << " neither written nor reported";
      continue;
    }
    const std::string defect = test::PngDefect(test::ReadFileBytes(path));
    EXPECT_TRUE(defect.empty()) << path << ": " << defect;
  }
  return failed;
}

TEST(FullDisk, EveryFailedCodeIsReportedAndNothingTruncatedRemains) {
  test::TempDir dir;
  const fs::path disk = dir.Path() / "disk";
  SmallFileSystem small(disk, "300k");
  if (!small.Mounted()) {
    GTEST_SKIP() << "needs root and a mountable tmpfs";
  }
  // Uncompressed image data, so the disk fills up part way through the list.
  std::vector<std::string> args = LargeExportArgs(dir.File("none.ini"), disk, "png");
  args.insert(args.end(), {"--level", "0"});
  const ProcessEnd first = test::RunCliToEnd(args, dir.Path());
  ASSERT_TRUE(first.exited) << "ended by signal " << first.status;
  EXPECT_EQ(first.status, 1) << first.output;
  const std::size_t failedFirst = ExpectEachCodeWrittenOrReported(disk, first.output);
  EXPECT_GT(failedFirst, 0u);
  EXPECT_LT(failedFirst, ExpectedNames("png").size()) << "nothing fitted on the disk";
  EXPECT_TRUE(test::ListFolder(disk).temporaries.empty());

  // Again into the full disk: replacements fail as well, and each file that
  // was there stays complete.
  const std::size_t writtenFirst = test::ListFolder(disk).finals.size();
  const ProcessEnd second = test::RunCliToEnd(args, dir.Path());
  ASSERT_TRUE(second.exited) << "ended by signal " << second.status;
  EXPECT_EQ(second.status, 1) << second.output;
  ExpectEachCodeWrittenOrReported(disk, second.output);
  EXPECT_GE(test::ListFolder(disk).finals.size(), writtenFirst);
  EXPECT_TRUE(test::ListFolder(disk).temporaries.empty());
}

TEST(FullDisk, SettingsWriteFailsAndKeepsTheOldFile) {
  test::TempDir dir;
  const fs::path disk = dir.Path() / "disk";
  SmallFileSystem small(disk, "64k");
  if (!small.Mounted()) {
    GTEST_SKIP() << "needs root and a mountable tmpfs";
  }
  const std::string path = (disk / "Glyphory.ini").string();
  TIniStore store(path);
  store.WriteString("Font", "Name", "Arial");
  const std::string before = test::ReadFileBytes(path);
  // Fill the disk up: the next write cannot place its new copy.
  const std::string filler = (disk / "filler").string();
  {
    std::string block(4096, 'x');
    FILE* file = std::fopen(filler.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    while (std::fwrite(block.data(), 1, block.size(), file) == block.size()) {
    }
    std::fclose(file);
  }
  EXPECT_THROW(store.WriteString("Font", "Name", std::string(8000, 'y')), EIniFileError);
  EXPECT_EQ(test::ReadFileBytes(path), before);
  EXPECT_TRUE(test::ListFolder(disk).temporaries.empty());
}

}  // namespace
}  // namespace glyphory
