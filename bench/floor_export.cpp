// The floor of a glyph export: only what any program writing one PNG per code
// must do. FreeType (opened once) renders each glyph, the coverage becomes the
// alpha of black 16-bit RGBA pixels on a cell as high as the export's, the rows
// go through zlib at the given level with filter None, and a minimal PNG
// (IHDR, one IDAT, IEND) is written. No tinting, alpha passes, outline or
// filter choice. `--pad N` keeps N clear columns on both sides of the ink, so
// the images are as wide as outlined ones; `--fsync` writes each file the
// crash-safe way (temporary file, fsync, rename) for comparison.
//   floor_export FONT_FILE CELL_PX LEVEL OUT_DIR [--pad N] [--fsync] [--depth 8|16]
// Codes: 32-126,168,176,184,192-255 in Windows-1251.
#include <fcntl.h>
#include <ft2build.h>
#include <unistd.h>
#include <zlib.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<int> DefaultCodes() {
  std::vector<int> codes;
  for (int c = 32; c <= 126; ++c) codes.push_back(c);
  for (int c : {168, 176, 184}) codes.push_back(c);
  for (int c = 192; c <= 255; ++c) codes.push_back(c);
  return codes;
}

// Windows-1251 byte to Unicode for the codes used here.
char32_t Cp1251(int code) {
  if (code < 128) return static_cast<char32_t>(code);
  if (code == 168) return 0x401;
  if (code == 184) return 0x451;
  if (code == 176) return 0xB0;
  return static_cast<char32_t>(0x410 + (code - 192));
}

void PutBig32(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

void PutChunk(std::string& out, const char* type, const std::string& data) {
  PutBig32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t start = out.size();
  out.append(type, 4);
  out += data;
  const auto crc = crc32(0, reinterpret_cast<const Bytef*>(out.data() + start), static_cast<uInt>(out.size() - start));
  PutBig32(out, static_cast<std::uint32_t>(crc));
}

std::string Compress(const std::vector<std::uint8_t>& raw, int level) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  std::string out(size, '\0');
  compress2(reinterpret_cast<Bytef*>(out.data()), &size, raw.data(), static_cast<uLong>(raw.size()), level);
  out.resize(size);
  return out;
}

void WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) std::exit(3);
    done += static_cast<std::size_t>(n);
  }
}

void WriteFile(const std::string& path, const std::string& bytes, bool durable) {
  const std::string target = durable ? path + ".tmp" : path;
  const int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) std::exit(3);
  WriteAll(fd, bytes);
  if (durable) ::fsync(fd);
  ::close(fd);
  if (durable) std::rename(target.c_str(), path.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: floor_export FONT CELL_PX LEVEL OUT_DIR [--pad N] [--fsync] [--depth 8|16]\n");
    return 2;
  }
  const int cell = std::atoi(argv[2]);
  const int level = std::atoi(argv[3]);
  const std::string folder = argv[4];
  int pad = 0;
  int depth = 16;
  bool durable = false;
  for (int i = 5; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--pad" && i + 1 < argc) pad = std::atoi(argv[++i]);
    if (arg == "--depth" && i + 1 < argc) depth = std::atoi(argv[++i]);
    if (arg == "--fsync") durable = true;
  }
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  if (FT_Init_FreeType(&library) != 0 || FT_New_Face(library, argv[1], 0, &face) != 0) return 1;
  // The same cell as the export's: ascent plus descent of the Windows metrics = CELL_PX.
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  const double design = os2 ? os2->usWinAscent + os2->usWinDescent : face->ascender - face->descender;
  const double ascentUnits = os2 ? os2->usWinAscent : face->ascender;
  const double ppem = cell * face->units_per_EM / design;
  const int ascent = static_cast<int>(std::lround(ascentUnits * ppem / face->units_per_EM));
  FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::round(ppem * 64.0)), 72, 72);
  const std::size_t bytesPerPixel = depth == 16 ? 8 : 4;
  for (const int code : DefaultCodes()) {
    if (FT_Load_Char(face, Cp1251(code), FT_LOAD_RENDER) != 0) return 1;
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    const int advance = static_cast<int>((slot->advance.x + 32) >> 6);
    const int inkWidth = static_cast<int>(bitmap.width) + 2 * pad;
    const int width = std::max({advance, inkWidth, 1});
    const int shift = inkWidth > advance ? pad - slot->bitmap_left : 0;
    const std::size_t rowBytes = 1 + bytesPerPixel * static_cast<std::size_t>(width);
    std::vector<std::uint8_t> raw(rowBytes * static_cast<std::size_t>(cell), 0);
    const int top = ascent - slot->bitmap_top;
    for (unsigned row = 0; row < bitmap.rows; ++row) {
      const int y = top + static_cast<int>(row);
      if (y < 0 || y >= cell) continue;
      const unsigned char* line = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
      std::uint8_t* out = raw.data() + static_cast<std::size_t>(y) * rowBytes + 1;
      for (unsigned col = 0; col < bitmap.width; ++col) {
        const int x = slot->bitmap_left + shift + static_cast<int>(col);
        if (x < 0 || x >= width) continue;
        out[static_cast<std::size_t>(x) * bytesPerPixel + bytesPerPixel - (depth == 16 ? 2 : 1)] = line[col];
      }
    }
    std::string ihdr;
    PutBig32(ihdr, static_cast<std::uint32_t>(width));
    PutBig32(ihdr, static_cast<std::uint32_t>(cell));
    ihdr += {static_cast<char>(depth), 6, 0, 0, 0};
    std::string png("\x89PNG\r\n\x1a\n", 8);
    PutChunk(png, "IHDR", ihdr);
    PutChunk(png, "IDAT", Compress(raw, level));
    PutChunk(png, "IEND", "");
    WriteFile(folder + "/" + std::to_string(code + 2048) + ".png", png, durable);
  }
  FT_Done_Face(face);
  FT_Done_FreeType(library);
  return 0;
}
