// Opened FreeType faces kept for reuse. Opening a face parses the font file
// and, at a new size, runs its hinting set-up programs; a batch makes a new
// font for every glyph, always from the same file and size, so fonts lease a
// face that is already open and give it back when they go. Each face has its
// own FreeType library, and a leased face belongs to one font only, so fonts
// on different threads never share FreeType state.
#pragma once

#include <array>
#include <cstdint>
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "glyph/freetype_handles.h"

namespace glyphory {

// An open face, the file bytes it reads from, and what was last set on it.
struct PooledFace {
  std::shared_ptr<const std::string> bytes;  // outlives the face
  long faceIndex = 0;
  FtLibraryPtr library;  // declared before the face: freed after it
  FtFacePtr face;
  std::int32_t requestedHeight = 0;  // the font height `charSize` was set for
  FT_F26Dot6 charSize = 0;          // 0: no size set yet
  std::string codePage;     // the code page `decode` was built for
  std::array<char32_t, 256> decode{};
  bool decodeReady = false;
};

class FacePool {
 public:
  // The pool of the process. A font keeps `Shared()` while it holds a face, so
  // a font that is destroyed after the program's static objects (one held by
  // an object made before the first font) still has a pool to give it back to.
  static const std::shared_ptr<FacePool>& Shared();
  static FacePool& Instance() { return *Shared(); }

  FacePool() = default;
  FacePool(const FacePool&) = delete;
  FacePool& operator=(const FacePool&) = delete;

  // An idle face of these bytes and index (preferring one last sized for
  // `requestedHeight`), else a newly opened one; null when the bytes hold no face
  // FreeType can read. Throws std::runtime_error when FreeType cannot start.
  [[nodiscard]] std::unique_ptr<PooledFace> Lease(const std::shared_ptr<const std::string>& bytes, long faceIndex,
                                                  std::int32_t requestedHeight);
  // Takes a face back for later leases; the oldest idle faces are closed when
  // more than kMaxIdle wait.
  void Return(std::unique_ptr<PooledFace> face);

  static constexpr std::size_t kMaxIdle = 8;

 private:
  std::mutex mutex_;
  std::vector<std::unique_ptr<PooledFace>> idle_;  // oldest first
};

}  // namespace glyphory
