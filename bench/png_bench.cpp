// Encoding speed of the PNG writer next to libpng on the same pixels, with the
// same filter set and deflate settings: a 1024 x 1024 RGBA image of rendered
// glyphs at (16-bit, All, level 9) and (8-bit, Sub, level 7).
#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "glyph/logfont.h"
#include "image/png_object.h"

namespace {

using glyphory::TPNGObject;
using Clock = std::chrono::steady_clock;

constexpr int kSize = 1024;
constexpr int kRuns = 7;

// Rows of glyphs in a few colours over white; alpha follows the ink, so the
// background is transparent and the glyph edges are partly transparent.
void RenderGlyphs(TPNGObject& image) {
  image.MakeBlankImage(glyphory::COLOR_RGBALPHA, 8, kSize, kSize);
  glyphory::TCanvas& canvas = image.Canvas();
  canvas.SetBrushColor(glyphory::clWhite);
  canvas.FillRect(canvas.ClipRect());
  glyphory::LOGFONT record;
  record.lfHeight = 40;
  record.SetFaceName("DejaVu Sans");
  canvas.SetFont(record);
  canvas.SetBkMode(glyphory::TBkMode::Transparent);
  const glyphory::TColor colors[] = {0x000000, 0x2040C0, 0x0080FF, 0x106010};
  std::string line;
  for (int c = 33; c < 127; ++c) {
    line.push_back(static_cast<char>(c));
  }
  for (int row = 0, y = 0; y < kSize; ++row, y += 40) {
    canvas.SetFontColor(colors[row % 4]);
    canvas.TextOut(-(row * 37 % 400), y, line);
  }
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const glyphory::TColor pixel = image.ReadPixel(x, y);
      const int ink = 255 - std::min({glyphory::RedOf(pixel), glyphory::GreenOf(pixel), glyphory::BlueOf(pixel)});
      image.AlphaRow(y)[x] = static_cast<std::uint8_t>(std::min(255, ink * 2));
    }
  }
}

// The image's samples as PNG rows, for libpng.
std::vector<std::vector<png_byte>> PngRows(const TPNGObject& image, int depth) {
  std::vector<std::vector<png_byte>> rows(kSize);
  const int bytes = depth == 16 ? 2 : 1;
  for (int y = 0; y < kSize; ++y) {
    rows[y].assign(static_cast<std::size_t>(kSize) * 4 * bytes, 0);
    for (int x = 0; x < kSize; ++x) {
      const glyphory::TColor pixel = image.ReadPixel(x, y);
      const png_byte samples[4] = {glyphory::RedOf(pixel), glyphory::GreenOf(pixel), glyphory::BlueOf(pixel),
                                   image.AlphaRow(y)[x]};
      for (int s = 0; s < 4; ++s) {
        rows[y][(x * 4 + s) * bytes] = samples[s];
      }
    }
  }
  return rows;
}

void AppendToVector(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<png_byte>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void FlushNothing(png_structp) {}

int LibpngFilterMask(std::uint8_t rowFilters) {
  int mask = 0;
  if (rowFilters & glyphory::pfNone) mask |= PNG_FILTER_NONE;
  if (rowFilters & glyphory::pfSub) mask |= PNG_FILTER_SUB;
  if (rowFilters & glyphory::pfUp) mask |= PNG_FILTER_UP;
  if (rowFilters & glyphory::pfAverage) mask |= PNG_FILTER_AVG;
  if (rowFilters & glyphory::pfPaeth) mask |= PNG_FILTER_PAETH;
  return mask;
}

std::size_t EncodeWithLibpng(std::vector<std::vector<png_byte>>& rows, int depth, std::uint8_t filters, int level) {
  std::vector<png_byte> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return 0;
  }
  png_set_write_fn(png, &out, AppendToVector, FlushNothing);
  png_set_IHDR(png, info, kSize, kSize, depth, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE,
               PNG_FILTER_TYPE_BASE);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, LibpngFilterMask(filters));
  png_set_compression_level(png, level);
  png_set_compression_mem_level(png, 8);
  png_set_compression_window_bits(png, 15);
  png_set_compression_strategy(png, Z_DEFAULT_STRATEGY);
  std::vector<png_bytep> pointers;
  for (auto& row : rows) {
    pointers.push_back(row.data());
  }
  png_write_info(png, info);
  png_write_image(png, pointers.data());
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return out.size();
}

template <typename Encode>
double MedianMilliseconds(Encode encode, std::size_t& bytes) {
  std::vector<double> times;
  for (int run = 0; run < kRuns; ++run) {
    const auto start = Clock::now();
    bytes = encode();
    times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

void Compare(TPNGObject& glyphs, int depth, std::uint8_t filters, int level, const char* name) {
  TPNGObject image;
  image.MakeBlankImage(glyphory::COLOR_RGBALPHA, depth, kSize, kSize);
  for (int y = 0; y < kSize; ++y) {
    std::copy_n(glyphs.PixelRow(y), glyphs.Stride(), image.PixelRow(y));
    std::copy_n(glyphs.AlphaRow(y), kSize, image.AlphaRow(y));
  }
  image.SetRowFilters(filters);
  image.SetDeflateLevel(static_cast<std::uint8_t>(level));
  std::vector<std::vector<png_byte>> rows = PngRows(image, depth);

  std::size_t ourBytes = 0;
  std::size_t libpngBytes = 0;
  const double ours = MedianMilliseconds(
      [&image] {
        std::ostringstream out;
        image.SaveToStream(out);
        return out.str().size();
      },
      ourBytes);
  const double libpng =
      MedianMilliseconds([&] { return EncodeWithLibpng(rows, depth, filters, level); }, libpngBytes);
  std::printf("%-22s ours %8.1f ms (%8zu bytes)   libpng %8.1f ms (%8zu bytes)   ratio %.2f\n", name, ours, ourBytes,
              libpng, libpngBytes, ours / libpng);
}

}  // namespace

int main() {
  TPNGObject glyphs;
  RenderGlyphs(glyphs);
  std::printf("1024 x 1024 RGBA glyph image, median of %d runs\n", kRuns);
  Compare(glyphs, 16, glyphory::pfAll, 9, "16-bit, All, level 9");
  Compare(glyphs, 8, glyphory::pfSub, 7, "8-bit, Sub, level 7");
  return 0;
}
