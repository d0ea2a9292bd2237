// Helpers shared by the test suites: scratch folders and the test fonts.
#pragma once

#include <filesystem>
#include <string>

namespace glyphory::test {

// A fresh folder under the system's temporary folder, removed with the object.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  [[nodiscard]] const std::filesystem::path& Path() const { return path_; }
  [[nodiscard]] std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// Path of a font file of the DejaVu family, e.g. "DejaVuSans.ttf".
std::string TestFontPath(const std::string& fileName = "DejaVuSans.ttf");

// The whole content of a file (empty when it cannot be read).
std::string ReadFileBytes(const std::string& path);
// Writes bytes to a file, replacing it.
void WriteFileBytes(const std::string& path, const std::string& bytes);

}  // namespace glyphory::test
