// What an export asks of the front end that runs it: the current options (read
// at the moment each step needs them), messages, event processing, progress and
// the locking of the option controls. The window implements it over its
// controls, the command line over its arguments, the tests with plain values.
#pragma once

#include <cstdint>
#include <string>

#include "glyph/logfont.h"
#include "glyph/platform.h"

namespace glyphory {

// Options that shape one glyph image and its file.
struct GlyphOptions {
  int bitDepth = 16;  // 16 or 8; -1 when no depth is selected
  std::int32_t size = 10;
  bool sizeInPixels = true;
  TColor fontColor = clBlack;
  TColor bgColor = clFuchsia;
  TColor edgeColor = clWhite;
  std::uint8_t fontAlpha = 240;
  std::uint8_t bgAlpha = 0;
  std::uint8_t edgeAlpha = 240;
  std::int32_t edgeWidth = 1;
  bool smoothing = false;
  std::int32_t correction = 40;
  int filterIndex = 5;  // None, Sub, Up, Average, Paeth, All
  std::uint8_t deflateLevel = 9;
};

class RunHost {
 public:
  virtual ~RunHost() = default;

  // Read once at the start of a run.
  virtual std::string CodesText() = 0;
  virtual LOGFONT FontRecord() = 0;

  // Read for every code.
  virtual GlyphOptions Options() = 0;
  virtual std::string OutputFolder() = 0;
  virtual std::int32_t NameNumberOffset() = 0;  // PNG names
  virtual std::string NameFormat() = 0;         // BMP names
  virtual bool AllChars() = 0;                  // BMP: write codes the map does not hold
  virtual std::string CharsetName() = 0;        // BMP: the map section of the charset
  virtual std::string CharMapPath() = 0;        // BMP: the character map file

  // A modal message (Windows-1251 text), e.g. a failed code-list expansion.
  virtual void ShowMessage(const std::string& text) = 0;
  // A code that failed: `message` is the per-code text, `cause` the error.
  virtual void ReportCodeFailure(const std::string& message, const std::string& cause) = 0;
  virtual void ProcessEvents() = 0;
  virtual void LockControls() = 0;
  virtual void UnlockControls() = 0;
  // Progress over entries 0..maximum; Progress(0) also ends a run.
  virtual void SetProgressRange(int maximum) = 0;
  virtual void SetProgress(int position) = 0;
};

}  // namespace glyphory
