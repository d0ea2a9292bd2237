// Times a whole glyph (construct, Render, DrawEdging, AlphaFilter) at 100 px
// for several edging widths, and compares the widest outline with none.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "glyph/logfont.h"
#include "glyph/png_font.h"

namespace {

using glyphory::TPNGFont;

// "As_Бё 32 (*)" in Windows-1251.
constexpr std::string_view kSample = "As_\xC1\xB8 32 (*)";
constexpr int kRepeats = 15;

glyphory::LOGFONT SampleRecord() {
  glyphory::LOGFONT record;
  record.lfCharSet = glyphory::RUSSIAN_CHARSET;
  record.SetFaceName("DejaVu Sans");
  return record;
}

struct Figure {
  double milliseconds = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
};

Figure TimeGlyph(const glyphory::LOGFONT& record, std::int32_t edgeWidth) {
  std::vector<double> times;
  Figure figure;
  for (int run = 0; run < kRepeats + 1; ++run) {
    const auto start = std::chrono::steady_clock::now();
    TPNGFont glyph(kSample, record, true, 100, 8);
    glyph.SetFontColor(glyphory::clBlack);
    glyph.SetBgColor(glyphory::clFuchsia);
    glyph.SetFontAlpha(240);
    glyph.SetBgAlpha(0);
    glyph.Render();
    glyph.DrawEdging(glyphory::clWhite, 240, edgeWidth);
    glyph.AlphaFilter();
    const auto end = std::chrono::steady_clock::now();
    if (run > 0) {  // the first run warms the font caches
      times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    figure.width = glyph.Width();
    figure.height = glyph.Height();
  }
  std::sort(times.begin(), times.end());
  figure.milliseconds = times[times.size() / 2];
  return figure;
}

}  // namespace

int main() {
  const glyphory::LOGFONT record = SampleRecord();
  std::printf("whole glyph \"As_\xD0\x91\xD1\x91 32 (*)\", DejaVu Sans, 100 px, median of %d runs\n", kRepeats);
  double widthZero = 0;
  double widthFifty = 0;
  for (const std::int32_t edgeWidth : {0, 1, 10, 50}) {
    const Figure figure = TimeGlyph(record, edgeWidth);
    std::printf("edging width %2d: %8.3f ms  (image %d x %d)\n", edgeWidth, figure.milliseconds, figure.width,
                figure.height);
    if (edgeWidth == 0) {
      widthZero = figure.milliseconds;
    }
    if (edgeWidth == 50) {
      widthFifty = figure.milliseconds;
    }
  }
  std::printf("ratio width 50 / width 0: %.2fx (target < 3x)\n", widthFifty / widthZero);
  return 0;
}
