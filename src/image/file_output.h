// Writing files so that a crash, a kill or a failed write never leaves a
// half-written file behind: the content goes to a temporary file in the same
// folder, which replaces the target by rename only once it is complete and on
// disk. This is the one file writer of the program: images and settings files
// both go through it.
//
// While a write is under way the temporary file is named
// ".<target name>.tmp<pid>_<random>" in the target's folder. It is removed on
// every failure the program sees; only a process killed in the middle of a
// write can leave one behind, and it never carries a final name.
#pragma once

#include <cstddef>
#include <functional>
#include <mutex>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace glyphory {

// A file or stream that could not be written; the message names the target.
class EWriteError : public std::runtime_error {
 public:
  explicit EWriteError(const std::string& target) : std::runtime_error("Unable to write to " + target) {}
};

// Name used in EWriteError when the target is a stream and not a file.
inline constexpr const char* kStreamTargetName = "the output stream";

// Marks the temporary files of WriteFileReplacing (after the leading "." and
// the target's own name).
inline constexpr std::string_view kTempFileMarker = ".tmp";

// When a written file reaches the disk. `Now` syncs the file and its folder
// before returning (settings and other single files). `Deferred` leaves that
// to the page cache and a later SyncFileSystemOf: an export writes hundreds of
// images, and one sync at its end costs a fraction of one sync per image.
// Either way a file only ever appears under its final name complete.
enum class FileSync { Now, Deferred };

// Writes bytes to a stream; throws EWriteError when the stream fails.
void CheckedWrite(std::ostream& out, const void* data, std::size_t length);
// Flushes a stream; throws EWriteError when the stream fails.
void CheckedFlush(std::ostream& out);

// Creates or replaces the file at `path` with what `write` puts into the
// stream. A symbolic link is followed: the file it names is replaced and the
// link stays. A replaced file keeps its permission bits (and, where the
// process may, its owner). After the rename the folder is synced too, so the
// new name survives a power loss.
//
// Throws EWriteError (naming `path`) when the path is empty, the folder is
// missing or not writable, something other than a regular file is there, the
// existing file is read-only (no write bit set; this holds for a privileged
// user as well, whom the folder alone would let replace it), or any write,
// flush, sync or close fails. Errors thrown by `write` itself pass through.
// In every failure the target is untouched and no temporary file is left.
void WriteFileReplacing(const std::string& path, const std::function<void(std::ostream&)>& write,
                        FileSync sync = FileSync::Now);

// WriteFileReplacing with a fixed content.
void WriteFileBytesReplacing(const std::string& path, std::string_view bytes, FileSync sync = FileSync::Now);

// Flushes everything written to the file system that holds `folder` to disk
// (the end of an export that wrote with FileSync::Deferred). Best effort: a
// folder that cannot be opened is skipped.
void SyncFileSystemOf(const std::string& folder);

// Remembers the folders of files written with FileSync::Deferred and syncs
// their file systems when it goes, however the export that owns it ends.
// Writers on several threads may share one.
class TDeferredSync {
 public:
  TDeferredSync() = default;
  ~TDeferredSync();
  TDeferredSync(const TDeferredSync&) = delete;
  TDeferredSync& operator=(const TDeferredSync&) = delete;

  // Notes the folder of a file that was written.
  void Written(const std::string& path);

 private:
  std::mutex mutex_;
  std::vector<std::string> folders_;
};

}  // namespace glyphory
