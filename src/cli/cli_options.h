// The command line of glyphory-cli: options over the settings file.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "batch/glyph_pipeline.h"
#include "settings/settings_keys.h"

namespace glyphory::cli {

// A usage error or a bad option value; the message names the option.
class EUsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class Action { Export, Preview, ListFonts, ListCharsets, Version, Help };

// What the command line asked for. Unset optionals fall back to the settings.
struct CliOptions {
  Action action = Action::Export;
  std::string settingsPath;
  ExportMode mode = ExportMode::Png;
  std::optional<std::string> codes;
  std::optional<std::string> outputFolder;
  std::optional<std::string> fontName;
  std::optional<std::string> fontFile;
  std::optional<int> size;
  std::optional<bool> sizeInPixels;
  std::optional<bool> bold;
  std::optional<bool> italic;
  std::optional<int> charsetRow;
  std::optional<TColor> fontColor;
  std::optional<TColor> bgColor;
  std::optional<TColor> edgeColor;
  std::optional<int> edgeWidth;
  std::optional<int> fontAlpha;
  std::optional<int> edgeAlpha;
  std::optional<int> bgAlpha;
  std::optional<bool> smoothing;
  std::optional<int> correction;
  std::optional<int> bitDepth;
  std::optional<int> filterIndex;
  std::optional<int> level;
  std::optional<int> offset;
  std::optional<bool> allChars;
  std::optional<std::string> charMapPath;
  std::optional<std::string> nameFormat;
  std::string previewPath;
  std::optional<std::string> previewText;
  int jobs = 0;  // 0: the number of cores
  bool quiet = false;
};

// Parses argv (without the program name). `programFolder` ends in "/".
// Throws EUsageError.
[[nodiscard]] CliOptions ParseCommandLine(const std::vector<std::string>& args, const std::string& programFolder);

[[nodiscard]] std::string UsageText();

}  // namespace glyphory::cli
