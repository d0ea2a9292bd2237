#include "glyph/font_registry.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <set>
#include <stdexcept>

#include "glyph/code_page.h"
#include "glyph/freetype_handles.h"

#include FT_SFNT_NAMES_H
#include FT_TRUETYPE_IDS_H

namespace glyphory {

namespace {

// Font files larger than this are not read (no real font comes near it).
constexpr long kMaxFontFileBytes = 256L * 1024 * 1024;
constexpr FT_UShort kFullNameId = 4;

std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// The whole file, or nullptr when it cannot be read.
std::shared_ptr<const std::string> ReadWholeFile(const std::string& path) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file || std::fseek(file.get(), 0, SEEK_END) != 0) {
    return nullptr;
  }
  const long size = std::ftell(file.get());
  if (size <= 0 || size > kMaxFontFileBytes || std::fseek(file.get(), 0, SEEK_SET) != 0) {
    return nullptr;
  }
  auto bytes = std::make_shared<std::string>(static_cast<std::size_t>(size), '\0');
  if (std::fread(bytes->data(), 1, bytes->size(), file.get()) != bytes->size()) {
    return nullptr;
  }
  return bytes;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// UTF-16BE name bytes (unpaired surrogates dropped) as UTF-8.
std::string Utf16BeToUtf8(const FT_Byte* data, FT_UInt length) {
  std::string out;
  for (FT_UInt i = 0; i + 1 < length; i += 2) {
    char32_t unit = (static_cast<char32_t>(data[i]) << 8) | data[i + 1];
    if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < length) {
      const char32_t low = (static_cast<char32_t>(data[i + 2]) << 8) | data[i + 3];
      if (low >= 0xDC00 && low < 0xE000) {
        AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        i += 2;
      }
      continue;
    }
    if (unit >= 0xD800 && unit < 0xE000) {
      continue;
    }
    AppendUtf8(out, unit);
  }
  return out;
}

// Full name of a face as Windows-1251 text: the Microsoft Unicode record of
// name ID 4 (US English first), else a Macintosh Roman one, else the family.
std::string FullNameOf(FT_Face face) {
  const FT_UInt count = FT_Get_Sfnt_Name_Count(face);
  std::string unicodeName;
  std::string romanName;
  for (FT_UInt i = 0; i < count; ++i) {
    FT_SfntName name;
    if (FT_Get_Sfnt_Name(face, i, &name) != 0 || name.name_id != kFullNameId) {
      continue;
    }
    if (name.platform_id == TT_PLATFORM_MICROSOFT &&
        (name.encoding_id == TT_MS_ID_UNICODE_CS || name.encoding_id == TT_MS_ID_SYMBOL_CS)) {
      if (unicodeName.empty() || name.language_id == TT_MS_LANGID_ENGLISH_UNITED_STATES) {
        unicodeName = Utf16BeToUtf8(name.string, name.string_len);
      }
    } else if (name.platform_id == TT_PLATFORM_MACINTOSH && name.encoding_id == TT_MAC_ID_ROMAN &&
               romanName.empty()) {
      romanName.assign(reinterpret_cast<const char*>(name.string), name.string_len);
    }
  }
  if (!unicodeName.empty()) {
    return Utf8ToCp1251(unicodeName);
  }
  if (!romanName.empty()) {
    return romanName;
  }
  return face->family_name != nullptr ? std::string(face->family_name) : std::string();
}

bool IsUsableFace(FT_Face face) { return FT_IS_SCALABLE(face); }

std::string PatternString(FcPattern* pattern, const char* object) {
  FcChar8* value = nullptr;
  if (FcPatternGetString(pattern, object, 0, &value) != FcResultMatch || value == nullptr) {
    return {};
  }
  return reinterpret_cast<const char*>(value);
}

int PatternInt(FcPattern* pattern, const char* object, int fallback) {
  int value = fallback;
  FcPatternGetInteger(pattern, object, 0, &value);
  return value;
}

