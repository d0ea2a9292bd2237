#include "glyph/family_match.h"

#include "glyph/freetype_handles.h"

namespace glyphory {

std::string MatchedFamily(std::string_view family) {
  FcPatternPtr pattern(FcPatternCreate());
  if (!pattern) {
    return {};
  }
  const std::string name(family);
  if (!name.empty()) {
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
  }
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  FcPatternPtr match(FcFontMatch(nullptr, pattern.get(), &result));
  if (!match) {
    return {};
  }
  FcChar8* matched = nullptr;
  if (FcPatternGetString(match.get(), FC_FAMILY, 0, &matched) != FcResultMatch || matched == nullptr) {
    return {};
  }
  return reinterpret_cast<const char*>(matched);
}

}  // namespace glyphory
