// Colour text: how a colour is stored in an INI file. A colour listed in the
// colour-name table is written as its identifier (the first one whose value
// matches); any other colour as "$" and eight uppercase hexadecimal digits.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "glyph/platform.h"

namespace glyphory {

// The identifier of a colour in the colour-name table, or nothing.
[[nodiscard]] std::optional<std::string> ColorToIdent(TColor color);
// The colour of an identifier (letter case ignored), or nothing.
[[nodiscard]] std::optional<TColor> IdentToColor(std::string_view ident);

// The stored text of a colour: its identifier, else "$" + 8 hex digits.
[[nodiscard]] std::string ColorToString(TColor color);
// The colour of a stored text: an identifier, else integer text (as a 32-bit
// pattern). Throws EConvertError with the text when it is neither.
[[nodiscard]] TColor StringToColor(std::string_view text);

}  // namespace glyphory
