#include "image/file_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
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
  [[nodiscard]] bool Valid() const { return fd_ >= 0; }
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
  [[nodiscard]] const std::string& Path() const { return path_; }
  void Release() { path_.clear(); }

 private:
  std::string path_;
};

constexpr mode_t kAnyWriteBit = S_IWUSR | S_IWGRP | S_IWOTH;
// More links than this in a row are taken as a loop, as the kernel does.
constexpr int kMaxSymlinkHops = 40;

std::filesystem::path FolderOf(const std::filesystem::path& target) {
  return target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
}

// The file a write really replaces: the end of a chain of symbolic links (a
// link to a missing file names the file to create). Throws on a loop.
std::filesystem::path ResolveTarget(const std::string& path) {
  std::filesystem::path target(path);
  for (int hop = 0; hop < kMaxSymlinkHops; ++hop) {
    std::error_code error;
    if (!std::filesystem::is_symlink(std::filesystem::symlink_status(target, error))) {
      return target;
    }
    const std::filesystem::path next = std::filesystem::read_symlink(target, error);
    if (error) {
      throw EWriteError(path);
    }
    target = next.is_absolute() ? next : target.parent_path() / next;
  }
  throw EWriteError(path);
}

// An existing file must be a regular file with a write bit set that this
// process may write: a file its owner protected against writing is not
// replaced even by a user (such as root) whom the folder would let rename.
void CheckReplaceable(const std::string& path, const std::filesystem::path& target, const struct stat& existing) {
  if (!S_ISREG(existing.st_mode) || (existing.st_mode & kAnyWriteBit) == 0 ||
      ::access(target.c_str(), W_OK) != 0) {
    throw EWriteError(path);
  }
}

// Creates a new, empty file beside `target` with a name nothing else uses.
TFileHandle CreateTempFile(const std::string& path, const std::filesystem::path& target, std::string& tempPath) {
  const std::filesystem::path folder = FolderOf(target);
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name(1, '.');
    name.append(target.filename().string())
        .append(kTempFileMarker)
        .append(std::to_string(::getpid()))
        .append("_")
        .append(std::to_string(random()));
    tempPath = (folder / name).string();
    const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      return TFileHandle(fd);
    }
    if (errno != EEXIST) {
      break;
    }
  }
  throw EWriteError(path);
}

// The replacement takes over the permission bits and, when allowed, the owner
// of the file it replaces. A changed owner is only kept as far as the process
// may: an ordinary user cannot give files away, and that is no error.
void CopyAttributes(int fd, const struct stat& existing, const std::string& path) {
  struct stat created {};
  if (::fstat(fd, &created) == 0 && (created.st_uid != existing.st_uid || created.st_gid != existing.st_gid)) {
    (void)::fchown(fd, existing.st_uid, existing.st_gid);
  }
  if (::fchmod(fd, existing.st_mode & 07777) != 0) {
    throw EWriteError(path);
  }
}

// Flushes the folder entry of a rename to disk. The new file is complete
// either way, so a folder that cannot be synced is not reported.
void SyncFolderOf(const std::filesystem::path& target) {
  TFileHandle folder(::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.Valid()) {
    (void)::fsync(folder.Get());
  }
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

void WriteFileReplacing(const std::string& path, const std::function<void(std::ostream&)>& write, FileSync sync) {
  if (path.empty() || path.find('\0') != std::string::npos) {
    throw EWriteError(path);
  }
  const std::filesystem::path target = ResolveTarget(path);
  struct stat existing {};
  const bool exists = ::stat(target.c_str(), &existing) == 0;
  if (exists) {
    CheckReplaceable(path, target, existing);
  }
  std::string tempPath;
  TFileHandle file = CreateTempFile(path, target, tempPath);
  TTempFileGuard guard(tempPath);
  try {
    TFdStreamBuf buffer(file.Get());
    std::ostream out(&buffer);
    write(out);
    CheckedFlush(out);
  } catch (const EWriteError&) {
    throw EWriteError(path);
  }
  if (exists) {
    CopyAttributes(file.Get(), existing, path);
  }
  const bool syncNow = sync == FileSync::Now;
  if ((syncNow && ::fsync(file.Get()) != 0) || !file.Close()) {
    throw EWriteError(path);
  }
  if (std::rename(guard.Path().c_str(), target.c_str()) != 0) {
    throw EWriteError(path);
  }
  guard.Release();
  if (syncNow) {
    SyncFolderOf(target);
  }
}

void WriteFileBytesReplacing(const std::string& path, std::string_view bytes, FileSync sync) {
  WriteFileReplacing(
      path, [bytes](std::ostream& out) { CheckedWrite(out, bytes.data(), bytes.size()); }, sync);
}

void SyncFileSystemOf(const std::string& folder) {
  TFileHandle handle(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (handle.Valid()) {
    (void)::syncfs(handle.Get());
  }
}

TDeferredSync::~TDeferredSync() {
  for (const auto& folder : folders_) {
    SyncFileSystemOf(folder);
  }
}

void TDeferredSync::Written(const std::string& path) {
  std::string folder = FolderOf(ResolveTarget(path)).string();
  const std::lock_guard lock(mutex_);
  if (std::find(folders_.begin(), folders_.end(), folder) == folders_.end()) {
    folders_.push_back(std::move(folder));
  }
}

}  // namespace glyphory
