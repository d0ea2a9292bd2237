#include "batch/code_list.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace glyphory {
namespace {

// Decimal texts first..last.
CodeList Seq(int first, int last) {
  CodeList list;
  for (int code = first; code <= last; ++code) {
    list.push_back(std::to_string(code));
  }
  return list;
}

CodeList Join(std::vector<CodeList> parts) {
  CodeList all;
  for (const auto& part : parts) {
    all.insert(all.end(), part.begin(), part.end());
  }
  return all;
}

struct ExpandCase {
  const char* name;
  std::string text;
  bool fails;
  CodeList entries;  // expected entries when the expansion succeeds
};

void PrintTo(const ExpandCase& c, std::ostream* os) { *os << c.name << " '" << c.text << "'"; }

const ExpandCase kExpandCases[] = {
    {"default list", "32-126,168,176,184,192-255", false,
     Join({Seq(32, 126), {"168", "176", "184"}, Seq(192, 255)})},
    {"single", "65", false, {"65"}},
    {"empty items", "65,,66,", false, {"65", "66"}},
    {"leading comma", ",65", false, {"65"}},
    {"only commas", ",,,", false, {}},
    {"empty text", "", false, {}},
    {"reversed range", "70-65", false, {}},
    {"reversed range between items", "1,70-65,2", false, {"1", "2"}},
    {"one-code range", "65-65", false, {"65"}},
    {"blank before range", " 65-70", false, Seq(65, 70)},
    {"blank after hyphen", "65- 70", false, Seq(65, 70)},
    {"blank before hyphen", "65 -70", true, {}},
    {"blank after range end", "65-70 ", true, {}},
    {"hex range", "$41-$43", false, {"65", "66", "67"}},
    {"0x range", "0x41-0X42", false, {"65", "66"}},
    {"hex single kept", "$41", false, {"$41"}},
    {"open end", "65-", true, {}},
    {"open start", "-70", true, {}},
    {"double hyphen", "65--70", true, {}},
    {"second hyphen ends range", "1-5-9", false, Seq(1, 5)},
    {"second hyphen, junk after", "1-3-x", false, Seq(1, 3)},
    {"word kept", "abc", false, {"abc"}},
    {"leading blank kept", " 65", false, {" 65"}},
    {"trailing blank kept", "65 ", false, {"65 "}},
    {"blank-only item kept", " ", false, {" "}},
    {"leading zeros kept", "065,65", false, {"065", "65"}},
    {"duplicates and order kept", "66,65,65-66", false, {"66", "65", "65", "66"}},
    {"bad range drops the good part", "65,66,x-70", true, {}},
    {"wide range", "0-1000", false, Seq(0, 1000)},
    {"negative range through hex", "$FFFFFFFE-1", false, {"-2", "-1", "0", "1"}},
    {"line breaks separate like commas", "65\r\n66\n67\r68", false, {"65", "66", "67", "68"}},
    {"exactly the entry limit", "1-1048576", false, Seq(1, 1048576)},
    {"one range past the limit", "1-1048577", true, {}},
    {"limit reached by several items", "1-1048576,x", true, {}},
    {"huge range", "0-2000000000", true, {}},
    {"full 32-bit range", "-$7FFFFFFF-$7FFFFFFF", true, {}},
};

class ExpandCodesTable : public testing::TestWithParam<ExpandCase> {};

TEST_P(ExpandCodesTable, GivesTheEntriesOrFailsWithTheMessage) {
  const ExpandCase& c = GetParam();
  std::vector<std::string> messages;
  const CodeList list = ExpandCodes(c.text, [&](const std::string& m) { messages.push_back(m); });
  if (c.fails) {
    EXPECT_TRUE(list.empty());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], kCodeListErrorMessage);
    EXPECT_FALSE(ParseCodeList(c.text).has_value());
  } else {
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(list, c.entries);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, ExpandCodesTable, testing::ValuesIn(kExpandCases));

TEST(ExpandCodes, DefaultListHas162Entries) {
  EXPECT_EQ(ExpandCodes("32-126,168,176,184,192-255", {}).size(), 162u);
}

}  // namespace
}  // namespace glyphory
