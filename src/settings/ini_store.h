// The INI store: one INI file read and written key by key. Nothing is cached:
// every read and every write is a separate access to the file, so a change made
// by hand takes effect at the next read. Every write replaces the file
// atomically and keeps all lines it does not touch byte for byte.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "glyph/platform.h"

namespace glyphory {

// A write the file system refused: "Unable to write to <path>".
class EIniFileError : public std::runtime_error {
 public:
  explicit EIniFileError(const std::string& path) : std::runtime_error("Unable to write to " + path) {}
};

// The settings file of an executable: its path with the extension (from the
// last "." after the last "/") replaced by ".ini", or ".ini" appended.
[[nodiscard]] std::string IniPathFor(const std::string& executablePath);

class TIniStore {
 public:
  TIniStore() = default;
  explicit TIniStore(std::string path) : path_(std::move(path)) {}

  [[nodiscard]] const std::string& Path() const { return path_; }
  void SetPath(std::string path) { path_ = std::move(path); }

  // Missing file, section or key: the default. A key that is present with an
  // empty value reads as the empty text.
  [[nodiscard]] std::string ReadString(std::string_view section, std::string_view key,
                                       std::string_view defaultValue) const;
  // Value that is not integer text (empty or missing included): the default.
  [[nodiscard]] std::int32_t ReadInteger(std::string_view section, std::string_view key,
                                         std::int32_t defaultValue) const;
  // True exactly when the integer read is not 0.
  [[nodiscard]] bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;
  // A colour identifier or integer text; throws EConvertError with the stored
  // text when it is neither. A missing key gives the default.
  [[nodiscard]] TColor ReadColor(std::string_view section, std::string_view key, TColor defaultValue) const;

  // Each write throws EIniFileError when the file cannot be written.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
  void WriteBool(std::string_view section, std::string_view key, bool value);
  void WriteColor(std::string_view section, std::string_view key, TColor value);

  // Every section name of the file in file order; empty without a file.
  [[nodiscard]] std::vector<std::string> ReadSections() const;
  // The key names of a section in file order.
  [[nodiscard]] std::vector<std::string> ReadSectionKeys(std::string_view section) const;
  // Whether the section holds a key of that name (compared as text, letter
  // case ignored: "065" is not "65").
  [[nodiscard]] bool ValueExists(std::string_view section, std::string_view key) const;

 private:
  // The file's text; empty when the file is missing or unreadable.
  [[nodiscard]] std::string LoadText() const;

  std::string path_;
};

}  // namespace glyphory
