#include "batch/glyph_pipeline.h"

#include "batch/name_format.h"

namespace glyphory {

namespace {

constexpr char kCodeFailurePrefix[] =
    "\xCE\xF8\xE8\xE1\xEA\xE0 \xE3\xE5\xED\xE5\xF0\xE0\xF6\xE8\xE8 \xF1\xE8\xEC\xE2\xEE\xEB\xE0 ";

void ApplyColoursAndOpacities(TPNGFont& glyph, const GlyphOptions& options) {
  glyph.SetFontColor(options.fontColor);
  glyph.SetBgColor(options.bgColor);
  glyph.SetFontAlpha(options.fontAlpha);
  glyph.SetBgAlpha(options.bgAlpha);
}

}  // namespace

EListIndexError::EListIndexError(int index)
    : std::runtime_error("List index out of bounds (" + std::to_string(index) + ")") {}

EEmptyCodeList::EEmptyCodeList() : std::runtime_error("The code list holds no codes to export.") {}

std::uint8_t FilterSet(int filterIndex) {
  switch (filterIndex) {
    case 0: return pfNone;
    case 1: return pfSub;
    case 2: return pfUp;
    case 3: return pfAverage;
    case 4: return pfPaeth;
    case 5: return pfAll;
    default: return pfNone;
  }
}

std::string PngFileName(const std::string& folder, std::int32_t code, std::int32_t offset) {
  const std::int64_t number = static_cast<std::int64_t>(code) + offset;
  return folder + "/" + std::to_string(number) + ".png";
}

std::string BmpFileName(const std::string& folder, std::int32_t number, std::string_view format) {
  return folder + "/" + FormatNumber(format, number) + ".bmp";
}

std::string CodeFailureMessage(std::int32_t code) {
  return std::string(kCodeFailurePrefix) + "\"" + static_cast<char>(code) + "\"!";
}

std::unique_ptr<TPNGFont> ConstructGlyph(const LOGFONT& record, const GlyphOptions& options,
                                         std::string_view text) {
  if (options.bitDepth < 0) {
    throw EListIndexError(options.bitDepth);
  }
  return std::make_unique<TPNGFont>(text, record, options.sizeInPixels, options.size, options.bitDepth);
}

void ComposePngGlyph(TPNGFont& glyph, const GlyphOptions& options) {
  ApplyColoursAndOpacities(glyph, options);
  glyph.SetSmoothing(options.smoothing);
  glyph.SetCorrection(options.correction);
  glyph.Render();
  glyph.DrawEdging(options.edgeColor, options.edgeAlpha, options.edgeWidth);
  glyph.AlphaFilter();
  glyph.SetRowFilters(FilterSet(options.filterIndex));
  glyph.SetDeflateLevel(options.deflateLevel);
}

void ComposeBmpGlyph(TPNGFont& glyph, const GlyphOptions& options) {
  glyph.SetFontColor(options.fontColor);
  glyph.Canvas().SetFontColor(clBlack);
  glyph.SetBgColor(clWhite);
  glyph.SetFontAlpha(255);
  glyph.SetBgAlpha(255);
  glyph.SetMono(true);
  glyph.Render();
  glyph.SetRowFilters(FilterSet(options.filterIndex));
  glyph.SetDeflateLevel(options.deflateLevel);
}

std::unique_ptr<TPNGFont> RenderPreview(const LOGFONT& record, const GlyphOptions& options, std::string_view text) {
  auto glyph = ConstructGlyph(record, options, text);
  try {
    ApplyColoursAndOpacities(*glyph, options);
    glyph->Render();
    glyph->DrawEdging(options.edgeColor, options.edgeAlpha, options.edgeWidth);
    glyph->AlphaFilter();
  } catch (const std::exception&) {
    return nullptr;  // the preview keeps its previous image, without a word
  }
  return glyph;
}

}  // namespace glyphory
