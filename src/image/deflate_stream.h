// One zlib stream (window bits 15, memory level 8, default strategy) whose
// output buffer is handed to a sink each time it fills, and once more with the
// rest when the stream is finished. The sink never gets an empty piece.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "image/png_errors.h"

struct z_stream_s;

namespace glyphory {

// A deflate level outside 0..9 or a failure reported by zlib.
class EDeflateError : public EPNGError {
 public:
  using EPNGError::EPNGError;
};

// Throws EDeflateError unless the level is 0..9.
void CheckDeflateLevel(int level);

class TDeflateStream {
 public:
  using TSink = std::function<void(const std::uint8_t* data, std::size_t length)>;

  // Throws EDeflateError for a level outside 0..9 or when zlib cannot start,
  // EPNGOutMemory when the output buffer cannot be had.
  TDeflateStream(int level, std::size_t bufferSize, TSink sink);
  ~TDeflateStream();
  TDeflateStream(const TDeflateStream&) = delete;
  TDeflateStream& operator=(const TDeflateStream&) = delete;

  // Compresses bytes without flushing.
  void Write(const std::uint8_t* data, std::size_t length);
  // Ends the stream and hands out everything still buffered.
  void Finish();

 private:
  void Deflate(int flush, int& result);
  void EmitFullBuffer();

  struct ZStreamDeleter {
    void operator()(z_stream_s* stream) const;
  };
  std::unique_ptr<z_stream_s, ZStreamDeleter> stream_;
  // Output space; only what zlib has written into it is ever read, so it is
  // not cleared first.
  std::unique_ptr<std::uint8_t[]> buffer_;
  std::size_t bufferSize_ = 0;
  TSink sink_;
};

}  // namespace glyphory
