// Font files from arbitrary bytes through the text service: the bytes are
// written to a file, registered, named, made into a font and one glyph is
// drawn, as a run with a user's font file does. Nothing may crash, leak or
// draw outside the target.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "glyph/font_registry.h"
#include "glyph/logfont.h"
#include "glyph/text_service.h"
#include "settings/font_files.h"

namespace {

constexpr std::int32_t kTargetSide = 24;
constexpr std::uint8_t kBackground = 0x5A;
// Guard bytes around the pixels: a draw that strays out of the target changes them.
constexpr std::size_t kGuard = 64;

void Check(bool condition) {
  if (!condition) {
    std::abort();
  }
}

// The font file of this fuzzing process; removed at exit.
class FontFilePath {
 public:
  FontFilePath() : path_("/tmp/glyphory-fuzz-font-" + std::to_string(::getpid()) + ".ttf") {}
  ~FontFilePath() { ::unlink(path_.c_str()); }
  FontFilePath(const FontFilePath&) = delete;
  FontFilePath& operator=(const FontFilePath&) = delete;
  [[nodiscard]] const std::string& Get() const { return path_; }

 private:
  std::string path_;
};

bool WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out.flush());
}

// Draws one byte with the font the record resolves to, into a small target
// surrounded by guard bytes that must stay untouched.
void DrawOneGlyph(const glyphory::LOGFONT& record, unsigned char byte) {
  const std::size_t stride = static_cast<std::size_t>(kTargetSide) * 3 + 1;  // not a multiple of 4 on purpose
  std::vector<std::uint8_t> memory(kGuard * 2 + stride * kTargetSide, kBackground);
  glyphory::PixelTarget target;
  target.bits = memory.data() + kGuard;
  target.width = kTargetSide;
  target.height = kTargetSide;
  target.stride = stride;
  try {
    const glyphory::TFont font(record);
    const std::string text(1, static_cast<char>(byte));
    const glyphory::TSize extent = font.TextExtent(text);
    Check(extent.cx >= 0 && extent.cy == font.CellHeight());
    font.DrawText(target, {0, 0, kTargetSide, kTargetSide}, 2, 2, text, 0x00FFFFFF);
    font.DrawText(target, {-5, -5, kTargetSide + 5, kTargetSide + 5}, -extent.cx / 2, kTargetSide - 4, text, 0);
  } catch (const glyphory::EFontError&) {
    return;
  } catch (const std::runtime_error&) {
    return;  // no usable face at all
  }
  for (std::size_t i = 0; i < kGuard; ++i) {
    Check(memory[i] == kBackground && memory[memory.size() - 1 - i] == kBackground);
  }
  // The pad byte at the end of each row is not a pixel either.
  for (std::int32_t y = 0; y < kTargetSide; ++y) {
    Check(target.Row(y)[stride - 1] == kBackground);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const FontFilePath path;
  FuzzedDataProvider input(data, size);
  const auto style = input.ConsumeIntegral<std::uint8_t>();
  const auto byte = input.ConsumeIntegral<std::uint8_t>();
  const auto height = input.ConsumeIntegral<std::int8_t>();
  if (!WriteBytes(path.Get(), input.ConsumeRemainingBytesAsString())) {
    return 0;
  }
  const std::string faceName = glyphory::GetFontFileFaceName(path.Get());
  if (!glyphory::RegisterFontFile(path.Get())) {
    return 0;
  }
  glyphory::LOGFONT record = glyphory::ComposeLogFont(faceName, (style & 1) != 0, (style & 2) != 0, glyphory::DEFAULT_CHARSET);
  record.lfHeight = height;
  if ((style & 4) != 0) {
    record.lfCharSet = glyphory::SYMBOL_CHARSET;
  }
  DrawOneGlyph(record, byte);
  glyphory::UnregisterFontFile(path.Get());
  return 0;
}
