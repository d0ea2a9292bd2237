// Fonts made from logical-font records: measuring 8-bit text and drawing it,
// antialiased and transparent, into a 24-bit bottom-up pixel memory.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "glyph/face_pool.h"
#include "glyph/font_registry.h"
#include "glyph/freetype_handles.h"
#include "glyph/logfont.h"
#include "glyph/platform.h"

namespace glyphory {

struct TSize {
  std::int32_t cx = 0;
  std::int32_t cy = 0;
};

// Right and bottom are exclusive.
struct TRect {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Right = 0;
  std::int32_t Bottom = 0;
};

// A 24-bit bottom-up pixel memory (blue, green, red per pixel; image row y
// starts at byte (height - 1 - y) * stride) that text and fills are drawn into.
struct PixelTarget {
  std::uint8_t* bits = nullptr;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::size_t stride = 0;

  [[nodiscard]] std::uint8_t* Row(std::int32_t y) const {
    return bits + static_cast<std::size_t>(height - 1 - y) * stride;
  }
};

// A font that cannot be made (no face at all, or a size out of range).
class EFontError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Largest cell height a font is made for; larger requests raise EFontError.
constexpr std::int32_t kMaxCellHeight = 8192;

// Cell height of a record's font when its height is 0.
constexpr std::int32_t kDefaultCellHeight = 16;

class TFont {
 public:
  // Makes the font a record describes. A positive height is the cell height
  // (ascent plus descent), a negative one the character height (em size).
  explicit TFont(const LOGFONT& record);
  TFont(const TFont&) = delete;
  TFont& operator=(const TFont&) = delete;

  [[nodiscard]] const LOGFONT& Record() const { return record_; }
  [[nodiscard]] const std::string& SourcePath() const { return source_.path; }
  [[nodiscard]] std::int32_t CellHeight() const { return ascent_ + descent_; }
  [[nodiscard]] std::int32_t Ascent() const { return ascent_; }

  // Width = sum of the advances of the bytes' glyphs, height = cell height.
  [[nodiscard]] TSize TextExtent(std::string_view text) const;

  // Draws text with its first cell's top-left at (x, y). Each channel of a
  // pixel becomes old + (color - old) * coverage / 255, so uninked pixels keep
  // their exact value. Only pixels inside `clip` (and the target) change.
  void DrawText(const PixelTarget& target, const TRect& clip, std::int32_t x, std::int32_t y,
                std::string_view text, TColor color) const;

  // Code point a byte of text stands for (kUndecodable draws the missing glyph).
  [[nodiscard]] char32_t DecodeByte(unsigned char byte) const { return decode_[byte]; }

 private:
  // Loads (and styles) the glyph of one byte; false when nothing can be loaded.
  bool LoadGlyph(unsigned char byte, FT_Int32 flags) const;
  std::int32_t Advance() const;
  void SetSize(std::int32_t requestedHeight);
  void BuildDecodeTable();

  // Gives a leased face back to the pool it came from, which it keeps alive.
  struct FaceReturner {
    std::shared_ptr<FacePool> pool;
    void operator()(PooledFace* face) const { pool->Return(std::unique_ptr<PooledFace>(face)); }
  };

  LOGFONT record_;
  FontSource source_;
  std::unique_ptr<PooledFace, FaceReturner> pooled_;
  FT_Face face_ = nullptr;  // the leased face
  std::array<char32_t, 256> decode_{};
  bool symbolMap_ = false;
  std::int32_t ascent_ = 0;
  std::int32_t descent_ = 0;
};

}  // namespace glyphory
