// The glyph image: an RGBA image that knows the string it shows, its font,
// colours, opacities and options, with the passes that draw, outline and
// fill the alpha plane of it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "glyph/logfont.h"
#include "glyph/platform.h"
#include "glyph/text_service.h"
#include "image/png_object.h"

namespace glyphory {

// Columns that hold ink: InkLeft is the first, InkRight one past the last.
struct TInkExtent {
  std::int32_t InkLeft = 0;
  std::int32_t InkRight = 0;
};

constexpr std::int32_t kDefaultCorrection = 40;

// Callers configure a glyph image in a fixed order, because setting Text,
// FontAlpha or BgAlpha acts at once: construct, FontColor, BgColor, FontAlpha,
// BgAlpha, options, then Render, DrawEdging, AlphaFilter.
class TPNGFont : public TPNGObject {
 public:
  // Makes a glyph image for `text` in the font `record` describes, with its
  // height replaced by `size` (pixels when `sizeInPixels`, else points), at
  // `bitDepth` (8 or 16). The image is as large as the text's extent, all
  // black, with alpha 255 except 0 at (0, 0). Throws EPNGInvalidNewSize for a
  // text that measures 0 wide, EPNGInvalidSpec for a refused bit depth.
  TPNGFont(std::string_view text, LOGFONT record, bool sizeInPixels, std::int32_t size, int bitDepth);

  // The string drawn (8-bit text in the font's character set). Setting it
  // measures it and resizes the image to its extent.
  [[nodiscard]] const std::string& Text() const { return text_; }
  void SetText(std::string_view text);

  // The glyph colour is the canvas font colour; the passes read it when they run.
  [[nodiscard]] TColor FontColor() const { return Canvas().FontColor(); }
  void SetFontColor(TColor color) { Canvas().SetFontColor(color); }

  // Background colour; setting it also sets the canvas brush colour.
  [[nodiscard]] TColor BgColor() const { return bgColor_; }
  void SetBgColor(TColor color);

  [[nodiscard]] TColor EdgeColor() const { return edgeColor_; }
  void SetEdgeColor(TColor color) { edgeColor_ = color; }

  // Setting either opacity runs AlphaFilter at once.
  [[nodiscard]] std::uint8_t BgAlpha() const { return bgAlpha_; }
  void SetBgAlpha(std::uint8_t alpha);
  [[nodiscard]] std::uint8_t FontAlpha() const { return fontAlpha_; }
  void SetFontAlpha(std::uint8_t alpha);

  [[nodiscard]] std::int32_t TextX() const { return textX_; }
  void SetTextX(std::int32_t x) { textX_ = x; }
  [[nodiscard]] std::int32_t TextY() const { return textY_; }
  void SetTextY(std::int32_t y) { textY_ = y; }
  [[nodiscard]] bool Smoothing() const { return smoothing_; }
  void SetSmoothing(bool on) { smoothing_ = on; }
  [[nodiscard]] bool Mono() const { return mono_; }
  void SetMono(bool on) { mono_ = on; }
  // Rigidity in per cent; only the low 8 bits darken the shade ramp.
  [[nodiscard]] std::int32_t Correction() const { return correction_; }
  void SetCorrection(std::int32_t percent) { correction_ = percent; }

  // Draws Text in black on white, reduces the shades to grays and tints them
  // with the glyph colour (Tint); uninked pixels become BgColor. Alpha is
  // left as it is.
  void Render();
  // Render's gray pass: every pixel that is not exactly white becomes its gray.
  void GrayPass();
  // Maps every pixel onto `color`: white becomes BgColor, anything else
  // `color` when `mono`, else the screen blend of its darkened gray and `color`.
  void Tint(TColor color, bool mono);

  // Fills the alpha plane from the colours: BgColor gets BgAlpha, EdgeColor
  // keeps its alpha, other pixels get FontAlpha (scaled by darkness when
  // Smoothing is on).
  void AlphaFilter();

  // Outlines the glyph: background pixels within `edgeWidth` columns and rows
  // of a glyph pixel take `color` and `edgeAlpha`. The image is first widened
  // (and the glyph moved right) when the ink plus both outlines is wider than
  // it. Sets EdgeColor to `color` in any case.
  void DrawEdging(TColor color, std::uint8_t edgeAlpha, std::int32_t edgeWidth);
  // The columns holding a pixel other than BgColor; none for an image without ink.
  [[nodiscard]] std::optional<TInkExtent> MeasureInk();
  // Adds `left` columns at the left (moving the content right) and `right`
  // columns at the right (a negative amount drops columns), filled with the
  // canvas brush colour. Throws EPNGInvalidNewSize when the new width is not
  // a width an image can have.
  void Widen(std::int32_t left, std::int32_t right);
  // Moves the pixels of `source` to `destination` (same size), working from
  // the bottom-right corner; the source pixels become BgColor and keep their
  // alpha.
  void MoveRegion(const TRect& source, const TRect& destination);

  // Point size to pixels at the canvas's vertical resolution (12 -> 16 at 96 dpi).
  [[nodiscard]] std::int32_t PointsToPixels(std::int32_t points) const;
  // Hands a progress message (Windows-1251 text) to the log, if there is one.
  static void Log(std::string_view message);

 private:
  std::string text_;
  TColor bgColor_ = clBlack;
  TColor edgeColor_ = clBlack;
  std::uint8_t bgAlpha_ = 0;
  std::uint8_t fontAlpha_ = 255;
  std::int32_t textX_ = 0;
  std::int32_t textY_ = 0;
  bool smoothing_ = false;
  bool mono_ = false;
  std::int32_t correction_ = kDefaultCorrection;
};

}  // namespace glyphory
