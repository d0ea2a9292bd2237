// Saving an RGBA image as a PNG file: the signature, then every chunk of the
// image's chunk list (IHDR, IDAT..., IEND) in order.
#pragma once

#include <ostream>
#include <string>

namespace glyphory {

class TPNGObject;

// Writes the PNG datastream at the stream's position. Throws
// EPNGHeaderNotPresent for an image without header, EDeflateError for a
// DeflateLevel outside 0..9 or a zlib failure, EWriteError when the stream fails.
void SavePNGToStream(const TPNGObject& image, std::ostream& out);

// Creates or replaces the file at `path`; an existing file is only ever
// replaced by a complete one. Throws EWriteError when the folder is missing,
// the file is read-only or a write fails, besides the errors above.
void SavePNGToFile(const TPNGObject& image, const std::string& path);

}  // namespace glyphory
