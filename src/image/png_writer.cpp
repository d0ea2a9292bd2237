#include "image/png_writer.h"

#include <cstdint>

#include "image/deflate_stream.h"
#include "image/file_output.h"
#include "image/png_chunks.h"
#include "image/png_object.h"
#include "image/scanline_encoder.h"

namespace glyphory {

namespace {

constexpr std::uint8_t kSignature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};

// Everything that would make the datastream fail half-way is checked before
// the first byte is written.
void CheckSavable(const TPNGObject& image) {
  (void)RowGeometryOf(image);
  CheckDeflateLevel(image.DeflateLevel());
}

}  // namespace

void SavePNGToStream(const TPNGObject& image, std::ostream& out) {
  CheckSavable(image);
  CheckedWrite(out, kSignature, sizeof kSignature);
  const TPNGList& chunks = image.Chunks();
  for (std::size_t i = 0; i < chunks.Count(); ++i) {
    chunks.Item(i).Write(out);
  }
  CheckedFlush(out);
}

void SavePNGToFile(const TPNGObject& image, const std::string& path) {
  CheckSavable(image);
  WriteFileReplacing(path, [&image](std::ostream& out) { SavePNGToStream(image, out); });
}

}  // namespace glyphory
