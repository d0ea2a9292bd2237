// Times one refresh of the preview at the largest settings as the window does
// it: the sample "As_Бё 32 (*)" at 100 px with edging 50 is constructed,
// rendered, outlined and alpha-filtered (RenderPreview), then handed over to
// the shown image by a deep copy (TPNGObject::Assign). Prints the median and
// the spread in milliseconds, at one size and with the size changing on every
// refresh (as while the size slider is dragged).
//   preview_bench [RUNS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "batch/glyph_pipeline.h"
#include "image/png_object.h"

namespace {

// "As_Бё 32 (*)" in Windows-1251.
constexpr std::string_view kSample = "As_\xC1\xB8 32 (*)";

double Milliseconds(std::chrono::steady_clock::duration duration) {
  return std::chrono::duration<double, std::milli>(duration).count();
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 31;
  const glyphory::LOGFONT record = glyphory::ComposeLogFont("DejaVu Sans", false, false, glyphory::DEFAULT_CHARSET);
  glyphory::GlyphOptions options;
  options.size = 100;
  options.edgeWidth = 50;
  glyphory::TPNGObject shown;
  for (const bool dragging : {false, true}) {
    std::vector<double> times;
    for (int run = 0; run <= runs; ++run) {
      options.size = dragging ? 100 - run % 2 : 100;
      const auto start = std::chrono::steady_clock::now();
      const auto glyph = glyphory::RenderPreview(record, options, kSample);
      if (!glyph) {
        std::fprintf(stderr, "the preview could not be drawn\n");
        return 1;
      }
      shown.Assign(*glyph);
      const double ms = Milliseconds(std::chrono::steady_clock::now() - start);
      if (run > 0) {  // the first refresh finds the font file and fills the caches
        times.push_back(ms);
      }
    }
    std::sort(times.begin(), times.end());
    std::printf("preview %dx%d px%s: median %.2f ms, min %.2f ms, max %.2f ms over %d refreshes\n", shown.Width(),
                shown.Height(), dragging ? ", size 99/100 alternating" : "", times[times.size() / 2], times.front(),
                times.back(), runs);
  }
  return 0;
}
