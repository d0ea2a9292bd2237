#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <set>

#include "batch/export_run.h"
#include "test_host.h"
#include "test_support.h"

namespace glyphory {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

struct Result {
  int status = -1;
  std::string output;  // stdout and stderr together
};

std::string Quote(const std::string& arg) {
  std::string quoted = "'";
  for (const char c : arg) {
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  }
  return quoted + "'";
}

// Runs glyphory-cli with the arguments, without a settings file unless given.
Result RunCli(const std::vector<std::string>& args, const std::string& settings) {
  std::string command = Quote(GLYPHORY_CLI_PATH) + " --settings " + Quote(settings);
  for (const auto& arg : args) {
    command += " " + Quote(arg);
  }
  command += " 2>&1";
  Result result;
  struct PipeCloser {
    void operator()(FILE* pipe) const { pclose(pipe); }
  };
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) {
    return result;
  }
  std::array<char, 4096> buffer{};
  std::size_t n = 0;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
    result.output.append(buffer.data(), n);
  }
  const int status = pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

std::map<std::string, std::string> FilesIn(const fs::path& folder) {
  std::map<std::string, std::string> files;
  if (!fs::exists(folder)) {
    return files;
  }
  for (const auto& entry : fs::directory_iterator(folder)) {
    files[entry.path().filename().string()] = test::ReadFileBytes(entry.path().string());
  }
  return files;
}

class Cli : public testing::Test {
 protected:
  std::string Settings() const { return dir.File("none.ini"); }
  std::string Out(const std::string& name) const { return dir.File(name); }
  TempDir dir;
};

TEST_F(Cli, DefaultExportWritesTheDefaultCodesAndIsTheSameOnOneOrTwoThreads) {
  const Result one = RunCli({"--out", Out("one"), "--jobs", "1", "--quiet"}, Settings());
  const Result two = RunCli({"--out", Out("two"), "--jobs", "2", "--quiet"}, Settings());
  ASSERT_EQ(one.status, 0) << one.output;
  ASSERT_EQ(two.status, 0) << two.output;
  const auto filesOne = FilesIn(Out("one"));
  EXPECT_EQ(filesOne.size(), 162u);
  EXPECT_EQ(filesOne.begin()->first, "2080.png");
  EXPECT_EQ(filesOne.rbegin()->first, "2303.png");
  EXPECT_EQ(filesOne, FilesIn(Out("two")));
}

TEST_F(Cli, BmpWithAllCharsWritesEveryDrawableCode) {
  const Result r = RunCli({"--mode", "bmp", "--all-chars", "--codes", "0-300", "--out", Out("bmp"), "--quiet"},
                          Settings());
  ASSERT_EQ(r.status, 0) << r.output;
  const auto files = FilesIn(Out("bmp"));
  EXPECT_EQ(files.size(), 224u);
  EXPECT_EQ(files.begin()->first, "0032.bmp");
  EXPECT_EQ(files.rbegin()->first, "0255.bmp");
}

struct OptionSet {
  const char* name;
  std::vector<std::string> args;
  void (*apply)(test::TestHost&);
};

void PrintTo(const OptionSet& set, std::ostream* os) { *os << set.name; }

class CliMatchesCore : public testing::TestWithParam<OptionSet> {};

// The command line and the core's own run loop, fed the same options, write
// the same files byte for byte.
TEST_P(CliMatchesCore, WritesTheSameFiles) {
  const OptionSet& set = GetParam();
  TempDir dir;
  std::vector<std::string> args = set.args;
  args.insert(args.end(), {"--out", dir.File("cli"), "--quiet", "--jobs", "2"});
  const Result r = RunCli(args, dir.File("none.ini"));
  ASSERT_EQ(r.status, 0) << r.output;

  test::TestHost host;
  host.codes = "32-126,168,176,184,192-255";
  host.record = ComposeLogFont("Verdana", false, false, DEFAULT_CHARSET);
  host.folder = dir.File("core");
  fs::create_directory(host.folder);
  set.apply(host);
  RunExport(host, ExportMode::Png);
  EXPECT_EQ(FilesIn(dir.File("cli")), FilesIn(dir.File("core")));
}

INSTANTIATE_TEST_SUITE_P(
    OptionSets, CliMatchesCore,
    testing::Values(OptionSet{"defaults", {}, [](test::TestHost&) {}},
                    OptionSet{"tuned",
                              {"--bit-depth", "8", "--filter", "Paeth", "--level", "1", "--bold", "--italic",
                               "--edge-width", "3", "--smoothing", "--font", "DejaVu Sans", "--size", "24",
                               "--color", "clRed"},
                              [](test::TestHost& host) {
                                host.record = ComposeLogFont("DejaVu Sans", true, true, DEFAULT_CHARSET);
                                host.options.bitDepth = 8;
                                host.options.filterIndex = 4;
                                host.options.deflateLevel = 1;
                                host.options.edgeWidth = 3;
                                host.options.smoothing = true;
                                host.options.size = 24;
                                host.options.fontColor = 0x0000FF;
                              }}));

