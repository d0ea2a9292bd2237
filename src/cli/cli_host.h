// What glyphory-cli runs with: the settings file and the command line
// combined, the run host over those fixed values, and a font file registered
// for the time of a run.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include "batch/run_host.h"
#include "cli/cli_options.h"

namespace glyphory::cli {

// A run's settings: the settings file's values with the command line's over
// them. ResolveRun fills every field; the key table holds the defaults.
struct ResolvedRun {
  std::string codes;
  std::string folder;
  std::string fontFile;  // empty: an installed face
  std::string faceName;
  bool bold{};
  bool italic{};
  int charsetRow{};
  GlyphOptions options;
  std::int32_t offset{};
  std::string nameFormat;
  bool allChars{};
  std::string charMapPath;
  std::string language;
};

// Reads the settings file (a missing one gives the defaults) and lays the
// command line's options over it. Throws the conversion error for a stored
// colour that does not convert.
[[nodiscard]] ResolvedRun ResolveRun(const CliOptions& cli, const std::string& programFolder);

// The composed font: a font file's own face name (cut to what the record
// holds), else the chosen installed face; style and character set.
[[nodiscard]] LOGFONT ComposeRecord(const ResolvedRun& run);

// The run host over a resolved run: every read is constant, so worker threads
// may share it; messages, events, locking and progress are the caller's.
class CliHost final : public RunHost {
 public:
  CliHost(ResolvedRun run, LOGFONT record);

  std::string CodesText() override { return run_.codes; }
  LOGFONT FontRecord() override { return record_; }
  GlyphOptions Options() override { return run_.options; }
  std::string OutputFolder() override { return run_.folder; }
  std::int32_t NameNumberOffset() override { return run_.offset; }
  std::string NameFormat() override { return run_.nameFormat; }
  bool AllChars() override { return run_.allChars; }
  std::string CharsetName() override { return charsetName_; }
  std::string CharMapPath() override { return run_.charMapPath; }
  void ShowMessage(const std::string&) override {}
  void ReportCodeFailure(const std::string&, const std::string&) override {}
  void ProcessEvents() override {}
  void LockControls() override {}
  void UnlockControls() override {}
  void SetProgressRange(int) override {}
  void SetProgress(int) override {}

 private:
  ResolvedRun run_;
  LOGFONT record_;
  std::string charsetName_;
};

// A font file registered for the time of a run.
class ScopedFontFile {
 public:
  explicit ScopedFontFile(std::string path);
  ~ScopedFontFile();
  ScopedFontFile(const ScopedFontFile&) = delete;
  ScopedFontFile& operator=(const ScopedFontFile&) = delete;

  // False when a font file was asked for and holds no usable font: drawing
  // with some other face instead would pass a wrong result off as success.
  [[nodiscard]] bool Usable(std::ostream& err) const;

 private:
  std::string path_;
  bool registered_ = false;
};

}  // namespace glyphory::cli
