#include "settings/ini_text.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace glyphory {
namespace {

enum class LineKind { kOther, kSection, kKey };

// One line of the text. `content` excludes the line end; `next` is the offset
// of the following line.
struct IniLine {
  std::string_view content;
  std::size_t begin = 0;
  std::size_t next = 0;
  LineKind kind = LineKind::kOther;
  std::string_view name;   // section or key name, trimmed
  std::string_view value;  // raw text after the first "=" of a key line
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && IsBlank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

// Lower-case fold for ASCII and the Windows-1251 Cyrillic letters.
std::array<unsigned char, 256> MakeFoldTable() {
  std::array<unsigned char, 256> fold{};
  for (int c = 0; c < 256; ++c) {
    fold[c] = static_cast<unsigned char>(c);
  }
  for (int c = 'A'; c <= 'Z'; ++c) {
    fold[c] = static_cast<unsigned char>(c + 32);
  }
  for (int c = 0xC0; c <= 0xDF; ++c) {  // А..Я
    fold[c] = static_cast<unsigned char>(c + 32);
  }
  // Capital letters outside the main block and their small letters.
  constexpr std::array<std::pair<unsigned char, unsigned char>, 15> kPairs = {{
      {0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D},
      {0x8E, 0x9E}, {0x8F, 0x9F}, {0xA1, 0xA2}, {0xA3, 0xBC}, {0xA5, 0xB4},
      {0xA8, 0xB8}, {0xAA, 0xBA}, {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE},
  }};
  for (const auto& [upper, lower] : kPairs) {
    fold[upper] = lower;
  }
  return fold;
}

unsigned char Fold(char c) {
  static const std::array<unsigned char, 256> kFold = MakeFoldTable();
  return kFold[static_cast<unsigned char>(c)];
}

void Classify(IniLine& line) {
  const std::string_view trimmed = Trim(line.content);
  if (!trimmed.empty() && trimmed.front() == '[') {
    const std::size_t close = trimmed.find(']');
    if (close != std::string_view::npos) {
      line.kind = LineKind::kSection;
      line.name = Trim(trimmed.substr(1, close - 1));
      return;
    }
  }
  if (trimmed.empty() || trimmed.front() == ';') {
    return;
  }
  const std::size_t equals = line.content.find('=');
  if (equals == std::string_view::npos) {
    return;
  }
  const std::string_view name = Trim(line.content.substr(0, equals));
  if (name.empty()) {
    return;
  }
  line.kind = LineKind::kKey;
  line.name = name;
  line.value = line.content.substr(equals + 1);
}

std::vector<IniLine> SplitLines(std::string_view text) {
  std::vector<IniLine> lines;
  std::size_t begin = 0;
  while (begin < text.size()) {
    const std::size_t lf = text.find('\n', begin);
    IniLine line;
    line.begin = begin;
    if (lf == std::string_view::npos) {
      line.content = text.substr(begin);
      line.next = text.size();
    } else {
      std::size_t end = lf;
      if (end > begin && text[end - 1] == '\r') {
        --end;
      }
      line.content = text.substr(begin, end - begin);
      line.next = lf + 1;
    }
    Classify(line);
    lines.push_back(line);
    begin = line.next;
  }
  return lines;
}

// Index range [first, last) of the lines of the first section of that name,
// header included; nothing when the section is missing.
struct SectionSpan {
  std::size_t header = 0;
  std::size_t end = 0;
};

std::optional<SectionSpan> FindSection(const std::vector<IniLine>& lines, std::string_view section) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].kind == LineKind::kSection && SameIniName(lines[i].name, section)) {
      std::size_t end = i + 1;
      while (end < lines.size() && lines[end].kind != LineKind::kSection) {
        ++end;
      }
      return SectionSpan{i, end};
    }
  }
  return std::nullopt;
}

