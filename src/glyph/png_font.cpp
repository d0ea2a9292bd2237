#include "glyph/png_font.h"

#include <cstdlib>
#include <limits>
#include <string>

#include "glyph/color.h"
#include "glyph/edge_dilation.h"
#include "glyph/log_sink.h"
#include "image/png_errors.h"

namespace glyphory {

namespace {

// Progress messages, Windows-1251 text.
// "начало AlphaFilter"
constexpr std::string_view kAlphaFilterStart = "\xED\xE0\xF7\xE0\xEB\xEE AlphaFilter";
// "завершение AlphaFilter"
constexpr std::string_view kAlphaFilterEnd = "\xE7\xE0\xE2\xE5\xF0\xF8\xE5\xED\xE8\xE5 AlphaFilter";
// "Начало окантовки"
constexpr std::string_view kEdgingStart = "\xCD\xE0\xF7\xE0\xEB\xEE \xEE\xEA\xE0\xED\xF2\xEE\xE2\xEA\xE8";
// "Завершение окантовки"
constexpr std::string_view kEdgingEnd =
    "\xC7\xE0\xE2\xE5\xF0\xF8\xE5\xED\xE8\xE5 \xEE\xEA\xE0\xED\xF2\xEE\xE2\xEA\xE8";
// "получение реального размера буквы"
constexpr std::string_view kMeasureStart =
    "\xEF\xEE\xEB\xF3\xF7\xE5\xED\xE8\xE5 \xF0\xE5\xE0\xEB\xFC\xED\xEE\xE3\xEE \xF0\xE0\xE7\xEC\xE5\xF0\xE0 "
    "\xE1\xF3\xEA\xE2\xFB";
// "завершение получения реального размера"
constexpr std::string_view kMeasureEnd =
    "\xE7\xE0\xE2\xE5\xF0\xF8\xE5\xED\xE8\xE5 \xEF\xEE\xEB\xF3\xF7\xE5\xED\xE8\xFF "
    "\xF0\xE5\xE0\xEB\xFC\xED\xEE\xE3\xEE \xF0\xE0\xE7\xEC\xE5\xF0\xE0";
// "Изменение размера [+слева]:[+справа] "
constexpr std::string_view kWidenStart =
    "\xC8\xE7\xEC\xE5\xED\xE5\xED\xE8\xE5 \xF0\xE0\xE7\xEC\xE5\xF0\xE0 [+\xF1\xEB\xE5\xE2\xE0]:"
    "[+\xF1\xEF\xF0\xE0\xE2\xE0] ";
// "Завершение изменения размера"
constexpr std::string_view kWidenEnd =
    "\xC7\xE0\xE2\xE5\xF0\xF8\xE5\xED\xE8\xE5 \xE8\xE7\xEC\xE5\xED\xE5\xED\xE8\xFF \xF0\xE0\xE7\xEC\xE5\xF0\xE0";
// "Начало вырезки/вставки [width] "
constexpr std::string_view kMoveStart =
    "\xCD\xE0\xF7\xE0\xEB\xEE \xE2\xFB\xF0\xE5\xE7\xEA\xE8/\xE2\xF1\xF2\xE0\xE2\xEA\xE8 [width] ";
// "вырезка/вставка завершена"
constexpr std::string_view kMoveEnd =
    "\xE2\xFB\xF0\xE5\xE7\xEA\xE0/\xE2\xF1\xF2\xE0\xE2\xEA\xE0 \xE7\xE0\xE2\xE5\xF0\xF8\xE5\xED\xE0";

constexpr TColor kNoInk = clWhite;

// A column count computed in 64 bits, as an image width or margin; a value
// no image can have raises EPNGInvalidNewSize.
std::int32_t CheckedColumns(std::int64_t columns) {
  if (columns < std::numeric_limits<std::int32_t>::min() || columns > std::numeric_limits<std::int32_t>::max()) {
    throw EPNGInvalidNewSize();
  }
  return static_cast<std::int32_t>(columns);
}

// Stores a colour's low 24 bits into a blue, green, red pixel.
void StoreColor(std::uint8_t* bgr, TColor color) {
  bgr[0] = BlueOf(color);
  bgr[1] = GreenOf(color);
  bgr[2] = RedOf(color);
}

}  // namespace

TPNGFont::TPNGFont(std::string_view text, LOGFONT record, bool sizeInPixels, std::int32_t size, int bitDepth) {
  MakeBlankImage(COLOR_RGBALPHA, bitDepth, 1, 1);
  record.lfHeight = sizeInPixels ? size : PointsToPixels(size);
  Canvas().SetFont(record);
  SetFontColor(clBlack);
  SetText(text);
  SetBgAlpha(0);
  textX_ = 0;
  textY_ = 0;
  SetFontAlpha(255);
  smoothing_ = false;
  mono_ = false;
  correction_ = kDefaultCorrection;
}

void TPNGFont::SetText(std::string_view text) {
  text_ = std::string(text);
  const TSize extent = Canvas().TextExtent(text_);
  SetImageSize(extent.cx, extent.cy);
}

void TPNGFont::SetBgColor(TColor color) {
  bgColor_ = color;
  Canvas().SetBrushColor(color);
}

void TPNGFont::SetBgAlpha(std::uint8_t alpha) {
  bgAlpha_ = alpha;
  AlphaFilter();
}

void TPNGFont::SetFontAlpha(std::uint8_t alpha) {
  fontAlpha_ = alpha;
  AlphaFilter();
}

std::int32_t TPNGFont::PointsToPixels(std::int32_t points) const {
  return MulDiv(points, Canvas().PixelsPerInchY(), 72);
}

void TPNGFont::Log(std::string_view message) { LogMessage(message); }

// ---- rasterisation and tinting ----

void TPNGFont::Render() {
  TCanvas& canvas = Canvas();
  const TColor glyphColor = canvas.FontColor();
  canvas.SetFontColor(clBlack);
  canvas.SetBrushColor(clWhite);
  canvas.FillRect(canvas.ClipRect());
  canvas.SetBrushColor(bgColor_);
  canvas.SetBkMode(TBkMode::Transparent);
  canvas.TextOut(textX_, textY_, text_);
  canvas.SetFontColor(glyphColor);
  GrayPass();
  Tint(canvas.FontColor(), mono_);
}

void TPNGFont::GrayPass() {
  for (std::int32_t y = 0; y < Height(); ++y) {
    std::uint8_t* pixels = PixelRow(y);
    for (std::int32_t x = 0; x < Width(); ++x) {
      std::uint8_t* bgr = pixels + static_cast<std::size_t>(x) * 3;
      const TColor pixel = PackRGB(bgr[2], bgr[1], bgr[0]);
      if (pixel != kNoInk) {
        StoreColor(bgr, ToGray(pixel));
      }
    }
  }
}

void TPNGFont::Tint(TColor color, bool mono) {
  const auto percent = static_cast<std::uint8_t>(correction_ & 0xFF);
  for (std::int32_t y = 0; y < Height(); ++y) {
    std::uint8_t* pixels = PixelRow(y);
    for (std::int32_t x = 0; x < Width(); ++x) {
      std::uint8_t* bgr = pixels + static_cast<std::size_t>(x) * 3;
      const TColor pixel = PackRGB(bgr[2], bgr[1], bgr[0]);
      if (pixel == kNoInk) {
        StoreColor(bgr, bgColor_);
      } else if (mono) {
        StoreColor(bgr, color);
      } else {
        StoreColor(bgr, TintBlend(clBlack, DarkenPercent(pixel, percent), color));
      }
    }
  }
}

// ---- alpha plane ----

void TPNGFont::AlphaFilter() {
  Log(kAlphaFilterStart);
  const TColor glyphColor = Canvas().FontColor();
  for (std::int32_t y = 0; y < Height(); ++y) {
    const std::uint8_t* pixels = PixelRow(y);
    std::uint8_t* alpha = AlphaRow(y);
    for (std::int32_t x = 0; x < Width(); ++x) {
      const std::uint8_t* bgr = pixels + static_cast<std::size_t>(x) * 3;
      const TColor pixel = PackRGB(bgr[2], bgr[1], bgr[0]);
      if (pixel == edgeColor_) {
        continue;  // edging (and whatever shares its colour) keeps its alpha
      }
      if (pixel == bgColor_) {
        alpha[x] = bgAlpha_;
      } else if (smoothing_) {
        const unsigned coverage = pixel == glyphColor ? fontAlpha_ : 255u - RedOf(ToGray(pixel));
        alpha[x] = static_cast<std::uint8_t>((coverage * fontAlpha_ + 127u) / 255u);
      } else {
        alpha[x] = fontAlpha_;
      }
    }
  }
  Log(kAlphaFilterEnd);
}

// ---- edging ----

void TPNGFont::DrawEdging(TColor color, std::uint8_t edgeAlpha, std::int32_t edgeWidth) {
  Log(kEdgingStart);
  edgeColor_ = color;
  // An image without ink has nothing to outline, so it is not widened either.
  if (const std::optional<TInkExtent> ink = MeasureInk()) {
    const std::int64_t reach = edgeWidth;
    if (static_cast<std::int64_t>(ink->InkRight) - ink->InkLeft + 2 * reach > Width()) {
      Widen(CheckedColumns(std::abs(ink->InkLeft - reach)), CheckedColumns(ink->InkRight + reach - Width()));
    }
  }
  PaintEdging(*this, bgColor_, edgeColor_, edgeAlpha, edgeWidth);
  Log(kEdgingEnd);
}

std::optional<TInkExtent> TPNGFont::MeasureInk() {
  Log(kMeasureStart);
  auto columnHasInk = [this](std::int32_t x) {
    for (std::int32_t y = 0; y < Height(); ++y) {
      if (ReadPixel(x, y) != bgColor_) {
        return true;
      }
    }
    return false;
  };
  std::optional<TInkExtent> ink;
  std::int32_t left = 0;
  while (left < Width() && !columnHasInk(left)) {
    ++left;
  }
  if (left < Width()) {
    std::int32_t right = Width() - 1;
    while (!columnHasInk(right)) {
      --right;
    }
    ink = TInkExtent{left, right + 1};
  }
  Log(kMeasureEnd);
  return ink;
}

void TPNGFont::Widen(std::int32_t left, std::int32_t right) {
  Log(std::string(kWidenStart) + std::to_string(left) + ":" + std::to_string(right));
  const std::int32_t oldWidth = Width();
  const std::int32_t height = Height();
  const std::int32_t newWidth = CheckedColumns(static_cast<std::int64_t>(oldWidth) + left + right);
  SetImageSize(newWidth, height);
  Canvas().FillRect({oldWidth, 0, newWidth, height});
  if (left != 0) {
    MoveRegion({0, 0, oldWidth, height}, {left, 0, left + oldWidth, height});
    Log(kWidenEnd);
  }
}

void TPNGFont::MoveRegion(const TRect& source, const TRect& destination) {
  const std::int32_t width = source.Right - source.Left;
  const std::int32_t height = source.Bottom - source.Top;
  Log(std::string(kMoveStart) + std::to_string(width));
  auto inside = [this](std::int32_t x, std::int32_t y) { return x >= 0 && y >= 0 && x < Width() && y < Height(); };
  auto movePixel = [&](std::int32_t dx, std::int32_t dy) {
    const std::int32_t sx = source.Left + dx;
    const std::int32_t sy = source.Top + dy;
    const std::int32_t tx = destination.Left + dx;
    const std::int32_t ty = destination.Top + dy;
    WritePixel(tx, ty, ReadPixel(sx, sy));
    if (inside(sx, sy) && inside(tx, ty)) {
      AlphaRow(ty)[tx] = AlphaRow(sy)[sx];
    }
    WritePixel(sx, sy, bgColor_);
  };
  if (source.Top == destination.Top) {
    // A sideways move (as widening makes) touches each row on its own, so the
    // rows can be taken one after the other, each still from the right.
    for (std::int32_t dy = height - 1; dy >= 0; --dy) {
      for (std::int32_t dx = width - 1; dx >= 0; --dx) {
        movePixel(dx, dy);
      }
    }
  } else {
    for (std::int32_t dx = width - 1; dx >= 0; --dx) {
      for (std::int32_t dy = height - 1; dy >= 0; --dy) {
        movePixel(dx, dy);
      }
    }
  }
  Log(kMoveEnd);
}

}  // namespace glyphory
