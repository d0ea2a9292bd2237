// The character map of the BMP export ("charsmod.ini"): which code-list entries
// are written and under which number. Sections are "COMMON" and the charset
// names; keys are entry texts as typed, compared without regard to case.
#pragma once

#include <cstdint>
#include <string>

#include "settings/ini_store.h"

namespace glyphory {

constexpr char kCommonSection[] = "COMMON";

// Whether the entry is listed under the charset's section or under "COMMON".
[[nodiscard]] bool CharMapSelects(const TIniStore& map, const std::string& charset, const std::string& entry);

// The entry's number: the charset section's value when the key is there,
// else the "COMMON" value; a value that is not integer text gives the code.
[[nodiscard]] std::int32_t CharMapNumber(const TIniStore& map, const std::string& charset, const std::string& entry,
                                         std::int32_t code);

}  // namespace glyphory
