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
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>

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
void WriteFileReplacing(const std::string& path, const std::function<void(std::ostream&)>& write);

// WriteFileReplacing with a fixed content.
void WriteFileBytesReplacing(const std::string& path, std::string_view bytes);

}  // namespace glyphory
