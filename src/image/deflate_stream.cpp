#include "image/deflate_stream.h"

#include <zlib.h>

#include <limits>
#include <new>
#include <string>

namespace glyphory {

namespace {

constexpr int kWindowBits = 15;
constexpr int kMemoryLevel = 8;

std::string ZlibMessage(const z_stream& stream, int result) {
  if (stream.msg != nullptr) {
    return stream.msg;
  }
  return "zlib error " + std::to_string(result);
}

std::unique_ptr<std::uint8_t[]> AllocateBuffer(std::size_t size) {
  try {
    return std::make_unique_for_overwrite<std::uint8_t[]>(size);
  } catch (const std::bad_alloc&) {
    throw EPNGOutMemory();
  } catch (const std::length_error&) {
    throw EPNGOutMemory();
  }
}

}  // namespace

void CheckDeflateLevel(int level) {
  if (level < 0 || level > 9) {
    throw EDeflateError("Invalid deflate level " + std::to_string(level) + ": it must be 0 to 9.");
  }
}

void TDeflateStream::ZStreamDeleter::operator()(z_stream_s* stream) const {
  deflateEnd(stream);
  std::default_delete<z_stream>()(stream);
}

TDeflateStream::TDeflateStream(int level, std::size_t bufferSize, TSink sink) : sink_(std::move(sink)) {
  CheckDeflateLevel(level);
  if (bufferSize == 0 || bufferSize > std::numeric_limits<uInt>::max()) {
    throw EDeflateError("Invalid deflate output buffer size " + std::to_string(bufferSize) + ".");
  }
  buffer_ = AllocateBuffer(bufferSize);
  bufferSize_ = bufferSize;
  auto stream = std::make_unique<z_stream>();
  const int result = deflateInit2(stream.get(), level, Z_DEFLATED, kWindowBits, kMemoryLevel, Z_DEFAULT_STRATEGY);
  if (result != Z_OK) {
    if (result == Z_MEM_ERROR) {
      throw EPNGOutMemory();
    }
    throw EDeflateError("Deflate could not start: " + ZlibMessage(*stream, result) + ".");
  }
  stream_.reset(stream.release());
  stream_->next_out = buffer_.get();
  stream_->avail_out = static_cast<uInt>(bufferSize_);
}

TDeflateStream::~TDeflateStream() = default;

void TDeflateStream::EmitFullBuffer() {
  sink_(buffer_.get(), bufferSize_);
  stream_->next_out = buffer_.get();
  stream_->avail_out = static_cast<uInt>(bufferSize_);
}

void TDeflateStream::Deflate(int flush, int& result) {
  result = deflate(stream_.get(), flush);
  if (result != Z_OK && result != Z_STREAM_END) {
    throw EDeflateError("Deflate failed: " + ZlibMessage(*stream_, result) + ".");
  }
  if (stream_->avail_out == 0) {
    EmitFullBuffer();
  }
}

void TDeflateStream::Write(const std::uint8_t* data, std::size_t length) {
  // zlib counts input in uInt; feed very long blocks in parts.
  constexpr std::size_t kMaxPart = std::numeric_limits<uInt>::max();
  while (length > 0) {
    const std::size_t part = length < kMaxPart ? length : kMaxPart;
    stream_->next_in = const_cast<Bytef*>(data);
    stream_->avail_in = static_cast<uInt>(part);
    int result = Z_OK;
    while (stream_->avail_in > 0) {
      Deflate(Z_NO_FLUSH, result);
    }
    data += part;
    length -= part;
  }
}

void TDeflateStream::Finish() {
  stream_->next_in = nullptr;
  stream_->avail_in = 0;
  int result = Z_OK;
  while (result != Z_STREAM_END) {
    Deflate(Z_FINISH, result);
  }
  const std::size_t rest = bufferSize_ - stream_->avail_out;
  if (rest > 0) {
    sink_(buffer_.get(), rest);
  }
}

}  // namespace glyphory
