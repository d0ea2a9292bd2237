// Decodes a PNG file with libpng's simplified reader.
#pragma once

#include <png.h>

#include <string>

namespace glyphory::test {

struct DecodedPng {
  bool ok = false;
  bool rgba = false;       // colour with alpha
  bool sixteenBit = false;  // linear (16-bit) samples
  unsigned width = 0;
  unsigned height = 0;
};

inline DecodedPng DecodePng(const std::string& bytes) {
  DecodedPng result;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()) == 0) {
    return result;
  }
  result.rgba = (image.format & PNG_FORMAT_FLAG_COLOR) != 0 && (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
  result.sixteenBit = (image.format & PNG_FORMAT_FLAG_LINEAR) != 0;
  result.width = image.width;
  result.height = image.height;
  std::string pixels(PNG_IMAGE_SIZE(image), '\0');
  result.ok = png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) != 0;
  png_image_free(&image);
  return result;
}

}  // namespace glyphory::test
