#include "glyph/text_service.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "glyph/code_page.h"

#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

namespace glyphory {

namespace {

// Design height of a face's cell in font units: the Windows ascent and
// descent, else the horizontal header's, else the em.
struct CellMetrics {
  double ascent = 0;
  double total = 0;
};

CellMetrics DesignCell(FT_Face face) {
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 != nullptr && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
    return {static_cast<double>(os2->usWinAscent),
            static_cast<double>(os2->usWinAscent) + os2->usWinDescent};
  }
  const double hheaTotal = static_cast<double>(face->ascender) - face->descender;
  if (hheaTotal > 0) {
    return {static_cast<double>(face->ascender), hheaTotal};
  }
  return {static_cast<double>(face->units_per_EM) * 0.8, static_cast<double>(face->units_per_EM)};
}

std::uint8_t Blend(std::uint8_t old, std::uint8_t text, unsigned coverage) {
  return static_cast<std::uint8_t>((old * (255u - coverage) + text * coverage + 127u) / 255u);
}

unsigned CoverageAt(const FT_Bitmap& bitmap, unsigned row, unsigned col) {
  const std::ptrdiff_t pitch = bitmap.pitch;
  const unsigned char* line = bitmap.pitch >= 0
                                  ? bitmap.buffer + static_cast<std::ptrdiff_t>(row) * pitch
                                  : bitmap.buffer + static_cast<std::ptrdiff_t>(bitmap.rows - 1 - row) * -pitch;
  switch (bitmap.pixel_mode) {
    case FT_PIXEL_MODE_GRAY:
      return bitmap.num_grays == 256 ? line[col] : line[col] * 255u / (bitmap.num_grays - 1u);
    case FT_PIXEL_MODE_MONO:
      return (line[col >> 3] & (0x80 >> (col & 7))) ? 255u : 0u;
    default:
      return 0;
  }
}

}  // namespace

TFont::TFont(const LOGFONT& record)
    : record_(record),
      source_(FontRegistry::Instance().Resolve(record)),
      pooled_(FacePool::Instance().Lease(source_.bytes, source_.faceIndex, record.lfHeight).release(),
              FaceReturner{FacePool::Shared()}) {
  face_ = pooled_ ? pooled_->face.get() : nullptr;
  if (face_ == nullptr || !FT_IS_SCALABLE(face_)) {
    throw EFontError("The font file \"" + source_.path + "\" holds no usable face.");
  }
  SetSize(record.lfHeight);
  BuildDecodeTable();
}

void TFont::SetSize(std::int32_t requestedHeight) {
  if (requestedHeight > kMaxCellHeight || requestedHeight < -kMaxCellHeight) {
    throw EFontError("The font height " + std::to_string(requestedHeight) +
                     " is out of range (at most " + std::to_string(kMaxCellHeight) + " pixels).");
  }
  const CellMetrics design = DesignCell(face_);
  const double unitsPerEm = face_->units_per_EM > 0 ? face_->units_per_EM : 1000.0;
  double ppem = 0;
  std::int32_t cell = 0;
  if (requestedHeight < 0) {
    ppem = -requestedHeight;
    cell = static_cast<std::int32_t>(std::lround(ppem * design.total / unitsPerEm));
  } else {
    cell = requestedHeight == 0 ? kDefaultCellHeight : requestedHeight;
    ppem = cell * unitsPerEm / design.total;
  }
  cell = std::clamp(cell, 1, kMaxCellHeight * 4);
  ascent_ = std::clamp(static_cast<std::int32_t>(std::lround(design.ascent * ppem / unitsPerEm)), 0, cell);
  descent_ = cell - ascent_;
  const auto charSize = static_cast<FT_F26Dot6>(std::max(1.0, std::round(ppem * 64.0)));
  if (pooled_->charSize == charSize) {
    pooled_->requestedHeight = requestedHeight;
    return;  // a reused face already at this size keeps its prepared hinting
  }
  pooled_->charSize = 0;
  if (FT_Set_Char_Size(face_, 0, charSize, 72, 72) != 0) {
    throw EFontError("The font cannot be drawn at height " + std::to_string(requestedHeight) + ".");
  }
  pooled_->charSize = charSize;
  pooled_->requestedHeight = requestedHeight;
}

