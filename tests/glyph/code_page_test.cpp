#include "glyph/code_page.h"

#include <gtest/gtest.h>

#include "glyph/logfont.h"

namespace glyphory {
namespace {

TEST(CodePage, CharsetsReadTheirCodePages) {
  EXPECT_EQ(CodePageName(RUSSIAN_CHARSET), "CP1251");
  EXPECT_EQ(CodePageName(DEFAULT_CHARSET), "CP1251");
  EXPECT_EQ(CodePageName(ANSI_CHARSET), "CP1252");
  EXPECT_EQ(CodePageName(OEM_CHARSET), "CP866");
  EXPECT_EQ(CodePageName(SYMBOL_CHARSET), "");
  EXPECT_EQ(CodePageName(99), "CP1251");  // unknown sets read as the system code page
}

TEST(CodePage, DecodeTableMarksBytesThatDoNotDecodeAlone) {
  const auto cp1251 = DecodeTable("CP1251");
  EXPECT_EQ(cp1251[0xC0], U'\u0410');
  EXPECT_EQ(cp1251[0x41], U'A');
  EXPECT_EQ(cp1251[0x98], kUndecodable);
  const auto shiftJis = DecodeTable("CP932");
  EXPECT_EQ(shiftJis[0x81], kUndecodable);  // a lead byte alone
  EXPECT_EQ(shiftJis[0x41], U'A');
}

TEST(CodePage, ConvertsBetweenWindows1251AndUtf8) {
  EXPECT_EQ(Cp1251ToUtf8("\xC1\xB8 A"), "\xD0\x91\xD1\x91 A");
  EXPECT_EQ(Utf8ToCp1251("\xD0\x91\xD1\x91 A"), "\xC1\xB8 A");
  EXPECT_EQ(Utf8ToCp1251("\xE2\x82\xAC\xE4\xB8\xAD"), "\x88?");  // euro sign has a byte, the Han character not
  EXPECT_EQ(Utf8ToCp1251("a\xFF" "b"), "a?b");                   // broken UTF-8
}

struct Utf8Case {
  const char* name;
  std::string bytes;
  bool valid;
};

void PrintTo(const Utf8Case& c, std::ostream* os) { *os << c.name; }

class Utf8Validity : public testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8Validity, TellsWellFormedText) { EXPECT_EQ(IsValidUtf8(GetParam().bytes), GetParam().valid); }

INSTANTIATE_TEST_SUITE_P(
    Cases, Utf8Validity,
    testing::Values(Utf8Case{"ascii", "Unable to write to /tmp/a.png", true},
                    Utf8Case{"cyrillic", "\xD0\x91\xD1\x91", true}, Utf8Case{"four bytes", "\xF0\x9F\x98\x80", true},
                    Utf8Case{"windows-1251 text", "\xCE\xF8\xE8\xE1\xEA\xE0", false},
                    Utf8Case{"overlong", "\xC0\xAF", false}, Utf8Case{"surrogate", "\xED\xA0\x80", false},
                    Utf8Case{"cut short", "\xD0", false}, Utf8Case{"beyond U+10FFFF", "\xF4\x90\x80\x80", false}));

TEST(CodePage, MessagesKeepUtf8PathsAndReadTheRestAsWindows1251) {
  EXPECT_EQ(MessageToUtf8("Unable to write to /tmp/\xD0\x91/1.png"), "Unable to write to /tmp/\xD0\x91/1.png");
  EXPECT_EQ(MessageToUtf8("'\xC1' is not a valid integer value"), "'\xD0\x91' is not a valid integer value");
}

}  // namespace
}  // namespace glyphory
