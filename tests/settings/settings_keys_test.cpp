#include "settings/settings_keys.h"

#include <gtest/gtest.h>

#include "batch/int_text.h"
#include "test_support.h"

namespace glyphory {
namespace {

struct ReadCase {
  const char* name;
  SettingId id;
  const char* file;  // the settings file's content; "" for a file without the key
  std::int32_t number;
  const char* text;  // expected text for text keys
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class SettingRead : public testing::TestWithParam<ReadCase> {};

TEST_P(SettingRead, AppliesDefaultsAndControlRanges) {
  const ReadCase& c = GetParam();
  test::TempDir dir;
  test::WriteFileBytes(dir.File("Glyphory.ini"), c.file);
  const TIniStore store(dir.File("Glyphory.ini"));
  const SettingKey& key = SettingKeyOf(c.id);
  const SettingValue value = ReadSetting(store, key, "/opt/glyphory/");
  if (key.kind == SettingKind::Text) {
    EXPECT_EQ(value.text, c.text);
  } else {
    EXPECT_EQ(value.number, c.number);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingRead,
    testing::Values(
        ReadCase{"missing size gives 10", SettingId::FontSize, "", 10, ""},
        ReadCase{"empty size gives 10", SettingId::FontSize, "[font]\nsize=\n", 10, ""},
        ReadCase{"size clamps to 100", SettingId::FontSize, "[font]\nsize=500\n", 100, ""},
        ReadCase{"edging width clamps to 50", SettingId::EdgeWidth, "[edging]\nwidth=70\n", 50, ""},
        ReadCase{"opacity clamps to 0", SettingId::FontAlpha, "[save]\nFont_HalfTrValue=-3\n", 0, ""},
        ReadCase{"0x10 reads 16, compression clamps to 9", SettingId::Compress, "[save]\nCompress=0x10\n", 9, ""},
        ReadCase{"filter outside the items: no selection", SettingId::Filter, "[save]\nFilter=6\n", -1, ""},
        ReadCase{"charset outside the items: no selection", SettingId::Charset, "[font]\ncharset=18\n", -1, ""},
        ReadCase{"bit depth above the items: the last", SettingId::BitDepth, "[save]\nBitDepth=5\n", 1, ""},
        ReadCase{"bit depth below -1: none", SettingId::BitDepth, "[save]\nBitDepth=-5\n", -1, ""},
        ReadCase{"colour as a number", SettingId::FontColor, "[font]\ncolor=$000000FF\n", 0xFF, ""},
        ReadCase{"colour default", SettingId::BgColor, "", 0xFF00FF, ""},
        ReadCase{"BMP button shown by default", SettingId::ShowBmp, "", 1, ""},
        ReadCase{"flag that is no number gives its default", SettingId::Bold, "[font]\nBold=yes\n", 0, ""},
        ReadCase{"output folder default", SettingId::OutputFolder, "", 0, "/opt/glyphory/out"},
        ReadCase{"output folder present but empty", SettingId::OutputFolder, "[save]\ndir=\n", 0, ""},
        ReadCase{"language default", SettingId::Language, "", 0, "\xF0\xF3\xF1\xF1\xEA\xE8\xE9"},
        ReadCase{"name offset is not clamped", SettingId::NameNumberOffset, "[save]\nNameNumberOffset=-100\n", -100,
                 ""}));

TEST(SettingRead, AColourThatIsNeitherNameNorNumberRaisesTheConversionError) {
  test::TempDir dir;
  test::WriteFileBytes(dir.File("Glyphory.ini"), "[font]\ncolor=red\n");
  const TIniStore store(dir.File("Glyphory.ini"));
  try {
    (void)ReadSetting(store, SettingKeyOf(SettingId::FontColor), "/");
    FAIL() << "red should not convert";
  } catch (const EConvertError& error) {
    EXPECT_STREQ(error.what(), "'red' is not a valid integer value");
  }
}

TEST(SettingKeys, StartUpKeysRunFromDirToAllChars) {
  EXPECT_STREQ(kSettingKeys.front().key, "dir");
  EXPECT_STREQ(kSettingKeys[kStartupKeyCount - 1].key, "AllChars");
}

TEST(StoredSettings, AMissingFileGivesEveryDefault) {
  test::TempDir dir;
  const StoredSettings s = ReadStoredSettings(TIniStore(dir.File("none.ini")), "/p/");
  EXPECT_EQ(s.outputFolder, "/p/out");
  EXPECT_EQ(s.fontSize, 10);
  EXPECT_EQ(s.fontName, "Verdana");
  EXPECT_EQ(s.fontColor, clBlack);
  EXPECT_EQ(s.edgeColor, clWhite);
  EXPECT_EQ(s.bgColor, clFuchsia);
  EXPECT_EQ(s.codes, "32-126,168,176,184,192-255");
  EXPECT_EQ(s.fontAlpha, 240);
  EXPECT_EQ(s.edgeAlpha, 240);
  EXPECT_EQ(s.bgAlpha, 0);
  EXPECT_EQ(s.bitDepthIndex, 0);
  EXPECT_EQ(s.filterIndex, 5);
  EXPECT_EQ(s.compress, 9);
  EXPECT_EQ(s.charsetRow, 1);
  EXPECT_EQ(s.correction, 40);
  EXPECT_EQ(s.edgeWidth, 1);
  EXPECT_EQ(s.nameNumberOffset, 2048);
  EXPECT_EQ(s.nameFormat, "%0.4d");
  EXPECT_FALSE(s.bold || s.italic || s.smooth || s.allChars || s.useCustomFont);
}

}  // namespace
}  // namespace glyphory