// fontconfig's best scalable match for a family (UTF-8; empty asks for the
// default face) in a style: the family itself when installed, else the
// substitute fontconfig's configuration names. Null when nothing matches.
FcPatternPtr MatchScalable(const std::string& family, bool bold, bool italic) {
  FcPatternPtr pattern(FcPatternCreate());
  if (!pattern) {
    return nullptr;
  }
  if (!family.empty()) {
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  }
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  return FcPatternPtr(FcFontMatch(nullptr, pattern.get(), &result));
}

}  // namespace

FontRegistry& FontRegistry::Instance() {
  static FontRegistry registry;
  return registry;
}

std::shared_ptr<const std::string> FontRegistry::FileBytes(const std::string& path) {
  const auto cached = fileCache_.find(path);
  if (cached != fileCache_.end()) {
    return cached->second;
  }
  auto bytes = ReadWholeFile(path);
  if (bytes) {
    fileCache_[path] = bytes;
  }
  return bytes;
}

int FontRegistry::AddFontFile(const std::string& path) {
  std::lock_guard lock(mutex_);
  auto existing = added_.find(path);
  if (existing != added_.end()) {
    ++existing->second.count;
    return static_cast<int>(existing->second.faces.size());
  }
  fileCache_.erase(path);  // the file may have changed since it was last read
  const auto bytes = FileBytes(path);
  if (!bytes) {
    return 0;
  }
  const FtLibraryPtr library = NewFtLibrary();
  AddedFile file;
  FT_Long faceCount = 1;
  for (FT_Long index = 0; index < faceCount; ++index) {
    const FtFacePtr face = OpenFtFace(library.get(), *bytes, index);
    if (!face) {
      break;
    }
    faceCount = face->num_faces;
    if (!IsUsableFace(face.get())) {
      continue;
    }
    AddedFace added;
    added.path = path;
    added.index = index;
    added.familyName = LowerAscii(face->family_name != nullptr ? face->family_name : "");
    added.fullName = LowerAscii(FullNameOf(face.get()));
    added.bold = (face->style_flags & FT_STYLE_FLAG_BOLD) != 0;
    added.italic = (face->style_flags & FT_STYLE_FLAG_ITALIC) != 0;
    file.faces.push_back(std::move(added));
  }
  if (file.faces.empty()) {
    fileCache_.erase(path);
    return 0;
  }
  file.count = 1;
  const int faces = static_cast<int>(file.faces.size());
  added_[path] = std::move(file);
  matchCache_.clear();
  return faces;
}

bool FontRegistry::RemoveFontFile(const std::string& path) {
  std::lock_guard lock(mutex_);
  auto existing = added_.find(path);
  if (existing == added_.end()) {
    return false;
  }
  if (--existing->second.count == 0) {
    added_.erase(existing);
    fileCache_.erase(path);
    matchCache_.clear();
  }
  return true;
}

bool FontRegistry::IsAdded(const std::string& path) const {
  std::lock_guard lock(mutex_);
  return added_.count(path) != 0;
}

std::string FontRegistry::QueryFaceName(const std::string& path) const {
  const auto bytes = ReadWholeFile(path);
  if (!bytes) {
    return {};
  }
  const FtLibraryPtr library = NewFtLibrary();
  const FtFacePtr face = OpenFtFace(library.get(), *bytes, 0);
  if (!face || !IsUsableFace(face.get())) {
    return {};
  }
  return FullNameOf(face.get());
}

void FontRegistry::BroadcastFontChange() {
  std::vector<Listener> listeners;
  {
    std::lock_guard lock(mutex_);
    for (const auto& [id, listener] : listeners_) {
      listeners.push_back(listener);
    }
  }
  for (const auto& listener : listeners) {
    listener();
  }
}

int FontRegistry::AddListener(Listener listener) {
  std::lock_guard lock(mutex_);
  const int id = nextListenerId_++;
  listeners_[id] = std::move(listener);
  return id;
}

