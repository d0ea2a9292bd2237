// A drawing canvas over a 24-bit pixel memory: a font with its colour, a brush
// for solid fills, and transparent or opaque text drawing, clipped to the memory.
#pragma once

#include <memory>
#include <string_view>

#include "glyph/logfont.h"
#include "glyph/platform.h"
#include "glyph/text_service.h"

namespace glyphory {

enum class TBkMode { Opaque, Transparent };

class TCanvas {
 public:
  TCanvas() = default;
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  // Binds the canvas to a new pixel memory. Like a fresh drawing context, the
  // background mode returns to opaque; font and brush carry over.
  void Bind(const PixelTarget& target);

  // The font: made from a record; until one is set the canvas uses the
  // default record (default face, default height).
  void SetFont(const LOGFONT& record);
  [[nodiscard]] const TFont& Font() const;
  [[nodiscard]] TColor FontColor() const { return fontColor_; }
  void SetFontColor(TColor color) { fontColor_ = color; }

  [[nodiscard]] TColor BrushColor() const { return brushColor_; }
  void SetBrushColor(TColor color) { brushColor_ = color; }

  // Opaque text fills each character cell with the background colour first.
  [[nodiscard]] TBkMode BkMode() const { return bkMode_; }
  void SetBkMode(TBkMode mode) { bkMode_ = mode; }
  [[nodiscard]] TColor BkColor() const { return bkColor_; }
  void SetBkColor(TColor color) { bkColor_ = color; }

  // (0, 0, width, height) of the bound memory.
  [[nodiscard]] TRect ClipRect() const;
  [[nodiscard]] int PixelsPerInchY() const { return kPixelsPerInchY; }

  // Pixels with Left <= x < Right and Top <= y < Bottom (inside the clip
  // rectangle) get exactly the brush colour.
  void FillRect(const TRect& rect);
  [[nodiscard]] TSize TextExtent(std::string_view text) const;
  void TextOut(std::int32_t x, std::int32_t y, std::string_view text);

 private:
  void FillSolid(const TRect& rect, TColor color);

  PixelTarget target_;
  mutable std::unique_ptr<TFont> font_;
  TColor fontColor_ = clBlack;
  TColor brushColor_ = clWhite;
  TColor bkColor_ = clWhite;
  TBkMode bkMode_ = TBkMode::Opaque;
};

}  // namespace glyphory
