// Font files that are not installed, registered with the text service's font
// table for the time of use. Every change of the table is broadcast, so font
// lists can refresh themselves.
#pragma once

#include <string>

namespace glyphory {

// Registers the fonts of a file; true when at least one font was added. A path
// that names no regular file, or a file without a usable font, gives false.
[[nodiscard]] bool RegisterFontFile(const std::string& path);

// Removes one registration made by RegisterFontFile; a failed removal is
// ignored. The change is broadcast either way.
void UnregisterFontFile(const std::string& path);

// The face name (full name) of the font in a file, in Windows-1251; empty when
// the file holds no usable font. Registers nothing and broadcasts nothing.
[[nodiscard]] std::string GetFontFileFaceName(const std::string& path);

}  // namespace glyphory