TEST_F(Cli, WhenTwoCodesShareAFileTheLaterCodeWins) {
  test::WriteFileBytes(dir.File("map.ini"), "[COMMON]\n65=9\n66=9\n67=9\n");
  const std::vector<std::string> common = {"--mode", "bmp", "--charmap", dir.File("map.ini"), "--quiet", "--size", "40"};
  auto both = common;
  both.insert(both.end(), {"--codes", "65,67,66", "--jobs", "2", "--out", Out("both")});
  auto last = common;
  last.insert(last.end(), {"--codes", "66", "--out", Out("last")});
  ASSERT_EQ(RunCli(both, Settings()).status, 0);
  ASSERT_EQ(RunCli(last, Settings()).status, 0);
  const auto files = FilesIn(Out("both"));
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files, FilesIn(Out("last")));
}

TEST_F(Cli, SettingsFileIsReadAndOptionsOverrideIt) {
  test::WriteFileBytes(dir.File("my.ini"), "[save]\nNameNumberOffset=0\n[common]\ncodes=65-66\n");
  const Result r = RunCli({"--out", Out("o"), "--codes", "67", "--quiet"}, dir.File("my.ini"));
  ASSERT_EQ(r.status, 0) << r.output;
  EXPECT_EQ(FilesIn(Out("o")).size(), 1u);
  EXPECT_EQ(FilesIn(Out("o")).begin()->first, "67.png");
  EXPECT_EQ(test::ReadFileBytes(dir.File("my.ini")), "[save]\nNameNumberOffset=0\n[common]\ncodes=65-66\n");
}

struct ErrorCase {
  const char* name;
  std::vector<std::string> args;
  int status;
  const char* message;
};

void PrintTo(const ErrorCase& c, std::ostream* os) { *os << c.name; }

class CliErrors : public testing::TestWithParam<ErrorCase> {};

TEST_P(CliErrors, ReportAndExitWithoutWritingWhenTheyAreUsageErrors) {
  const ErrorCase& c = GetParam();
  TempDir dir;
  std::vector<std::string> args = c.args;
  args.insert(args.end(), {"--out", dir.File("out"), "--quiet"});
  const Result r = RunCli(args, dir.File("none.ini"));
  EXPECT_EQ(r.status, c.status) << r.output;
  EXPECT_NE(r.output.find(c.message), std::string::npos) << r.output;
  if (c.status == 2) {
    EXPECT_TRUE(FilesIn(dir.File("out")).empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliErrors,
    testing::Values(
        ErrorCase{"unknown option", {"--frobnicate"}, 2, "--frobnicate"},
        ErrorCase{"missing value", {"--size"}, 2, "--size"},
        ErrorCase{"size out of range", {"--size", "500"}, 2, "--size"},
        ErrorCase{"bad mode", {"--mode", "gif"}, 2, "--mode"},
        ErrorCase{"bad colour", {"--color", "red"}, 2, "--color"},
        ErrorCase{"bad charset", {"--charset", "KLINGON"}, 2, "--charset"},
        ErrorCase{"bad filter", {"--filter", "Best"}, 2, "--filter"},
        ErrorCase{"entry not a number", {"--codes", "65,66,abc"}, 2, "'abc' is not a valid integer value"},
        ErrorCase{"failed expansion", {"--codes", "65-"}, 2, "--codes"},
        ErrorCase{"per-code failure", {"--mode", "bmp", "--all-chars", "--codes", "65", "--name-format", "%s"}, 1,
                  "\xD0\x9E\xD1\x88\xD0\xB8\xD0\xB1\xD0\xBA\xD0\xB0 "  // "Ошибка " in UTF-8
                  "\xD0\xB3\xD0\xB5\xD0\xBD\xD0\xB5\xD1\x80\xD0\xB0\xD1\x86\xD0\xB8\xD0\xB8 "
                  "\xD1\x81\xD0\xB8\xD0\xBC\xD0\xB2\xD0\xBE\xD0\xBB\xD0\xB0 \"A\"!"}));

TEST_F(Cli, FailureMessagesShowUtf8PathsAsTheyAre) {
  const std::string out = Out("\xD0\x91\xD1\x91");  // a Cyrillic folder name
  fs::create_directories(fs::path(out) / "2113.png");  // a folder where the file should go
  const Result r = RunCli({"--codes", "65,66", "--out", out, "--quiet"}, Settings());
  EXPECT_EQ(r.status, 1) << r.output;
  EXPECT_NE(r.output.find("Unable to write to " + out + "/2113.png"), std::string::npos) << r.output;
  EXPECT_TRUE(fs::exists(fs::path(out) / "2114.png"));
}

TEST_F(Cli, PreviewWritesTheSampleAsPng) {
  const Result r = RunCli({"--preview", Out("preview.png"), "--size", "30"}, Settings());
  ASSERT_EQ(r.status, 0) << r.output;
  const std::string png = test::ReadFileBytes(Out("preview.png"));
  ASSERT_GT(png.size(), 8u);
  EXPECT_EQ(png.substr(1, 3), "PNG");
}

TEST_F(Cli, ListsAndVersion) {
  const Result charsets = RunCli({"--list-charsets"}, Settings());
  EXPECT_EQ(charsets.status, 0);
  EXPECT_NE(charsets.output.find("RUSSIAN_CHARSET\n"), std::string::npos);
  const Result fonts = RunCli({"--list-fonts"}, Settings());
  EXPECT_NE(fonts.output.find("DejaVu Sans\n"), std::string::npos);
  EXPECT_NE(RunCli({"--version"}, Settings()).output.find("2.5.1.1"), std::string::npos);
}

}  // namespace
}  // namespace glyphory
