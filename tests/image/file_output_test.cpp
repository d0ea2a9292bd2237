// The one file writer behind image output and settings files.
#include "image/file_output.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "test_support.h"

namespace glyphory {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> NamesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST(FileOutput, ChainOfLinksReplacesTheLastFileAndKeepsTheLinks) {
  test::TempDir dir;
  fs::create_directory(dir.Path() / "real");
  const std::string target = dir.File("real/65.png");
  test::WriteFileBytes(target, "old");
  fs::create_symlink("real/65.png", dir.Path() / "middle");
  fs::create_symlink(dir.Path() / "middle", dir.Path() / "65.png");
  WriteFileBytesReplacing(dir.File("65.png"), "new");
  EXPECT_TRUE(fs::is_symlink(dir.Path() / "65.png"));
  EXPECT_TRUE(fs::is_symlink(dir.Path() / "middle"));
  EXPECT_EQ(test::ReadFileBytes(target), "new");
  // The temporary file was made beside the target, so the rename stayed on
  // one file system, and none is left.
  EXPECT_EQ(NamesIn(dir.Path() / "real"), std::vector<std::string>{"65.png"});
}

TEST(FileOutput, LinkToAMissingFileCreatesThatFile) {
  test::TempDir dir;
  fs::create_symlink("made.ini", dir.Path() / "link.ini");
  WriteFileBytesReplacing(dir.File("link.ini"), "[s]\n");
  EXPECT_TRUE(fs::is_symlink(dir.Path() / "link.ini"));
  EXPECT_EQ(test::ReadFileBytes(dir.File("made.ini")), "[s]\n");
}

// Paths that must be refused with their own name in the message, leaving the
// folder as it was.
TEST(FileOutput, UnwritableTargetsAreRefusedWithThePathAndLeaveNothingBehind) {
  test::TempDir dir;
  fs::create_directory(dir.Path() / "folder");
  fs::create_symlink("loop-b", dir.Path() / "loop-a");
  fs::create_symlink("loop-a", dir.Path() / "loop-b");
  test::WriteFileBytes(dir.File("locked.png"), "old");
  // No write bit at all: refused even for root, who could otherwise rename
  // over it.
  fs::permissions(dir.File("locked.png"), fs::perms::owner_read | fs::perms::group_read);
  const std::vector<std::string> before = NamesIn(dir.Path());
  for (const std::string& path : {std::string(), dir.File("folder"), dir.File("loop-a"), dir.File("locked.png"),
                                  dir.File("missing/65.png")}) {
    try {
      WriteFileBytesReplacing(path, "new");
      ADD_FAILURE() << "no error for '" << path << "'";
    } catch (const EWriteError& error) {
      EXPECT_EQ(std::string(error.what()), "Unable to write to " + path);
    }
  }
  EXPECT_EQ(NamesIn(dir.Path()), before);
  EXPECT_EQ(test::ReadFileBytes(dir.File("locked.png")), "old");
}

TEST(FileOutput, ErrorOfTheContentPassesThroughAndKeepsTheOldFile) {
  test::TempDir dir;
  const std::string path = dir.File("65.bmp");
  test::WriteFileBytes(path, "old");
  EXPECT_THROW(WriteFileReplacing(path,
                                  [](std::ostream& out) {
                                    out << "half";
                                    throw std::logic_error("content failed");
                                  }),
               std::logic_error);
  EXPECT_EQ(test::ReadFileBytes(path), "old");
  EXPECT_EQ(NamesIn(dir.Path()), std::vector<std::string>{"65.bmp"});
}

TEST(FileOutput, ReplacementKeepsModeAndOwner) {
  test::TempDir dir;
  const std::string path = dir.File("Glyphory.ini");
  test::WriteFileBytes(path, "old");
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
  struct stat before {};
  ASSERT_EQ(::stat(path.c_str(), &before), 0);
  WriteFileBytesReplacing(path, "new");
  struct stat after {};
  ASSERT_EQ(::stat(path.c_str(), &after), 0);
  EXPECT_EQ(after.st_mode & 07777, 0604u);
  EXPECT_EQ(after.st_uid, before.st_uid);
  EXPECT_NE(after.st_ino, before.st_ino);  // a new file took the place of the old one
  EXPECT_EQ(test::ReadFileBytes(path), "new");
}

}  // namespace
}  // namespace glyphory
