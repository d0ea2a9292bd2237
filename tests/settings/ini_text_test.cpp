#include "settings/ini_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace glyphory {
namespace {

using namespace std::string_literals;

struct ReadCase {
  const char* name;
  std::string text;
  const char* section;
  const char* key;
  std::optional<std::string> value;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

const ReadCase kReadCases[] = {
    {"plain", "[a]\nk=v\n", "a", "k", "v"},
    {"crlf", "[a]\r\nk=v\r\n", "a", "k", "v"},
    {"no final newline", "[a]\r\nk=v", "a", "k", "v"},
    {"case of section and key", "[FONT]\nSIZE=12\n", "font", "size", "12"},
    {"cyrillic names fold", "[\xD0\xF3\xF1]\n\xC8\xEC\xFF=1\n", "\xF0\xF3\xF1", "\xE8\xEC\xFF", "1"},
    {"blanks trimmed", "[a]\n  k \t=  v w \t\n", "a", "k", "v w"},
    {"blanks around section name", "[ a ]\nk=v\n", "a", "k", "v"},
    {"double quotes", "[a]\nk=\" v \"\n", "a", "k", " v "},
    {"single quotes", "[a]\nk='v'\n", "a", "k", "v"},
    {"unpaired quote kept", "[a]\nk=\"v\n", "a", "k", "\"v"},
    {"mixed quotes kept", "[a]\nk=\"v'\n", "a", "k", "\"v'"},
    {"lone quote kept", "[a]\nk=\"\n", "a", "k", "\""},
    {"empty value", "[a]\nk=\n", "a", "k", ""},
    {"first = splits", "[a]\nk=x=y\n", "a", "k", "x=y"},
    {"missing key", "[a]\nk=v\n", "a", "z", std::nullopt},
    {"missing section", "[a]\nk=v\n", "b", "k", std::nullopt},
    {"key of another section", "[a]\nk=v\n[b]\nz=1\n", "b", "k", std::nullopt},
    {"key before any section", "k=v\n[a]\n", "a", "k", std::nullopt},
    {"line without =", "[a]\nk\nk=v\n", "a", "k", "v"},
    {"comment line", "[a]\n;k=c\nk=v\n", "a", "k", "v"},
    {"empty key name ignored", "[a]\n=v\n", "a", "", std::nullopt},
    {"unclosed bracket is no section", "[a]\n[b\nk=v\n", "a", "k", "v"},
    {"duplicate key: first wins", "[a]\nk=1\nk=2\n", "a", "k", "1"},
    {"duplicate section: first wins", "[a]\nk=1\n[A]\nk=2\nj=3\n", "a", "k", "1"},
    {"duplicate section: later keys unseen", "[a]\nk=1\n[A]\nj=3\n", "a", "j", std::nullopt},
    {"NUL byte kept", "[a]\nk=x\0y\n"s, "a", "k", "x\0y"s},
    {"lone CR stays in the line", "[a]\rk=v\n", "a", "k", std::nullopt},
    {"CR before a missing final LF", "[a]\nk=v\r", "a", "k", "v\r"},
    {"bytes kept", "[a]\nk=\xCF\xF0\xE8\xE2\xE5\xF2\n", "a", "k", "\xCF\xF0\xE8\xE2\xE5\xF2"},
    {"long value cut to 2047", "[a]\nk=" + std::string(5000, 'x') + "\n", "a", "k", std::string(2047, 'x')},
    {"value of 2047 kept", "[a]\nk=" + std::string(2047, 'y'), "a", "k", std::string(2047, 'y')},
    {"very long line without =", "[a]\n" + std::string(1 << 20, 'z') + "\nk=v", "a", "k", "v"},
};

class IniReadTable : public testing::TestWithParam<ReadCase> {};

TEST_P(IniReadTable, FindsTheValue) {
  const ReadCase& c = GetParam();
  EXPECT_EQ(FindIniValue(c.text, c.section, c.key), c.value);
}

INSTANTIATE_TEST_SUITE_P(Cases, IniReadTable, testing::ValuesIn(kReadCases));

TEST(IniNames, SectionsInFileOrderEachOnce) {
  const std::string text = "k=0\n[b]\nx=1\n[a]\n[B]\ny=2\n[c\n[ d ]\n";
  EXPECT_EQ(IniSectionNames(text), (std::vector<std::string>{"b", "a", "d"}));
  EXPECT_TRUE(IniSectionNames("").empty());
}

TEST(IniNames, KeysOfTheFirstSectionEachOnce) {
  const std::string text = "[a]\nk=1\nline\n;c=1\nK=2\nj=3\n[b]\nz=1\n[a]\nq=1\n";
  EXPECT_EQ(IniKeyNames(text, "A"), (std::vector<std::string>{"k", "j"}));
  EXPECT_TRUE(IniKeyNames(text, "none").empty());
}

struct WriteCase {
  const char* name;
  std::string before;
  const char* section;
  const char* key;
  const char* value;
  std::string after;
};

void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }

const WriteCase kWriteCases[] = {
    {"new file", "", "a", "k", "v", "[a]\r\nk=v\r\n"},
    {"replace in place", "[a]\nx=1\nk=old\ny=2\n", "a", "K", "new", "[a]\nx=1\nk=new\ny=2\n"},
    {"replace keeps crlf", "[a]\r\nk=old\r\nj=1\r\n", "a", "k", "v", "[a]\r\nk=v\r\nj=1\r\n"},
    {"replace keeps the key's spelling", "[a]\n  Size = 1 \n", "A", "SIZE", "2", "[a]\nSize=2\n"},
    {"replace the first of duplicates", "[a]\nk=1\nk=2\n", "a", "k", "3", "[a]\nk=3\nk=2\n"},
    {"replace in the first duplicate section", "[a]\nk=1\n[a]\nk=2\n", "a", "k", "3",
     "[a]\nk=3\n[a]\nk=2\n"},
    {"new key at the end of its section", "[a]\nx=1\n\n[b]\ny=2\n", "a", "k", "v",
     "[a]\nx=1\nk=v\n\n[b]\ny=2\n"},
    {"new key after lines without =", "[a]\nx=1\nnote\n;c\n[b]\n", "a", "k", "v",
     "[a]\nx=1\nnote\n;c\nk=v\n[b]\n"},
    {"new key in an empty section", "[a]\n[b]\n", "a", "k", "v", "[a]\nk=v\n[b]\n"},
    {"new key in the last section, no final newline", "[a]\nx=1", "a", "k", "v", "[a]\nx=1\nk=v"},
    {"new key in the last section, crlf", "[a]\r\nx=1\r\n", "a", "k", "v", "[a]\r\nx=1\r\nk=v\r\n"},
    {"new section at the end", "[a]\nx=1\n", "b", "k", "v", "[a]\nx=1\n[b]\nk=v\n"},
    {"new section, no final newline", "[a]\r\nx=1", "b", "k", "v", "[a]\r\nx=1\r\n[b]\r\nk=v\r\n"},
    {"new section after text without sections", "just text", "a", "k", "v", "just text\r\n[a]\r\nk=v\r\n"},
    {"line breaks in a value become blanks", "", "a", "k", "1\r\n[evil]\nx=2", "[a]\r\nk=1  [evil] x=2\r\n"},
    {"NUL bytes elsewhere kept", "[a]\nn=\0\0\nk=1\n"s, "a", "k", "2", "[a]\nn=\0\0\nk=2\n"s},
    {"empty value", "[a]\nk=1\n", "a", "k", "", "[a]\nk=\n"},
};

class IniWriteTable : public testing::TestWithParam<WriteCase> {};

TEST_P(IniWriteTable, RewritesOnlyTheKey) {
  const WriteCase& c = GetParam();
  EXPECT_EQ(SetIniValue(c.before, c.section, c.key, c.value), c.after);
}

INSTANTIATE_TEST_SUITE_P(Cases, IniWriteTable, testing::ValuesIn(kWriteCases));

TEST(IniWrite, EveryWrittenValueReadsBackAsWritten) {
  std::string text = "; hand-made\r\n[x]\r\nkeep=me\r\n";
  const std::vector<std::pair<std::string, std::string>> values = {
      {"a", "1"}, {"b", "text with  inner  blanks"}, {"c", ""}, {"d", "$FF00000F"}, {"e", "=x="}};
  for (const auto& [key, value] : values) {
    text = SetIniValue(text, "S", key, value);
  }
  text = SetIniValue(text, "x", "new", "n");
  for (const auto& [key, value] : values) {
    EXPECT_EQ(FindIniValue(text, "s", key), value) << key;
  }
  EXPECT_EQ(FindIniValue(text, "x", "keep"), "me");
  EXPECT_EQ(text, "; hand-made\r\n[x]\r\nkeep=me\r\nnew=n\r\n[S]\r\na=1\r\nb=text with  inner  blanks\r\n"
                  "c=\r\nd=$FF00000F\r\ne==x=\r\n");
}

}  // namespace
}  // namespace glyphory
