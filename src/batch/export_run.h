// The export of a code list: for every entry in 32..255 (and, for BMP, in the
// character map unless all characters are asked for) one glyph image is built,
// composed and written; a failed code is reported and the run goes on.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "batch/glyph_pipeline.h"
#include "batch/run_host.h"
#include "image/file_output.h"

namespace glyphory {

// A finished code: where it goes and the file's bytes.
struct EncodedFile {
  std::string path;
  std::string bytes;
};

// The code an entry stands for when the export writes it; nullopt when the
// entry is skipped (outside 32..255, or not in the character map). Throws the
// conversion error for an entry that is not integer text.
[[nodiscard]] std::optional<std::int32_t> SelectEntry(RunHost& host, ExportMode mode, const std::string& entry);

// The file a code is written to: the PNG number is the code plus the name
// offset; the BMP number comes from the character map and is formatted with
// the name format (which throws ENameFormatError when it takes no integer).
[[nodiscard]] std::string OutputPath(RunHost& host, ExportMode mode, const std::string& entry, std::int32_t code);

// Composes a constructed glyph for its mode and returns the file's bytes.
[[nodiscard]] std::string EncodeGlyph(ExportMode mode, TPNGFont& glyph, const GlyphOptions& options);

// Creates or replaces the file with the bytes, never leaving half a file; the
// file reaches the disk when `sync` goes (one sync for a whole export).
void WriteEncoded(const EncodedFile& file, TDeferredSync& sync);

// The whole export as the window runs it: clears StopRequested, locks the
// controls, expands the code list, and for every entry builds, writes and
// reports, processes events, checks the stop request and moves the progress.
// Conversion errors, construction failures and an empty list end the run
// (after the clean-up) by being thrown to the caller.
void RunExport(RunHost& host, ExportMode mode);

}  // namespace glyphory
