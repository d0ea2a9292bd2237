#include "settings/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace glyphory {
namespace {

// Owns an open file descriptor.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) {
      ::close(fd_);
    }
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  [[nodiscard]] int Get() const { return fd_; }
  [[nodiscard]] bool Valid() const { return fd_ >= 0; }
  // Closes now and reports whether the close (and so the last write) succeeded.
  [[nodiscard]] bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

// Removes the temporary file unless it was handed over by the rename.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
  ~TemporaryFile() {
    if (!path_.empty()) {
      ::unlink(path_.c_str());
    }
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  [[nodiscard]] const std::string& Path() const { return path_; }
  void Release() { path_.clear(); }

 private:
  std::string path_;
};

// The file a write really replaces: the target of a symbolic link.
std::filesystem::path ResolveTarget(const std::string& path) {
  std::error_code error;
  if (std::filesystem::is_symlink(path, error)) {
    const auto target = std::filesystem::weakly_canonical(path, error);
    if (!error) {
      return target;
    }
  }
  return path;
}

bool HasWriteBit(mode_t mode) { return (mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0; }

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) {
        continue;
      }
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Creates a new file with a fresh name beside `target`; the descriptor is
// invalid when none could be created.
FileDescriptor CreateTemporaryBeside(const std::filesystem::path& target, std::string& tempPath) {
  std::random_device random;
  const auto folder = target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
  for (int attempt = 0; attempt < 16; ++attempt) {
    std::string name(".");
    name.append(target.filename().string())
        .append(".tmp")
        .append(std::to_string(::getpid()))
        .append("_")
        .append(std::to_string(random()));
    tempPath = (folder / name).string();
    const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) {
      return FileDescriptor(fd);
    }
  }
  return FileDescriptor(-1);
}

// Flushes the folder entry of a rename to disk; failing here loses nothing
// that the rename has not already done, so the result is not needed.
void SyncFolderOf(const std::filesystem::path& target) {
  const auto folder = target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
  FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.Valid()) {
    ::fsync(fd.Get());
  }
}

}  // namespace

bool ReplaceFileContents(const std::string& path, std::string_view bytes) {
  if (path.empty()) {
    return false;
  }
  const std::filesystem::path target = ResolveTarget(path);
  struct stat existing {};
  const bool exists = ::stat(target.c_str(), &existing) == 0;
  if (exists && (!S_ISREG(existing.st_mode) || !HasWriteBit(existing.st_mode) ||
                 ::access(target.c_str(), W_OK) != 0)) {
    return false;
  }
  std::string tempPath;
  FileDescriptor fd = CreateTemporaryBeside(target, tempPath);
  if (!fd.Valid()) {
    return false;
  }
  TemporaryFile temp(tempPath);
  if (exists && ::fchmod(fd.Get(), existing.st_mode & 07777) != 0) {
    return false;
  }
  if (!WriteAll(fd.Get(), bytes) || ::fsync(fd.Get()) != 0 || !fd.Close()) {
    return false;
  }
  if (::rename(temp.Path().c_str(), target.c_str()) != 0) {
    return false;
  }
  temp.Release();
  SyncFolderOf(target);
  return true;
}

std::optional<std::string> ReadFileContents(const std::string& path) {
  std::error_code error;
  if (path.empty() || !std::filesystem::exists(path, error)) {
    return std::string();
  }
  if (!std::filesystem::is_regular_file(path, error)) {
    return std::nullopt;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return std::nullopt;
  }
  try {
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
      return std::nullopt;
    }
    return bytes;
  } catch (const std::ios_base::failure&) {
    return std::nullopt;  // a read error in the middle of the file
  }
}

}  // namespace glyphory
