#include "batch/int_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

namespace glyphory {
namespace {

struct IntTextCase {
  const char* text;
  std::optional<std::int32_t> value;  // nothing: the conversion fails
};

void PrintTo(const IntTextCase& c, std::ostream* os) { *os << "'" << c.text << "'"; }

const IntTextCase kIntTextCases[] = {
    {"0", 0},
    {"65", 65},
    {"065", 65},
    {"+65", 65},
    {"-65", -65},
    {"   65", 65},
    {"2147483647", 2147483647},
    {"-2147483648", INT32_MIN},
    {"00000000000000000000042", 42},
    {"$41", 65},
    {"x41", 65},
    {"X41", 65},
    {"0x41", 65},
    {"0X41", 65},
    {"$ff", 255},
    {"$fF", 255},
    {"-$10", -16},
    {"+0x10", 16},
    {"  $7FFFFFFF", INT32_MAX},
    {"$80000000", INT32_MIN},
    {"$FFFFFFFF", -1},
    {"$FF00000F", static_cast<std::int32_t>(0xFF00000Fu)},
    {"$000000000FF", 255},
    // Failures.
    {"", std::nullopt},
    {" ", std::nullopt},
    {"-", std::nullopt},
    {"+", std::nullopt},
    {"$", std::nullopt},
    {"0x", std::nullopt},
    {"65 ", std::nullopt},
    {"6 5", std::nullopt},
    {"\t65", std::nullopt},
    {"- 65", std::nullopt},
    {"--65", std::nullopt},
    {"+-65", std::nullopt},
    {"2147483648", std::nullopt},
    {"-2147483649", std::nullopt},
    {"99999999999999999999", std::nullopt},
    {"$100000000", std::nullopt},
    {"$G", std::nullopt},
    {"0$10", std::nullopt},
    {"00x10", std::nullopt},
    {"1e3", std::nullopt},
    {"abc", std::nullopt},
    {"65\n", std::nullopt},
};

class IntTextTable : public testing::TestWithParam<IntTextCase> {};

TEST_P(IntTextTable, ConvertsOrFailsWithTheText) {
  const IntTextCase& c = GetParam();
  EXPECT_EQ(TryStrToInt(c.text), c.value);
  if (c.value) {
    EXPECT_EQ(StrToInt(c.text), *c.value);
  } else {
    try {
      (void)StrToInt(c.text);
      ADD_FAILURE() << "no conversion error";
    } catch (const EConvertError& error) {
      EXPECT_EQ(std::string(error.what()), "'" + std::string(c.text) + "' is not a valid integer value");
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, IntTextTable, testing::ValuesIn(kIntTextCases));

}  // namespace
}  // namespace glyphory
