#include "settings/font_files.h"

#include <filesystem>

#include "glyph/font_registry.h"

namespace glyphory {
namespace {

// A path the file system can name: not empty and without NUL bytes.
bool NamesRegularFile(const std::string& path) {
  if (path.empty() || path.find('\0') != std::string::npos) {
    return false;
  }
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

}  // namespace

bool RegisterFontFile(const std::string& path) {
  if (!NamesRegularFile(path)) {
    return false;
  }
  FontRegistry& registry = FontRegistry::Instance();
  if (registry.AddFontFile(path) == 0) {
    return false;
  }
  registry.BroadcastFontChange();
  return true;
}

void UnregisterFontFile(const std::string& path) {
  FontRegistry& registry = FontRegistry::Instance();
  // Removing a path that was never added changes nothing; nothing to report.
  (void)registry.RemoveFontFile(path);
  registry.BroadcastFontChange();
}

std::string GetFontFileFaceName(const std::string& path) {
  if (!NamesRegularFile(path)) {
    return {};
  }
  return FontRegistry::Instance().QueryFaceName(path);
}

}  // namespace glyphory
