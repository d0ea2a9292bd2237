#include "batch/export_run.h"

#include <sstream>

#include "batch/char_map.h"
#include "batch/code_list.h"
#include "batch/int_text.h"
#include "batch/stop_flag.h"
#include "image/bitmap.h"
#include "image/file_output.h"
#include "image/png_writer.h"

namespace glyphory {

namespace {

constexpr std::int32_t kFirstDrawableCode = 32;
constexpr std::int32_t kLastDrawableCode = 255;

// Puts the progress back to 0 and unlocks the controls however a run ends.
class RunCleanup {
 public:
  explicit RunCleanup(RunHost& host) : host_(host) {}
  ~RunCleanup() {
    try {
      host_.SetProgress(0);
      host_.UnlockControls();
    } catch (...) {  // a clean-up never replaces the error that ended the run
    }
  }
  RunCleanup(const RunCleanup&) = delete;
  RunCleanup& operator=(const RunCleanup&) = delete;

 private:
  RunHost& host_;
};

std::string EncodePng(const TPNGFont& glyph) {
  std::ostringstream out(std::ios::binary);
  SavePNGToStream(glyph, out);
  return std::move(out).str();
}

std::string EncodeBmp(const TPNGFont& glyph) {
  TBitmap bitmap;
  ConvertToBitmap(glyph, bitmap);
  std::ostringstream out(std::ios::binary);
  bitmap.SaveToStream(out);
  return std::move(out).str();
}

std::int32_t BmpNumber(RunHost& host, const std::string& entry, std::int32_t code) {
  const TIniStore map(host.CharMapPath());
  return CharMapNumber(map, host.CharsetName(), entry, code);
}

}  // namespace

std::optional<std::int32_t> SelectEntry(RunHost& host, ExportMode mode, const std::string& entry) {
  const std::int32_t code = StrToInt(entry);
  if (code < kFirstDrawableCode || code > kLastDrawableCode) {
    return std::nullopt;
  }
  if (mode == ExportMode::Bmp && !host.AllChars()) {
    const TIniStore map(host.CharMapPath());
    if (!CharMapSelects(map, host.CharsetName(), entry)) {
      return std::nullopt;
    }
  }
  return code;
}

std::string OutputPath(RunHost& host, ExportMode mode, const std::string& entry, std::int32_t code) {
  if (mode == ExportMode::Png) {
    return PngFileName(host.OutputFolder(), code, host.NameNumberOffset());
  }
  const std::int32_t number = BmpNumber(host, entry, code);
  return BmpFileName(host.OutputFolder(), number, host.NameFormat());
}

std::string EncodeGlyph(ExportMode mode, TPNGFont& glyph, const GlyphOptions& options) {
  if (mode == ExportMode::Png) {
    ComposePngGlyph(glyph, options);
    return EncodePng(glyph);
  }
  ComposeBmpGlyph(glyph, options);
  return EncodeBmp(glyph);
}

void WriteEncoded(const EncodedFile& file, TDeferredSync& sync) {
  WriteFileBytesReplacing(file.path, file.bytes, FileSync::Deferred);
  sync.Written(file.path);
}

void RunExport(RunHost& host, ExportMode mode) {
  StopRequested = false;
  host.LockControls();
  const RunCleanup cleanup(host);
  TDeferredSync sync;
  const CodeList entries = ExpandCodes(host.CodesText(), [&](const std::string& text) { host.ShowMessage(text); });
  if (entries.empty()) {
    throw EEmptyCodeList();
  }
  host.SetProgressRange(static_cast<int>(entries.size()) - 1);
  host.SetProgress(0);
  const LOGFONT record = host.FontRecord();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const std::optional<std::int32_t> code = SelectEntry(host, mode, entries[i]);
    if (!code) {
      continue;
    }
    const GlyphOptions options = host.Options();
    const std::unique_ptr<TPNGFont> glyph = ConstructGlyph(record, options, std::string(1, static_cast<char>(*code)));
    try {
      std::string bytes = EncodeGlyph(mode, *glyph, options);
      WriteEncoded({OutputPath(host, mode, entries[i], *code), std::move(bytes)}, sync);
    } catch (const std::exception& error) {
      host.ReportCodeFailure(CodeFailureMessage(*code), error.what());
    }
    host.ProcessEvents();
    if (StopRequested) {
      break;
    }
    host.SetProgress(static_cast<int>(i));
  }
}

}  // namespace glyphory
