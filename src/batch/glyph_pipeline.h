// The steps that turn one code (or the preview sample) into a finished image:
// construction, the options in their binding order, the passes, and the file
// name and bytes of the result. The window and the command line share them.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "batch/run_host.h"
#include "glyph/logfont.h"
#include "glyph/png_font.h"

namespace glyphory {

enum class ExportMode { Png, Bmp };

// No bit depth is selected (a stored index below 0).
class EListIndexError : public std::runtime_error {
 public:
  explicit EListIndexError(int index);
};

// The code list expanded to nothing: there is no progress range to run over.
class EEmptyCodeList : public std::runtime_error {
 public:
  EEmptyCodeList();
};

// Row filter set of a filter list index: None 1, Sub 2, Up 4, Average 8,
// Paeth 16, All 30; any other index 1.
[[nodiscard]] std::uint8_t FilterSet(int filterIndex);

// Folder + "/" + decimal(code + offset) + ".png".
[[nodiscard]] std::string PngFileName(const std::string& folder, std::int32_t code, std::int32_t offset);
// Folder + "/" + number formatted with `format` + ".bmp"; throws ENameFormatError.
[[nodiscard]] std::string BmpFileName(const std::string& folder, std::int32_t number, std::string_view format);

// "Ошибка генерации символа "<c>"!" in Windows-1251, for the character `code`.
[[nodiscard]] std::string CodeFailureMessage(std::int32_t code);

// A glyph image of `text` at the options' size and bit depth. Throws what
// construction throws (an empty text, an unknown depth, EListIndexError).
[[nodiscard]] std::unique_ptr<TPNGFont> ConstructGlyph(const LOGFONT& record, const GlyphOptions& options,
                                                       std::string_view text);

// PNG export: colours, opacities, smoothing, rigidity, Render, DrawEdging,
// AlphaFilter, then filter set and deflate level.
void ComposePngGlyph(TPNGFont& glyph, const GlyphOptions& options);
// BMP export: a flat black glyph on opaque white.
void ComposeBmpGlyph(TPNGFont& glyph, const GlyphOptions& options);

// The preview: the PNG steps without smoothing and rigidity and without
// writer settings. Construction failures are thrown; a failure in the passes
// gives nullptr (the caller keeps its previous image).
[[nodiscard]] std::unique_ptr<TPNGFont> RenderPreview(const LOGFONT& record, const GlyphOptions& options,
                                                      std::string_view text);

}  // namespace glyphory
