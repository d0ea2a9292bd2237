// INI text: reading values and names from the bytes of an INI file, and
// rewriting one key, as the profile-string functions do. The functions work on
// the text alone, so they are testable and fuzzable without files.
//
// Syntax: a line "[name]" opens a section; "key=value" lines belong to the
// section above them. Lines end at LF (a CR before it belongs to the line
// end). Section and key names are matched without regard to letter case
// (ASCII and the Windows-1251 Cyrillic letters). Lines before the first section,
// lines without "=", lines starting with ";" and lines with an empty key name
// carry no key. When a section or a key appears more than once, the first one
// counts for reading and writing. Bytes are kept as bytes, NUL included.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace glyphory {

// A value read is cut to this many characters.
inline constexpr std::size_t kMaxIniValueLength = 2047;

// Whether two names are equal without regard to letter case.
[[nodiscard]] bool SameIniName(std::string_view a, std::string_view b);

// The value of a key: the text after the first "=", without leading and
// trailing blanks, without a pair of enclosing double or single quotes, cut to
// kMaxIniValueLength. Nothing when the section or key is missing.
[[nodiscard]] std::optional<std::string> FindIniValue(std::string_view text, std::string_view section,
                                                      std::string_view key);

// Every section name in file order, each name once (in its first spelling).
[[nodiscard]] std::vector<std::string> IniSectionNames(std::string_view text);

// The key names of a section in file order, each once; empty when the
// section is missing.
[[nodiscard]] std::vector<std::string> IniKeyNames(std::string_view text, std::string_view section);

// The text with one key set: an existing key's line is replaced in place, a
// new key goes after the last non-blank line of its section, a new section
// goes to the end of the text. Every other byte stays as it was. New lines use
// the text's line end (CRLF when it has none). CR and LF inside the section,
// key or value become blanks, so a value can never add lines of its own.
[[nodiscard]] std::string SetIniValue(std::string_view text, std::string_view section,
                                      std::string_view key, std::string_view value);

}  // namespace glyphory
