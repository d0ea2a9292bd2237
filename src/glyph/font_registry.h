// The process's font table: font files added for the time of use (a count per
// path, as the desktop keeps it), the installed fonts as fontconfig knows them,
// and the choice of one face for a logical-font record.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "glyph/logfont.h"

namespace glyphory {

// Where a face comes from, and what style the rasteriser has to make up.
struct FontSource {
  std::string path;                          // the font file
  std::shared_ptr<const std::string> bytes;  // its content, shared between fonts
  long faceIndex = 0;
  bool syntheticBold = false;
  bool syntheticItalic = false;
};

class FontRegistry {
 public:
  // The one font table of the process (it stands in for the desktop's own).
  static FontRegistry& Instance();

  FontRegistry(const FontRegistry&) = delete;
  FontRegistry& operator=(const FontRegistry&) = delete;

  // Adds the faces of a font file; returns how many were added, 0 when the
  // file cannot be read or holds no scalable face. Adding a path again counts
  // it again.
  int AddFontFile(const std::string& path);
  // Withdraws one count of the path; false when it was not added.
  bool RemoveFontFile(const std::string& path);
  // Whether the path is currently added.
  [[nodiscard]] bool IsAdded(const std::string& path) const;

  // Full name (name ID 4) of the first face in a font file, as Windows-1251
  // text; empty when the file is not a font.
  [[nodiscard]] std::string QueryFaceName(const std::string& path) const;

  // Tells every listener that the set of fonts changed.
  void BroadcastFontChange();
  using Listener = std::function<void()>;
  int AddListener(Listener listener);
  void RemoveListener(int id);

  // The face a logical-font record draws with: an added font file whose family
  // or full name is the record's face name, else fontconfig's best match (its
  // substitute when the face is not installed). Throws std::runtime_error when
  // no usable face exists at all.
  [[nodiscard]] FontSource Resolve(const LOGFONT& record);

  // The family (UTF-8) fontconfig draws for `family` (UTF-8): the name itself
  // when it is installed, its substitute otherwise; empty when nothing matches.
  // A font list shows it so that the face really drawn is the one selected.
  [[nodiscard]] std::string MatchedFamily(const std::string& family) const;

  // Families of the installed scalable TrueType/OpenType fonts, sorted.
  [[nodiscard]] std::vector<std::string> InstalledFamilies() const;

 private:
  FontRegistry() = default;

  struct AddedFace {
    std::string path;
    long index = 0;
    std::string familyName;  // lower case
    std::string fullName;    // lower case
    bool bold = false;
    bool italic = false;
  };
  struct AddedFile {
    int count = 0;
    std::vector<AddedFace> faces;
  };

  std::shared_ptr<const std::string> FileBytes(const std::string& path);
  bool FindAdded(const std::string& faceName, bool bold, bool italic, FontSource& source);
  FontSource MatchInstalled(const LOGFONT& record);

  mutable std::mutex mutex_;
  std::map<std::string, AddedFile> added_;
  std::map<std::string, std::shared_ptr<const std::string>> fileCache_;
  std::map<std::string, FontSource> matchCache_;
  std::map<int, Listener> listeners_;
  int nextListenerId_ = 1;
};

}  // namespace glyphory
