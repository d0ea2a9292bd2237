// Single-byte text in a font's character set: which code page a character set
// uses, and how each byte of it decodes to a Unicode code point.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace glyphory {

// The byte decodes to nothing on its own (a lead byte, or unassigned).
constexpr char32_t kUndecodable = 0xFFFFFFFF;

// iconv name of the code page a character set's text is read in. The default
// and unknown character sets read as the system code page, Windows-1251.
// Returns an empty string for SYMBOL_CHARSET, whose bytes are not translated.
[[nodiscard]] std::string CodePageName(std::uint8_t charset);

// Code point of every byte read alone in `codePage` (an iconv name);
// kUndecodable where the byte does not decode alone. Throws std::runtime_error
// when the code page is unknown.
[[nodiscard]] std::array<char32_t, 256> DecodeTable(const std::string& codePage);

// Conversions between the program's 8-bit text (Windows-1251) and UTF-8, for
// the places where text leaves the core. Characters that have no Windows-1251
// byte become '?'; invalid UTF-8 sequences become '?' too.
[[nodiscard]] std::string Cp1251ToUtf8(std::string_view text);
[[nodiscard]] std::string Utf8ToCp1251(std::string_view text);

// Whether the bytes are well-formed UTF-8.
[[nodiscard]] bool IsValidUtf8(std::string_view text);

// An error message for display in UTF-8. The program's own texts are
// Windows-1251, but messages that name a file carry the path as the file
// system has it (UTF-8): well-formed UTF-8 is taken as it is, anything else
// is read as Windows-1251.
[[nodiscard]] std::string MessageToUtf8(std::string_view text);

}  // namespace glyphory
