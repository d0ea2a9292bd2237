#include "settings/font_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "glyph/font_registry.h"
#include "glyph/logfont.h"
#include "test_support.h"

namespace glyphory {
namespace {

using test::TempDir;

// Counts font-change broadcasts while it lives.
class BroadcastCounter {
 public:
  BroadcastCounter() : id_(FontRegistry::Instance().AddListener([this] { ++count_; })) {}
  ~BroadcastCounter() { FontRegistry::Instance().RemoveListener(id_); }
  BroadcastCounter(const BroadcastCounter&) = delete;
  BroadcastCounter& operator=(const BroadcastCounter&) = delete;
  [[nodiscard]] int Count() const { return count_; }

 private:
  int count_ = 0;
  int id_;
};

TEST(FontFiles, RegisterQueryAndUnregisterACopyUnderAnotherName) {
  TempDir dir;
  const std::string copy = dir.File("my custom font.ttf");
  std::filesystem::copy_file(test::TestFontPath("DejaVuSans.ttf"), copy);
  BroadcastCounter broadcasts;

  EXPECT_EQ(GetFontFileFaceName(copy), "DejaVu Sans");
  EXPECT_EQ(broadcasts.Count(), 0);
  EXPECT_FALSE(FontRegistry::Instance().IsAdded(copy));

  ASSERT_TRUE(RegisterFontFile(copy));
  EXPECT_EQ(broadcasts.Count(), 1);
  EXPECT_TRUE(FontRegistry::Instance().IsAdded(copy));
  // The face name is the name under which the text service finds the file.
  LOGFONT record;
  record.SetFaceName(GetFontFileFaceName(copy));
  EXPECT_EQ(FontRegistry::Instance().Resolve(record).path, copy);
  EXPECT_EQ(broadcasts.Count(), 1);

  UnregisterFontFile(copy);
  EXPECT_EQ(broadcasts.Count(), 2);
  EXPECT_FALSE(FontRegistry::Instance().IsAdded(copy));
  EXPECT_NE(FontRegistry::Instance().Resolve(record).path, copy);
}

TEST(FontFiles, ATruncatedFontFileIsRefused) {
  TempDir dir;
  const std::string font = test::ReadFileBytes(test::TestFontPath("DejaVuSans.ttf"));
  for (const std::size_t length : {std::size_t{12}, std::size_t{1000}, font.size() / 2}) {
    const std::string cut = dir.File("cut" + std::to_string(length) + ".ttf");
    test::WriteFileBytes(cut, font.substr(0, length));
    EXPECT_FALSE(RegisterFontFile(cut)) << length;
    EXPECT_EQ(GetFontFileFaceName(cut), "") << length;
  }
}

TEST(FontFiles, NonFontFilesAndMissingPathsGiveFalseAndNoName) {
  TempDir dir;
  const std::string text = dir.File("notes.ttf");
  test::WriteFileBytes(text, "this is not a font");
  const std::string empty = dir.File("empty.ttf");
  test::WriteFileBytes(empty, "");
  BroadcastCounter broadcasts;
  for (const std::string& path : {text, empty, dir.File("missing.ttf"), dir.Path().string(), std::string()}) {
    EXPECT_FALSE(RegisterFontFile(path)) << path;
    EXPECT_EQ(GetFontFileFaceName(path), "") << path;
    EXPECT_FALSE(FontRegistry::Instance().IsAdded(path)) << path;
  }
  EXPECT_EQ(broadcasts.Count(), 0);
}

TEST(FontFiles, UnregisteringAnUnknownPathIsIgnoredButBroadcast) {
  TempDir dir;
  BroadcastCounter broadcasts;
  UnregisterFontFile(dir.File("never-registered.ttf"));
  EXPECT_EQ(broadcasts.Count(), 1);
}

TEST(FontFiles, RegistrationsBalance) {
  TempDir dir;
  const std::string copy = dir.File("copy.ttf");
  std::filesystem::copy_file(test::TestFontPath("DejaVuSans.ttf"), copy);
  ASSERT_TRUE(RegisterFontFile(copy));
  ASSERT_TRUE(RegisterFontFile(copy));
  UnregisterFontFile(copy);
  EXPECT_TRUE(FontRegistry::Instance().IsAdded(copy));
  UnregisterFontFile(copy);
  EXPECT_FALSE(FontRegistry::Instance().IsAdded(copy));
}

}  // namespace
}  // namespace glyphory
