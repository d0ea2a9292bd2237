#include "settings/file_replace.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "image/file_output.h"

namespace glyphory {

bool ReplaceFileContents(const std::string& path, std::string_view bytes) {
  try {
    WriteFileBytesReplacing(path, bytes);
    return true;
  } catch (const EWriteError&) {
    return false;
  }
}

std::optional<std::string> ReadFileContents(const std::string& path) {
  std::error_code error;
  if (path.empty() || !std::filesystem::exists(path, error)) {
    return std::string();
  }
  if (!std::filesystem::is_regular_file(path, error)) {
    return std::nullopt;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return std::nullopt;
  }
  try {
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
      return std::nullopt;
    }
    return bytes;
  } catch (const std::ios_base::failure&) {
    return std::nullopt;  // a read error in the middle of the file
  }
}

}  // namespace glyphory
