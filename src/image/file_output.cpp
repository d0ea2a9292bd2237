#include "image/file_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>
#include <streambuf>
#include <vector>

namespace glyphory {

namespace {

// Owns an open file descriptor; Close() reports whether closing worked.
class TFileHandle {
 public:
  explicit TFileHandle(int fd) : fd_(fd) {}
  ~TFileHandle() {
    if (fd_ >= 0) {
      ::close(fd_);
    }
  }
  TFileHandle(const TFileHandle&) = delete;
  TFileHandle& operator=(const TFileHandle&) = delete;

  [[nodiscard]] int Get() const { return fd_; }
  [[nodiscard]] bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

// A buffered stream buffer over a file descriptor that reports failed writes
// to its stream (which then sets badbit).
class TFdStreamBuf : public std::streambuf {
 public:
  explicit TFdStreamBuf(int fd) : fd_(fd), buffer_(64 * 1024) { ResetBuffer(); }

 protected:
  int_type overflow(int_type ch) override {
    if (!FlushBuffer()) {
      return traits_type::eof();
    }
    if (!traits_type::eq_int_type(ch, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(ch);
      pbump(1);
    }
    return traits_type::not_eof(ch);
  }
  int sync() override { return FlushBuffer() ? 0 : -1; }

 private:
  void ResetBuffer() { setp(buffer_.data(), buffer_.data() + buffer_.size()); }

  bool FlushBuffer() {
    const char* data = pbase();
    std::size_t left = static_cast<std::size_t>(pptr() - pbase());
    while (left > 0) {
      const ssize_t written = ::write(fd_, data, left);
      if (written < 0 && errno == EINTR) {
        continue;
      }
      if (written <= 0) {
        return false;
      }
      data += written;
      left -= static_cast<std::size_t>(written);
    }
    ResetBuffer();
    return true;
  }

  int fd_;
  std::vector<char> buffer_;
};

// Removes the temporary file unless it was renamed into place.
class TTempFileGuard {
 public:
  explicit TTempFileGuard(std::string path) : path_(std::move(path)) {}
  ~TTempFileGuard() {
    if (!path_.empty()) {
      ::unlink(path_.c_str());
    }
  }
  TTempFileGuard(const TTempFileGuard&) = delete;
  TTempFileGuard& operator=(const TTempFileGuard&) = delete;
  void Release() { path_.clear(); }

 private:
  std::string path_;
};

constexpr mode_t kAnyWriteBit = S_IWUSR | S_IWGRP | S_IWOTH;

// An existing file that its owner protected against writing must not be
// replaced, even by a user (such as root) whom the folder would let rename.
void CheckReplaceable(const std::string& path, const struct stat& existing) {
  if ((existing.st_mode & kAnyWriteBit) == 0 || ::access(path.c_str(), W_OK) != 0) {
    throw EWriteError(path);
  }
}

// Creates a new, empty file next to `path` with a name nothing else uses.
int CreateTempFile(const std::string& path, std::string& tempPath) {
  const std::filesystem::path target(path);
  std::filesystem::path folder = target.parent_path();
  if (folder.empty()) {
    folder = ".";
  }
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name(1, '.');
    name.append(target.filename().string()).append(".tmp").append(std::to_string(random()));
    tempPath = (folder / name).string();
    const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      return fd;
    }
    if (errno != EEXIST) {
      break;
    }
  }
  throw EWriteError(path);
}

}  // namespace

void CheckedWrite(std::ostream& out, const void* data, std::size_t length) {
  out.write(static_cast<const char*>(data), static_cast<std::streamsize>(length));
  if (!out) {
    throw EWriteError(kStreamTargetName);
  }
}

void CheckedFlush(std::ostream& out) {
  out.flush();
  if (!out) {
    throw EWriteError(kStreamTargetName);
  }
}

void WriteFileReplacing(const std::string& path, const std::function<void(std::ostream&)>& write) {
  struct stat existing {};
  const bool exists = ::stat(path.c_str(), &existing) == 0;
  if (exists) {
    CheckReplaceable(path, existing);
  }
  std::string tempPath;
  TFileHandle file(CreateTempFile(path, tempPath));
  TTempFileGuard guard(tempPath);
  try {
    TFdStreamBuf buffer(file.Get());
    std::ostream out(&buffer);
    write(out);
    CheckedFlush(out);
  } catch (const EWriteError&) {
    throw EWriteError(path);
  }
  // The replacement keeps the permissions of the file it replaces.
  if (exists && ::fchmod(file.Get(), existing.st_mode & 07777) != 0) {
    throw EWriteError(path);
  }
  if (::fsync(file.Get()) != 0 || !file.Close()) {
    throw EWriteError(path);
  }
  if (std::rename(tempPath.c_str(), path.c_str()) != 0) {
    throw EWriteError(path);
  }
  guard.Release();
}

}  // namespace glyphory
