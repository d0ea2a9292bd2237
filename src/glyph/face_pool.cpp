#include "glyph/face_pool.h"

#include <utility>

namespace glyphory {

const std::shared_ptr<FacePool>& FacePool::Shared() {
  static const auto pool = std::make_shared<FacePool>();
  return pool;
}

std::unique_ptr<PooledFace> FacePool::Lease(const std::shared_ptr<const std::string>& bytes, long faceIndex,
                                            std::int32_t requestedHeight) {
  {
    std::lock_guard lock(mutex_);
    auto best = idle_.end();
    for (auto it = idle_.begin(); it != idle_.end(); ++it) {
      if ((*it)->bytes == bytes && (*it)->faceIndex == faceIndex) {
        best = it;
        if ((*it)->charSize != 0 && (*it)->requestedHeight == requestedHeight) {
          break;
        }
      }
    }
    if (best != idle_.end()) {
      std::unique_ptr<PooledFace> face = std::move(*best);
      idle_.erase(best);
      return face;
    }
  }
  auto pooled = std::make_unique<PooledFace>();
  pooled->bytes = bytes;
  pooled->faceIndex = faceIndex;
  pooled->library = NewFtLibrary();
  pooled->face = OpenFtFace(pooled->library.get(), *bytes, faceIndex);
  if (!pooled->face) {
    return nullptr;
  }
  return pooled;
}

void FacePool::Return(std::unique_ptr<PooledFace> face) {
  if (!face) {
    return;
  }
  std::unique_ptr<PooledFace> closing;  // closed outside the lock
  std::lock_guard lock(mutex_);
  idle_.push_back(std::move(face));
  if (idle_.size() > kMaxIdle) {
    closing = std::move(idle_.front());
    idle_.erase(idle_.begin());
  }
}

}  // namespace glyphory
