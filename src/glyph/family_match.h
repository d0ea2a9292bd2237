// Which installed family fontconfig draws for a family name, so a font list
// can show the face that will really be used when the wanted one is missing.
#pragma once

#include <string>
#include <string_view>

namespace glyphory {

// The family (UTF-8) of fontconfig's best scalable match for `family` (UTF-8);
// the name itself when it is installed, its substitute otherwise; empty when
// no font matches at all.
[[nodiscard]] std::string MatchedFamily(std::string_view family);

}  // namespace glyphory
