// Atomic replacement of a file's whole content: the new bytes go to a temporary
// file in the same folder, which then takes the file's place by rename, so a
// crash leaves either the old file or the new one, never half of one.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace glyphory {

// Replaces (or creates) the file at `path` with `bytes`. A replaced file keeps
// its permission bits; a symbolic link keeps pointing at the file it names.
// Returns false, leaving everything as it was, when the file cannot be
// written: its folder is missing or not writable, it is not a regular file,
// or it is read-only (no write permission bit set; this holds even for a
// privileged user, whom a rename would otherwise let through).
[[nodiscard]] bool ReplaceFileContents(const std::string& path, std::string_view bytes);

// The whole content of a file; an empty text when no file exists there;
// nothing when something exists there that cannot be read as a file.
[[nodiscard]] std::optional<std::string> ReadFileContents(const std::string& path);

}  // namespace glyphory
