#include "settings/ini_store.h"

#include "batch/int_text.h"
#include "settings/color_text.h"
#include "settings/file_replace.h"
#include "settings/ini_text.h"

namespace glyphory {

std::string IniPathFor(const std::string& executablePath) {
  const std::size_t slash = executablePath.rfind('/');
  const std::size_t dot = executablePath.rfind('.');
  const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  return (hasExtension ? executablePath.substr(0, dot) : executablePath) + ".ini";
}

std::string TIniStore::LoadText() const { return ReadFileContents(path_).value_or(std::string()); }

std::string TIniStore::ReadString(std::string_view section, std::string_view key,
                                  std::string_view defaultValue) const {
  auto value = FindIniValue(LoadText(), section, key);
  return value ? std::move(*value) : std::string(defaultValue);
}

std::int32_t TIniStore::ReadInteger(std::string_view section, std::string_view key,
                                    std::int32_t defaultValue) const {
  std::string text = ReadString(section, key, "");
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.replace(0, 2, "$");
  }
  return TryStrToInt(text).value_or(defaultValue);
}

bool TIniStore::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

TColor TIniStore::ReadColor(std::string_view section, std::string_view key, TColor defaultValue) const {
  return StringToColor(ReadString(section, key, ColorToString(defaultValue)));
}

void TIniStore::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  // A file that exists but cannot be read must not be replaced by one that
  // holds only this key.
  const auto text = ReadFileContents(path_);
  if (!text || !ReplaceFileContents(path_, SetIniValue(*text, section, key, value))) {
    throw EIniFileError(path_);
  }
}

void TIniStore::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
  WriteString(section, key, IntToStr(value));
}

void TIniStore::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void TIniStore::WriteColor(std::string_view section, std::string_view key, TColor value) {
  WriteString(section, key, ColorToString(value));
}

std::vector<std::string> TIniStore::ReadSections() const { return IniSectionNames(LoadText()); }

std::vector<std::string> TIniStore::ReadSectionKeys(std::string_view section) const {
  return IniKeyNames(LoadText(), section);
}

bool TIniStore::ValueExists(std::string_view section, std::string_view key) const {
  for (const std::string& name : ReadSectionKeys(section)) {
    if (SameIniName(name, key)) {
      return true;
    }
  }
  return false;
}

}  // namespace glyphory