void FontRegistry::RemoveListener(int id) {
  std::lock_guard lock(mutex_);
  listeners_.erase(id);
}

bool FontRegistry::FindAdded(const std::string& faceName, bool bold, bool italic, FontSource& source) {
  const AddedFace* best = nullptr;
  int bestScore = -1;
  for (const auto& [path, file] : added_) {
    for (const auto& face : file.faces) {
      if (face.familyName != faceName && face.fullName != faceName) {
        continue;
      }
      const int score = (face.bold == bold ? 2 : 0) + (face.italic == italic ? 1 : 0);
      if (score > bestScore) {
        best = &face;
        bestScore = score;
      }
    }
  }
  if (best == nullptr) {
    return false;
  }
  source.path = best->path;
  source.bytes = FileBytes(best->path);
  source.faceIndex = best->index;
  source.syntheticBold = bold && !best->bold;
  source.syntheticItalic = italic && !best->italic;
  return source.bytes != nullptr;
}

FontSource FontRegistry::MatchInstalled(const LOGFONT& record) {
  const bool bold = record.lfWeight >= FW_SEMIBOLD;
  const bool italic = record.lfItalic != 0;
  const std::string family = Cp1251ToUtf8(record.FaceName());
  const FcPatternPtr match = MatchScalable(family, bold, italic);
  if (!match) {
    throw std::runtime_error("No font is installed that could draw \"" + family + "\".");
  }
  FontSource source;
  source.path = PatternString(match.get(), FC_FILE);
  source.faceIndex = PatternInt(match.get(), FC_INDEX, 0) & 0xFFFF;
  source.syntheticBold = bold && PatternInt(match.get(), FC_WEIGHT, FC_WEIGHT_REGULAR) < FC_WEIGHT_DEMIBOLD;
  source.syntheticItalic = italic && PatternInt(match.get(), FC_SLANT, FC_SLANT_ROMAN) == FC_SLANT_ROMAN;
  source.bytes = FileBytes(source.path);
  if (!source.bytes) {
    throw std::runtime_error("The font file \"" + source.path + "\" could not be read.");
  }
  return source;
}

FontSource FontRegistry::Resolve(const LOGFONT& record) {
  const bool bold = record.lfWeight >= FW_SEMIBOLD;
  const bool italic = record.lfItalic != 0;
  const std::string faceName = LowerAscii(record.FaceName());
  const std::string key = faceName + (bold ? "|b" : "|") + (italic ? "i" : "");
  std::lock_guard lock(mutex_);
  const auto cached = matchCache_.find(key);
  if (cached != matchCache_.end()) {
    return cached->second;
  }
  FontSource source;
  if (faceName.empty() || !FindAdded(faceName, bold, italic, source)) {
    source = MatchInstalled(record);
  }
  matchCache_[key] = source;
  return source;
}

std::vector<std::string> FontRegistry::InstalledFamilies() const {
  FcPatternPtr pattern(FcPatternCreate());
  FcObjectSetPtr objects(FcObjectSetBuild(FC_FAMILY, FC_FONTFORMAT, nullptr));
  if (!pattern || !objects) {
    return {};
  }
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  FcFontSetPtr fonts(FcFontList(nullptr, pattern.get(), objects.get()));
  std::set<std::string> families;
  for (int i = 0; fonts && i < fonts->nfont; ++i) {
    const std::string format = PatternString(fonts->fonts[i], FC_FONTFORMAT);
    if (format != "TrueType" && format != "CFF") {
      continue;
    }
    const std::string family = PatternString(fonts->fonts[i], FC_FAMILY);
    if (!family.empty()) {
      families.insert(family);
    }
  }
  return {families.begin(), families.end()};
}

std::string FontRegistry::MatchedFamily(const std::string& family) const {
  const FcPatternPtr match = MatchScalable(family, false, false);
  return match ? PatternString(match.get(), FC_FAMILY) : std::string();
}

}  // namespace glyphory