std::optional<std::size_t> FindKey(const std::vector<IniLine>& lines, const SectionSpan& span,
                                   std::string_view key) {
  for (std::size_t i = span.header + 1; i < span.end; ++i) {
    if (lines[i].kind == LineKind::kKey && SameIniName(lines[i].name, key)) {
      return i;
    }
  }
  return std::nullopt;
}

std::string Unquote(std::string_view value) {
  if (value.size() >= 2 && value.front() == value.back() && (value.front() == '"' || value.front() == '\'')) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value.substr(0, kMaxIniValueLength));
}

// The line end new lines get: the text's first one, CRLF when it has none.
std::string_view LineEndOf(std::string_view text) {
  const std::size_t lf = text.find('\n');
  if (lf == std::string_view::npos || (lf > 0 && text[lf - 1] == '\r')) {
    return "\r\n";
  }
  return "\n";
}

std::string SingleLine(std::string_view text) {
  std::string line(text);
  std::replace(line.begin(), line.end(), '\r', ' ');
  std::replace(line.begin(), line.end(), '\n', ' ');
  return line;
}

void AddUnique(std::vector<std::string>& names, std::string_view name) {
  const bool seen = std::any_of(names.begin(), names.end(),
                                [&](const std::string& known) { return SameIniName(known, name); });
  if (!seen) {
    names.emplace_back(name);
  }
}

}  // namespace

bool SameIniName(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Fold(x) == Fold(y); });
}

std::optional<std::string> FindIniValue(std::string_view text, std::string_view section, std::string_view key) {
  const auto lines = SplitLines(text);
  const auto span = FindSection(lines, section);
  if (!span) {
    return std::nullopt;
  }
  const auto index = FindKey(lines, *span, key);
  if (!index) {
    return std::nullopt;
  }
  return Unquote(Trim(lines[*index].value));
}

std::vector<std::string> IniSectionNames(std::string_view text) {
  std::vector<std::string> names;
  for (const IniLine& line : SplitLines(text)) {
    if (line.kind == LineKind::kSection) {
      AddUnique(names, line.name);
    }
  }
  return names;
}

std::vector<std::string> IniKeyNames(std::string_view text, std::string_view section) {
  std::vector<std::string> names;
  const auto lines = SplitLines(text);
  const auto span = FindSection(lines, section);
  if (!span) {
    return names;
  }
  for (std::size_t i = span->header + 1; i < span->end; ++i) {
    if (lines[i].kind == LineKind::kKey) {
      AddUnique(names, lines[i].name);
    }
  }
  return names;
}

std::string SetIniValue(std::string_view text, std::string_view section, std::string_view key,
                        std::string_view value) {
  const std::string_view eol = LineEndOf(text);
  const std::string cleanSection = SingleLine(section);
  const std::string cleanKey = SingleLine(key);
  const std::string cleanValue = SingleLine(value);
  const auto lines = SplitLines(text);
  const auto span = FindSection(lines, cleanSection);
  std::string result(text);
  if (!span) {
    if (!result.empty() && result.back() != '\n') {
      result.append(eol);
    }
    result.append("[").append(cleanSection).append("]").append(eol);
    result.append(cleanKey).append("=").append(cleanValue).append(eol);
    return result;
  }
  if (const auto index = FindKey(lines, *span, cleanKey)) {
    // The key keeps the spelling it has in the file.
    const IniLine& line = lines[*index];
    const std::string replacement = std::string(line.name) + "=" + cleanValue;
    result.replace(line.begin, line.content.size(), replacement);
    return result;
  }
  std::size_t last = span->header;
  for (std::size_t i = span->header + 1; i < span->end; ++i) {
    if (!Trim(lines[i].content).empty()) {
      last = i;
    }
  }
  const IniLine& after = lines[last];
  const std::string newLine = cleanKey + "=" + cleanValue;
  if (after.next == after.begin + after.content.size()) {
    // The last line of the text has no line end: give it one first.
    result.insert(after.next, std::string(eol) + newLine);
  } else {
    result.insert(after.next, newLine + std::string(eol));
  }
  return result;
}

}  // namespace glyphory
