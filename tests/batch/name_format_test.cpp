#include "batch/name_format.h"

#include <gtest/gtest.h>

namespace glyphory {
namespace {

struct FormatCase {
  const char* format;
  std::int32_t number;
  const char* expected;  // nullptr: the format is refused
};

void PrintTo(const FormatCase& c, std::ostream* os) { *os << '"' << c.format << "\" " << c.number; }

const FormatCase kFormatCases[] = {
    {"%0.4d", 65, "0065"},
    {"%0.4d", 7, "0007"},
    {"%0.4d", -5, "-0005"},
    {"%0.4d", 12345, "12345"},
    {"%d", 65, "65"},
    {"%x", 65, "41"},
    {"%x", 255, "FF"},
    {"%x", -1, "FFFFFFFF"},
    {"%u", -1, "4294967295"},
    {"%d", INT32_MIN, "-2147483648"},
    {"char%.3d", 65, "char065"},
    {"%5d", 65, "   65"},
    {"%-5d|", 65, "65   |"},
    {"%6.3d", -7, "  -007"},
    {"100%%_%d", 3, "100%_3"},
    {"plain", 3, "plain"},
    {"%.0d", 0, "0"},
    {"%s", 65, nullptr},
    {"%f", 65, nullptr},
    {"%", 65, nullptr},
    {"%5", 65, nullptr},
    {"%d%d", 65, nullptr},
    {"%*d", 65, nullptr},
    {"%999d", 65, nullptr},
};

class NameFormat : public testing::TestWithParam<FormatCase> {};

TEST_P(NameFormat, FormatsOrRefuses) {
  const FormatCase& c = GetParam();
  if (c.expected == nullptr) {
    EXPECT_THROW((void)FormatNumber(c.format, c.number), ENameFormatError);
  } else {
    EXPECT_EQ(FormatNumber(c.format, c.number), c.expected);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, NameFormat, testing::ValuesIn(kFormatCases));

}  // namespace
}  // namespace glyphory
