// Owners for FreeType and fontconfig objects: each is freed exactly once, on
// every path, and a FreeType face always goes before its library.
#pragma once

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <memory>
#include <stdexcept>
#include <string>

namespace glyphory {

struct FtLibraryDeleter {
  void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FtFaceDeleter {
  void operator()(FT_Face face) const { FT_Done_Face(face); }
};
struct FcPatternDeleter {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
struct FcFontSetDeleter {
  void operator()(FcFontSet* set) const { FcFontSetDestroy(set); }
};
struct FcObjectSetDeleter {
  void operator()(FcObjectSet* set) const { FcObjectSetDestroy(set); }
};

using FtLibraryPtr = std::unique_ptr<FT_LibraryRec_, FtLibraryDeleter>;
using FtFacePtr = std::unique_ptr<FT_FaceRec_, FtFaceDeleter>;
using FcPatternPtr = std::unique_ptr<FcPattern, FcPatternDeleter>;
using FcFontSetPtr = std::unique_ptr<FcFontSet, FcFontSetDeleter>;
using FcObjectSetPtr = std::unique_ptr<FcObjectSet, FcObjectSetDeleter>;

// A FreeType library with the default modules; throws std::runtime_error.
inline FtLibraryPtr NewFtLibrary() {
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) {
    throw std::runtime_error("The font engine could not be started.");
  }
  return FtLibraryPtr(library);
}

// A face read from font file bytes held by the caller (which must outlive it);
// null when the bytes are not a font FreeType can read.
inline FtFacePtr OpenFtFace(FT_Library library, const std::string& bytes, FT_Long index) {
  FT_Face face = nullptr;
  if (FT_New_Memory_Face(library, reinterpret_cast<const FT_Byte*>(bytes.data()),
                         static_cast<FT_Long>(bytes.size()), index, &face) != 0) {
    return nullptr;
  }
  return FtFacePtr(face);
}

}  // namespace glyphory
