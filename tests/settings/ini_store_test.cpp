#include "settings/ini_store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "batch/int_text.h"
#include "test_support.h"

namespace glyphory {
namespace {

using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;
namespace fs = std::filesystem;

class IniStoreTest : public testing::Test {
 protected:
  // A store over "settings.ini" holding `value` under [s] k.
  TIniStore StoreWith(const std::string& value) {
    WriteFileBytes(path_, "[s]\r\nk=" + value + "\r\n");
    return TIniStore(path_);
  }

  TempDir dir_;
  std::string path_ = dir_.File("settings.ini");
};

// ---- colours ----

struct ColorReadCase {
  const char* stored;
  TColor color;
  const char* writtenBack;
};

void PrintTo(const ColorReadCase& c, std::ostream* os) { *os << c.stored; }

const ColorReadCase kColorReadCases[] = {
    {"$000000FF", 0x0000FF, "clRed"},
    {"255", 0x0000FF, "clRed"},
    {"0xFF", 0x0000FF, "clRed"},
    {"clwhite", 0xFFFFFF, "clWhite"},
    {"CLBTNFACE", 0xFF00000F, "clBtnFace"},
    {"clDefault", 0x20000000, "clDefault"},
    {"clNone", 0x1FFFFFFF, "clNone"},
    {"cl3DDkShadow", 0xFF000015, "cl3DDkShadow"},
    {"clScrollBar", 0xFF000000, "clScrollBar"},
    {"$00123456", 0x123456, "$00123456"},
    {"1193046", 0x123456, "$00123456"},
    {"$abcdef", 0xABCDEF, "$00ABCDEF"},
    {"-1", 0xFFFFFFFF, "$FFFFFFFF"},
    {"$FF000050", 0xFF000050, "$FF000050"},
};

class ColorRead : public IniStoreTest, public testing::WithParamInterface<ColorReadCase> {};

TEST_P(ColorRead, ReadsAndWritesBackInTheStoredForm) {
  const ColorReadCase& c = GetParam();
  TIniStore store = StoreWith(c.stored);
  const TColor color = store.ReadColor("s", "k", clFuchsia);
  EXPECT_EQ(color, c.color);
  store.WriteColor("s", "k", color);
  EXPECT_EQ(store.ReadString("s", "k", ""), c.writtenBack);
}

INSTANTIATE_TEST_SUITE_P(Cases, ColorRead, testing::ValuesIn(kColorReadCases));

TEST_F(IniStoreTest, ColorThatIsNeitherIdentifierNorIntegerRaisesWithTheText) {
  // (line in the file, text the message names)
  const std::pair<std::string, std::string> cases[] = {
      {"red", "red"}, {"", ""}, {"$FFFFFFFFF", "$FFFFFFFFF"}, {"\"12 \"", "12 "}};
  for (const auto& [stored, named] : cases) {
    const TIniStore store = StoreWith(stored);
    try {
      (void)store.ReadColor("s", "k", clBlack);
      ADD_FAILURE() << "no error for " << stored;
    } catch (const EConvertError& error) {
      EXPECT_EQ(std::string(error.what()), "'" + named + "' is not a valid integer value");
    }
  }
}

TEST_F(IniStoreTest, MissingColourGivesTheDefault) {
  const TIniStore store = StoreWith("1");
  EXPECT_EQ(store.ReadColor("s", "other", 0x123456), 0x123456u);
  EXPECT_EQ(store.ReadColor("s", "other", 0xFF00000F), 0xFF00000Fu);
  EXPECT_EQ(TIniStore(dir_.File("none.ini")).ReadColor("s", "k", clWhite), clWhite);
}

// ---- flags and integers ----

struct NumberCase {
  const char* stored;  // nullptr: the key is missing
  std::int32_t integerWithDefault7;
  bool flagWithDefaultTrue;
  bool flagWithDefaultFalse;
};

void PrintTo(const NumberCase& c, std::ostream* os) { *os << (c.stored ? c.stored : "(missing)"); }

const NumberCase kNumberCases[] = {
    {"1", 1, true, true},
    {"0", 0, false, false},
    {"2", 2, true, true},
    {"-1", -1, true, true},
    {"0x1", 1, true, true},
    {"0x10", 16, true, true},
    {"0X10", 16, true, true},
    {"$10", 16, true, true},
    {"  12  ", 12, true, true},
    {"\"5\"", 5, true, true},
    {"yes", 7, true, false},
    {"", 7, true, false},
    {"0x", 7, true, false},
    {"1 2", 7, true, false},
    {"2147483648", 7, true, false},
    {nullptr, 7, true, false},
};

class NumberRead : public IniStoreTest, public testing::WithParamInterface<NumberCase> {};

TEST_P(NumberRead, GivesTheValueOrTheDefault) {
  const NumberCase& c = GetParam();
  const TIniStore store = c.stored ? StoreWith(c.stored) : StoreWith("1");
  const char* key = c.stored ? "k" : "missing";
  EXPECT_EQ(store.ReadInteger("s", key, 7), c.integerWithDefault7);
  EXPECT_EQ(store.ReadBool("s", key, true), c.flagWithDefaultTrue);
  EXPECT_EQ(store.ReadBool("s", key, false), c.flagWithDefaultFalse);
}

INSTANTIATE_TEST_SUITE_P(Cases, NumberRead, testing::ValuesIn(kNumberCases));

TEST_F(IniStoreTest, IntegersAndFlagsAreWrittenAsDecimal) {
  TIniStore store(path_);
  store.WriteInteger("s", "neg", -2147483647 - 1);
  store.WriteInteger("s", "pos", 16);
  store.WriteBool("s", "yes", true);
  store.WriteBool("s", "no", false);
  EXPECT_EQ(ReadFileBytes(path_), "[s]\r\nneg=-2147483648\r\npos=16\r\nyes=1\r\nno=0\r\n");
  EXPECT_EQ(store.ReadInteger("s", "neg", 0), INT32_MIN);
}

// ---- text ----

TEST_F(IniStoreTest, SectionAndKeyIgnoreLetterCase) {
  TIniStore store(path_);
  store.WriteString("FONT", "SIZE", "12");
  EXPECT_EQ(store.ReadInteger("font", "size", 0), 12);
  store.WriteString("Font", "Size", "14");
  EXPECT_EQ(ReadFileBytes(path_), "[FONT]\r\nSIZE=14\r\n");
}

TEST_F(IniStoreTest, EmptyValueIsNotTheDefault) {
  const TIniStore store = StoreWith("");
  EXPECT_EQ(store.ReadString("s", "k", "default"), "");
  EXPECT_EQ(store.ReadString("s", "missing", "default"), "default");
  EXPECT_EQ(store.ReadString("missing", "k", "default"), "default");
  EXPECT_EQ(TIniStore(dir_.File("none.ini")).ReadString("s", "k", "default"), "default");
}

TEST_F(IniStoreTest, LongValueIsReadCutTo2047Characters) {
  TIniStore store(path_);
  store.WriteString("s", "k", std::string(3000, 'a'));
  EXPECT_EQ(store.ReadString("s", "k", ""), std::string(2047, 'a'));
  EXPECT_NE(ReadFileBytes(path_).find(std::string(3000, 'a')), std::string::npos);
}

TEST_F(IniStoreTest, KeyTestComparesTextIgnoringCase) {
  WriteFileBytes(path_, "[RUSSIAN_CHARSET]\n65=192\n066=193\nAbc=1\n");
  const TIniStore store(path_);
  EXPECT_TRUE(store.ValueExists("russian_charset", "65"));
  EXPECT_FALSE(store.ValueExists("RUSSIAN_CHARSET", "065"));
  EXPECT_FALSE(store.ValueExists("RUSSIAN_CHARSET", "66"));
  EXPECT_TRUE(store.ValueExists("RUSSIAN_CHARSET", "ABC"));
  EXPECT_FALSE(store.ValueExists("OEM_CHARSET", "65"));
  EXPECT_EQ(store.ReadSectionKeys("russian_charset"), (std::vector<std::string>{"65", "066", "Abc"}));
}

TEST_F(IniStoreTest, SectionListInFileOrderAndEmptyWithoutFile) {
  WriteFileBytes(path_, "[English]\nx=1\n[\xD0\xF3\xF1\xF1\xEA\xE8\xE9]\ny=2\n[Deutsch]\n");
  EXPECT_EQ(TIniStore(path_).ReadSections(),
            (std::vector<std::string>{"English", "\xD0\xF3\xF1\xF1\xEA\xE8\xE9", "Deutsch"}));
  EXPECT_TRUE(TIniStore(dir_.File("none.ini")).ReadSections().empty());
}

TEST_F(IniStoreTest, WrittenFileReadsBackAsWrittenAndCyrillicStaysWindows1251) {
  // "Русский" and "Ошибка: файл не найден" in Windows-1251.
  const std::string russian = "\xD0\xF3\xF1\xF1\xEA\xE8\xE9";
  const std::string message = "\xCE\xF8\xE8\xE1\xEA\xE0: \xF4\xE0\xE9\xEB \xED\xE5 \xED\xE0\xE9\xE4\xE5\xED";
  const std::string path = dir_.File("new-folder-file.ini");
  {
    TIniStore store(path);
    store.WriteString("lang", "Language", russian);
    store.WriteString(russian, "msg", message);
    store.WriteInteger("font", "size", 48);
    store.WriteColor("font", "color", 0x00123456);
    store.WriteBool("font", "bold", true);
  }
  const TIniStore store(path);
  EXPECT_EQ(store.ReadString("lang", "Language", ""), russian);
  EXPECT_EQ(store.ReadString(russian, "msg", ""), message);
  EXPECT_EQ(store.ReadInteger("font", "size", 0), 48);
  EXPECT_EQ(store.ReadColor("font", "color", 0), 0x00123456u);
  EXPECT_TRUE(store.ReadBool("font", "bold", false));
  EXPECT_EQ(ReadFileBytes(path), "[lang]\r\nLanguage=" + russian + "\r\n[" + russian + "]\r\nmsg=" + message +
                                     "\r\n[font]\r\nsize=48\r\ncolor=$00123456\r\nbold=1\r\n");
}

TEST_F(IniStoreTest, HandEditBetweenTwoReadsIsSeen) {
  TIniStore store = StoreWith("1");
  EXPECT_EQ(store.ReadInteger("s", "k", 0), 1);
  WriteFileBytes(path_, "[s]\r\nk=2\r\n");
  EXPECT_EQ(store.ReadInteger("s", "k", 0), 2);
  store.WriteString("s", "j", "x");
  EXPECT_EQ(ReadFileBytes(path_), "[s]\r\nk=2\r\nj=x\r\n");
}

TEST_F(IniStoreTest, RewriteKeepsEveryUntouchedLineByteForByte) {
  const std::string before = std::string("; settings\n[main]\r\nkey=old\r\nno equals here\n\n[main]\nkey=dup\n") +
                             std::string("nul=a\0b\n", 8) + std::string(100000, 'L') + "\n[last]\nx=1";
  WriteFileBytes(path_, before);
  TIniStore store(path_);
  store.WriteString("MAIN", "key", "new");
  store.WriteString("last", "y", "2");
  const std::string expected = std::string("; settings\n[main]\r\nkey=new\r\nno equals here\n\n[main]\nkey=dup\n") +
                               std::string("nul=a\0b\n", 8) + std::string(100000, 'L') + "\n[last]\nx=1\ny=2";
  EXPECT_EQ(ReadFileBytes(path_), expected);
}

// ---- the file itself ----

TEST_F(IniStoreTest, MissingFileIsCreatedWithTheUsualPermissions) {
  TIniStore store(path_);
  store.WriteString("s", "k", "v");
  EXPECT_EQ(ReadFileBytes(path_), "[s]\r\nk=v\r\n");
  const auto perms = fs::status(path_).permissions();
  EXPECT_NE(perms & fs::perms::owner_write, fs::perms::none);
  EXPECT_NE(perms & fs::perms::owner_read, fs::perms::none);
}

TEST_F(IniStoreTest, WriteKeepsPermissionsAndLeavesNoTemporaryFile) {
  WriteFileBytes(path_, "[s]\nk=1\n");
  fs::permissions(path_, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  TIniStore store(path_);
  store.WriteString("s", "k", "2");
  EXPECT_EQ(fs::status(path_).permissions() & fs::perms::mask,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir_.Path())) {
    names.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(names, std::vector<std::string>{"settings.ini"});
}

TEST_F(IniStoreTest, WriteThroughSymbolicLinkReplacesTheTarget) {
  const std::string target = dir_.File("real.ini");
  WriteFileBytes(target, "[s]\nk=1\n");
  fs::create_symlink(target, path_);
  TIniStore store(path_);
  store.WriteString("s", "k", "2");
  EXPECT_TRUE(fs::is_symlink(path_));
  EXPECT_EQ(ReadFileBytes(target), "[s]\nk=2\n");
}

TEST_F(IniStoreTest, ReadOnlyFileFailsAtTheFirstWriteWithItsPath) {
  WriteFileBytes(path_, "[s]\nk=1\n");
  fs::permissions(path_, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  TIniStore store(path_);
  EXPECT_EQ(store.ReadInteger("s", "k", 0), 1);
  try {
    store.WriteString("s", "k", "2");
    ADD_FAILURE() << "no error";
  } catch (const EIniFileError& error) {
    EXPECT_EQ(std::string(error.what()), "Unable to write to " + path_);
  }
  EXPECT_EQ(ReadFileBytes(path_), "[s]\nk=1\n");
}

TEST_F(IniStoreTest, MissingFolderOrFolderPathFailsWithThePath) {
  for (const std::string& path : {dir_.File("no-such-folder/settings.ini"), dir_.Path().string()}) {
    TIniStore store(path);
    try {
      store.WriteBool("s", "k", true);
      ADD_FAILURE() << "no error for " << path;
    } catch (const EIniFileError& error) {
      EXPECT_EQ(std::string(error.what()), "Unable to write to " + path);
    }
  }
}

TEST(IniPathFor, ReplacesOrAppendsTheExtension) {
  EXPECT_EQ(IniPathFor("/opt/glyphory/Glyphory"), "/opt/glyphory/Glyphory.ini");
  EXPECT_EQ(IniPathFor("/opt/glyphory/Glyphory.bin"), "/opt/glyphory/Glyphory.ini");
  EXPECT_EQ(IniPathFor("/opt/v1.2/Glyphory"), "/opt/v1.2/Glyphory.ini");
  EXPECT_EQ(IniPathFor("a.b.exe"), "a.b.ini");
}

}  // namespace
}  // namespace glyphory
