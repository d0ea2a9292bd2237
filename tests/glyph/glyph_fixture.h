// Glyph images whose pixels the tests paint themselves, and a log recorder.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "glyph/log_sink.h"
#include "glyph/logfont.h"
#include "glyph/png_font.h"

namespace glyphory::test {

inline LOGFONT DejaVuRecord() {
  LOGFONT record;
  record.SetFaceName("DejaVu Sans");
  return record;
}

// A real glyph image resized to width x height: every pixel black, alpha 0 at
// (0, 0) and 255 elsewhere, as after construction.
inline std::unique_ptr<TPNGFont> BlankGlyph(std::int32_t width, std::int32_t height) {
  auto glyph = std::make_unique<TPNGFont>("x", DejaVuRecord(), true, 16, 8);
  glyph->SetImageSize(width, height);
  for (std::int32_t y = 0; y < height; ++y) {
    for (std::int32_t x = 0; x < width; ++x) {
      glyph->WritePixel(x, y, clBlack);
    }
  }
  return glyph;
}

// Paints rows of characters, each mapped to a colour by `legend`.
inline void PaintRows(TPNGObject& image, const std::vector<std::string>& rows,
                      const std::map<char, TColor>& legend) {
  for (std::size_t y = 0; y < rows.size(); ++y) {
    for (std::size_t x = 0; x < rows[y].size(); ++x) {
      image.WritePixel(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y), legend.at(rows[y][x]));
    }
  }
}

// Collects the log messages sent while it lives.
class LogRecorder {
 public:
  LogRecorder() {
    previous_ = SetLogSink([this](std::string_view message) { messages_.emplace_back(message); });
  }
  ~LogRecorder() { SetLogSink(std::move(previous_)); }
  LogRecorder(const LogRecorder&) = delete;
  LogRecorder& operator=(const LogRecorder&) = delete;

  [[nodiscard]] const std::vector<std::string>& Messages() const { return messages_; }

 private:
  LogSink previous_;
  std::vector<std::string> messages_;
};

}  // namespace glyphory::test