void TFont::BuildDecodeTable() {
  const std::string codePage = CodePageName(record_.lfCharSet);
  if (codePage.empty()) {
    // Symbol text: the bytes themselves, in the symbol area for symbol fonts.
    symbolMap_ = FT_Select_Charmap(face_, FT_ENCODING_MS_SYMBOL) == 0;
    for (int byte = 0; byte < 256; ++byte) {
      decode_[static_cast<std::size_t>(byte)] = symbolMap_ ? 0xF000 + byte : static_cast<char32_t>(byte);
    }
    return;
  }
  FT_Select_Charmap(face_, FT_ENCODING_UNICODE);
  // The table is kept with the face, so a reused face skips the conversions.
  if (!pooled_->decodeReady || pooled_->codePage != codePage) {
    pooled_->decodeReady = false;
    pooled_->decode = DecodeTable(codePage);
    pooled_->codePage = codePage;
    pooled_->decodeReady = true;
  }
  decode_ = pooled_->decode;
}

bool TFont::LoadGlyph(unsigned char byte, FT_Int32 flags) const {
  FT_Face face = face_;
  const char32_t codePoint = decode_[byte];
  const FT_UInt index = codePoint == kUndecodable ? 0 : FT_Get_Char_Index(face, codePoint);
  if (FT_Load_Glyph(face, index, flags) != 0 && (index == 0 || FT_Load_Glyph(face, 0, flags) != 0)) {
    return false;
  }
  if (face->glyph->format != FT_GLYPH_FORMAT_OUTLINE) {
    return true;
  }
  if (source_.syntheticItalic) {
    FT_GlyphSlot_Oblique(face->glyph);
  }
  if (source_.syntheticBold) {
    FT_GlyphSlot_Embolden(face->glyph);
  }
  return true;
}

std::int32_t TFont::Advance() const {
  const FT_Pos advance = face_->glyph->advance.x;
  return static_cast<std::int32_t>((advance + 32) >> 6);
}

TSize TFont::TextExtent(std::string_view text) const {
  std::int64_t width = 0;
  for (const char c : text) {
    if (LoadGlyph(static_cast<unsigned char>(c), FT_LOAD_DEFAULT)) {
      width += Advance();
    }
  }
  width = std::clamp<std::int64_t>(width, 0, INT32_MAX);
  return {static_cast<std::int32_t>(width), CellHeight()};
}

void TFont::DrawText(const PixelTarget& target, const TRect& clip, std::int32_t x, std::int32_t y,
                     std::string_view text, TColor color) const {
  const std::int64_t clipLeft = std::max(0, clip.Left);
  const std::int64_t clipTop = std::max(0, clip.Top);
  const std::int64_t clipRight = std::min(target.width, clip.Right);
  const std::int64_t clipBottom = std::min(target.height, clip.Bottom);
  const std::uint8_t red = RedOf(color);
  const std::uint8_t green = GreenOf(color);
  const std::uint8_t blue = BlueOf(color);
  std::int64_t penX = x;
  const std::int64_t baseline = static_cast<std::int64_t>(y) + ascent_;
  for (const char c : text) {
    if (!LoadGlyph(static_cast<unsigned char>(c), FT_LOAD_DEFAULT)) {
      continue;
    }
    const std::int32_t advance = Advance();
    FT_GlyphSlot slot = face_->glyph;
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) == 0) {
      const FT_Bitmap& bitmap = slot->bitmap;
      const std::int64_t left = penX + slot->bitmap_left;
      const std::int64_t top = baseline - slot->bitmap_top;
      const std::int64_t rowFrom = std::max<std::int64_t>(0, clipTop - top);
      const std::int64_t rowTo = std::min<std::int64_t>(bitmap.rows, clipBottom - top);
      const std::int64_t colFrom = std::max<std::int64_t>(0, clipLeft - left);
      const std::int64_t colTo = std::min<std::int64_t>(bitmap.width, clipRight - left);
      for (std::int64_t row = rowFrom; row < rowTo; ++row) {
        std::uint8_t* line = target.Row(static_cast<std::int32_t>(top + row));
        for (std::int64_t col = colFrom; col < colTo; ++col) {
          const unsigned coverage = CoverageAt(bitmap, static_cast<unsigned>(row), static_cast<unsigned>(col));
          if (coverage == 0) {
            continue;
          }
          std::uint8_t* pixel = line + static_cast<std::size_t>(left + col) * 3;
          pixel[0] = Blend(pixel[0], blue, coverage);
          pixel[1] = Blend(pixel[1], green, coverage);
          pixel[2] = Blend(pixel[2], red, coverage);
        }
      }
    }
    penX += advance;
  }
}

}  // namespace glyphory
