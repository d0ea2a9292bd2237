// Writing output files so that a crash or a failed write never leaves a
// half-written file behind: the content goes to a temporary file in the same
// folder, which replaces the target only once it is complete and on disk.
#pragma once

#include <cstddef>
#include <functional>
#include <ostream>
#include <stdexcept>
#include <string>

namespace glyphory {

// A file or stream that could not be written; the message names the target.
class EWriteError : public std::runtime_error {
 public:
  explicit EWriteError(const std::string& target) : std::runtime_error("Unable to write to " + target) {}
};

// Name used in EWriteError when the target is a stream and not a file.
inline constexpr const char* kStreamTargetName = "the output stream";

// Writes bytes to a stream; throws EWriteError when the stream fails.
void CheckedWrite(std::ostream& out, const void* data, std::size_t length);
// Flushes a stream; throws EWriteError when the stream fails.
void CheckedFlush(std::ostream& out);

// Creates or replaces the file at `path` with what `write` puts into the
// stream. Throws EWriteError (naming the path) when the folder is missing, the
// existing file is read-only, or any write, flush or close fails; errors thrown
// by `write` itself pass through. In every failure the target is untouched
// and no temporary file is left.
void WriteFileReplacing(const std::string& path, const std::function<void(std::ostream&)>& write);

}  // namespace glyphory
