// The BMP name format from arbitrary bytes: either a name or ENameFormatError,
// and a name never grows beyond the format plus one bounded field.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "batch/name_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const auto number = input.ConsumeIntegral<std::int32_t>();
  const std::string format = input.ConsumeRemainingBytesAsString();
  try {
    const std::string name = glyphory::FormatNumber(format, number);
    // Widths and precisions are at most 255, a number at most 11 characters.
    if (name.size() > format.size() + 2 * 255 + 11) {
      std::abort();
    }
  } catch (const glyphory::ENameFormatError&) {
  }
  return 0;
}
