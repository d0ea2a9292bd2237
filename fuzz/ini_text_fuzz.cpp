// INI text from arbitrary bytes: every reader copes with it, and rewriting
// one key changes only that key's line (or adds the key and, when missing,
// its section), keeping every other line byte for byte.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "settings/ini_text.h"

namespace {

void Check(bool condition) {
  if (!condition) {
    std::abort();
  }
}

// Lines without their LF; a final line without LF is marked.
struct Lines {
  std::vector<std::string_view> items;
  bool lastUnterminated = false;
};

Lines SplitAtLf(std::string_view text) {
  Lines lines;
  std::size_t begin = 0;
  while (begin < text.size()) {
    const std::size_t lf = text.find('\n', begin);
    if (lf == std::string_view::npos) {
      lines.items.push_back(text.substr(begin));
      lines.lastUnterminated = true;
      break;
    }
    lines.items.push_back(text.substr(begin, lf - begin));
    begin = lf + 1;
  }
  return lines;
}

// Whether a line of the result is the original line: equal, or the old last
// line that got the line end (CR LF) it lacked so that a line could follow.
bool SameLine(const Lines& before, std::size_t i, std::string_view after) {
  const std::string_view line = before.items[i];
  if (after == line) {
    return true;
  }
  const bool lastLine = before.lastUnterminated && i + 1 == before.items.size();
  return lastLine && after.size() == line.size() + 1 && after.back() == '\r' && after.substr(0, line.size()) == line;
}

// Every line outside one changed block is kept: at most `removed` old lines
// are gone and at most `added` new ones appear, all in one place.
void CheckOtherLinesKept(std::string_view text, std::string_view result, std::size_t removed, std::size_t added) {
  const Lines before = SplitAtLf(text);
  const Lines after = SplitAtLf(result);
  const std::size_t n = before.items.size();
  const std::size_t m = after.items.size();
  std::size_t prefix = 0;
  while (prefix < n && prefix < m && SameLine(before, prefix, after.items[prefix])) {
    ++prefix;
  }
  std::size_t suffix = 0;
  while (suffix < n - prefix && suffix < m - prefix &&
         SameLine(before, n - 1 - suffix, after.items[m - 1 - suffix])) {
    ++suffix;
  }
  Check(n - prefix - suffix <= removed);
  Check(m - prefix - suffix <= added);
}

std::string SingleLine(std::string_view text) {
  std::string line(text);
  for (char& c : line) {
    if (c == '\r' || c == '\n') {
      c = ' ';
    }
  }
  return line;
}

bool HasSection(std::string_view text, std::string_view section) {
  for (const std::string& name : glyphory::IniSectionNames(text)) {
    if (glyphory::SameIniName(name, section)) {
      return true;
    }
  }
  return false;
}

bool IsPlainName(std::string_view text) {
  if (text.empty()) {
    return false;
  }
  for (const char c : text) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    if (!plain) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string section = input.ConsumeRandomLengthString(64);
  const std::string key = input.ConsumeRandomLengthString(64);
  const std::string value = input.ConsumeRandomLengthString(256);
  const std::string text = input.ConsumeRemainingBytesAsString();

  for (const std::string& name : glyphory::IniSectionNames(text)) {
    (void)glyphory::IniKeyNames(text, name);
  }
  const auto old = glyphory::FindIniValue(text, section, key);
  if (old) {
    Check(old->size() <= glyphory::kMaxIniValueLength);
  }

  const std::string result = glyphory::SetIniValue(text, section, key, value);
  // The rewrite looks names up with CR and LF turned into blanks.
  const std::string cleanSection = SingleLine(section);
  const std::string cleanKey = SingleLine(key);
  if (glyphory::FindIniValue(text, cleanSection, cleanKey)) {
    CheckOtherLinesKept(text, result, 1, 1);  // the key's line replaced
  } else if (HasSection(text, cleanSection)) {
    CheckOtherLinesKept(text, result, 0, 1);  // the key's line added
  } else {
    CheckOtherLinesKept(text, result, 0, 2);  // section header and key added
  }

  if (IsPlainName(section) && IsPlainName(key) && (value.empty() || IsPlainName(value))) {
    Check(glyphory::FindIniValue(result, section, key) == value);
  }
  return 0;
}
