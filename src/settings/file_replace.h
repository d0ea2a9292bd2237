// The settings files' view of the program's one file writer
// (image/file_output.h): a whole content replaced atomically, with success
// reported as a flag, and the matching whole-file read.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace glyphory {

// Replaces (or creates) the file at `path` with `bytes` through
// WriteFileBytesReplacing, so a crash leaves either the old file or the new
// one, never half of one. A replaced file keeps its permission bits; a
// symbolic link keeps pointing at the file it names.
// Returns false, leaving everything as it was, when the file cannot be
// written: its folder is missing or not writable, it is not a regular file,
// or it is read-only (no write permission bit set; this holds even for a
// privileged user, whom a rename would otherwise let through).
[[nodiscard]] bool ReplaceFileContents(const std::string& path, std::string_view bytes);

// The whole content of a file; an empty text when no file exists there;
// nothing when something exists there that cannot be read as a file.
[[nodiscard]] std::optional<std::string> ReadFileContents(const std::string& path);

}  // namespace glyphory
