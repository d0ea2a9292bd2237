#include "image/canvas.h"

#include <algorithm>

namespace glyphory {

void TCanvas::Bind(const PixelTarget& target) {
  target_ = target;
  bkMode_ = TBkMode::Opaque;
  bkColor_ = clWhite;
}

void TCanvas::SetFont(const LOGFONT& record) { font_ = std::make_unique<TFont>(record); }

const TFont& TCanvas::Font() const {
  if (!font_) {
    font_ = std::make_unique<TFont>(LOGFONT{});
  }
  return *font_;
}

TRect TCanvas::ClipRect() const { return {0, 0, target_.width, target_.height}; }

void TCanvas::FillSolid(const TRect& rect, TColor color) {
  const std::int32_t left = std::max(rect.Left, 0);
  const std::int32_t top = std::max(rect.Top, 0);
  const std::int32_t right = std::min(rect.Right, target_.width);
  const std::int32_t bottom = std::min(rect.Bottom, target_.height);
  for (std::int32_t y = top; y < bottom; ++y) {
    std::uint8_t* row = target_.Row(y);
    for (std::int32_t x = left; x < right; ++x) {
      std::uint8_t* pixel = row + static_cast<std::size_t>(x) * 3;
      pixel[0] = BlueOf(color);
      pixel[1] = GreenOf(color);
      pixel[2] = RedOf(color);
    }
  }
}

void TCanvas::FillRect(const TRect& rect) { FillSolid(rect, brushColor_); }

TSize TCanvas::TextExtent(std::string_view text) const { return Font().TextExtent(text); }

void TCanvas::TextOut(std::int32_t x, std::int32_t y, std::string_view text) {
  const TFont& font = Font();
  if (bkMode_ == TBkMode::Opaque) {
    const TSize extent = font.TextExtent(text);
    FillSolid({x, y, x + extent.cx, y + extent.cy}, bkColor_);
  }
  font.DrawText(target_, ClipRect(), x, y, text, fontColor_);
}

}  // namespace glyphory
