// Integer text and code lists from arbitrary bytes: conversions never crash,
// what converts converts back, and an expanded list stays within its bound.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "batch/code_list.h"
#include "batch/int_text.h"

namespace {

void Check(bool condition) {
  if (!condition) {
    std::abort();
  }
}

void CheckIntegerText(std::string_view text) {
  const std::optional<std::int32_t> value = glyphory::TryStrToInt(text);
  try {
    const std::int32_t thrown = glyphory::StrToInt(text);
    Check(value && *value == thrown);
  } catch (const glyphory::EConvertError&) {
    Check(!value);
  }
  if (value) {
    // The canonical text of a value reads back as the same value.
    Check(glyphory::TryStrToInt(glyphory::IntToStr(*value)) == value);
  }
}

void CheckCodeList(std::string_view text) {
  int messages = 0;
  const glyphory::CodeList list = glyphory::ExpandCodes(text, [&](const std::string&) { ++messages; });
  const auto parsed = glyphory::ParseCodeList(text);
  // A failed expansion says so once and hands back nothing.
  Check(parsed ? messages == 0 && list == *parsed : messages == 1 && list.empty());
  Check(list.size() <= glyphory::kMaxCodeListEntries);
  for (const std::string& entry : list) {
    Check(!entry.empty() && entry.find(',') == std::string::npos && entry.find('\n') == std::string::npos &&
          entry.find('\r') == std::string::npos);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckIntegerText(text);
  CheckCodeList(text);
  return 0;
}
