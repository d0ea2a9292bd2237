// Turning the planes of an RGBA image into the PNG image data: each row laid
// out as samples, filtered with one filter type chosen from the image's
// RowFilters, and compressed into one deflate stream.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "image/deflate_stream.h"
#include "image/png_object.h"

namespace glyphory {

// PNG filter types (bit t of RowFilters allows type t).
constexpr std::uint8_t kFilterNone = 0;
constexpr std::uint8_t kFilterSub = 1;
constexpr std::uint8_t kFilterUp = 2;
constexpr std::uint8_t kFilterAverage = 3;
constexpr std::uint8_t kFilterPaeth = 4;
constexpr int kFilterTypeCount = 5;

// Bytes of one laid-out row (without the filter byte) and the filter
// distance, for colour type 6.
struct TRowGeometry {
  std::size_t rowBytes = 0;
  std::size_t distance = 0;
};

// Throws EPNGError for an image this encoder cannot write (anything but
// colour type 6 at bit depth 8 or 16) and EPNGHeaderNotPresent without header.
[[nodiscard]] TRowGeometry RowGeometryOf(const TPNGObject& image);

// Lays out image row y: red, green, blue, alpha per pixel; at depth 16 each
// sample is followed by a 0 byte (the 16-bit sample is the 8-bit value x 256).
void LayOutRow(const TPNGObject& image, std::int32_t y, std::uint8_t* out);

// The PNG Paeth predictor.
[[nodiscard]] constexpr std::uint8_t PaethPredictor(int left, int above, int upperLeft) {
  const int pa = above > upperLeft ? above - upperLeft : upperLeft - above;
  const int pb = left > upperLeft ? left - upperLeft : upperLeft - left;
  const int p = left + above - upperLeft;
  const int pc = p > upperLeft ? p - upperLeft : upperLeft - p;
  if (pa <= pb && pa <= pc) {
    return static_cast<std::uint8_t>(left);
  }
  return static_cast<std::uint8_t>(pb <= pc ? above : upperLeft);
}

// The value filter type `type` predicts for a byte from its neighbours.
[[nodiscard]] constexpr std::uint8_t Predictor(int type, int left, int above, int upperLeft) {
  switch (type) {
    case kFilterSub:
      return static_cast<std::uint8_t>(left);
    case kFilterUp:
      return static_cast<std::uint8_t>(above);
    case kFilterAverage:
      return static_cast<std::uint8_t>((left + above) / 2);
    case kFilterPaeth:
      return PaethPredictor(left, above, upperLeft);
    default:
      return 0;
  }
}

// Number of positions j >= 2 whose byte equals one of the two bytes before it.
[[nodiscard]] std::size_t RepeatScore(const std::uint8_t* row, std::size_t length);

// The per-row filter state of one save: the current and previous rows and the
// candidate rows of the filter types in the set.
class TScanlineFilter {
 public:
  TScanlineFilter(TRowGeometry geometry, std::uint8_t rowFilters);

  // Where the next row is laid out.
  [[nodiscard]] std::uint8_t* CurrentRow() { return current_.data(); }

  // Computes the candidates of the current row, makes it the previous row and
  // returns the chosen filter type; Candidate(type) then holds the row to write.
  [[nodiscard]] std::uint8_t FilterChoice();
  [[nodiscard]] const std::uint8_t* Candidate(std::uint8_t type) const;

 private:
  // Filters the current row with `type` into its candidate buffer.
  void ComputeCandidate(int type);
  // Picks the type whose candidate repeats most (the first on a tie, None
  // when nothing repeats), computing the candidates it scores on the way.
  [[nodiscard]] std::uint8_t ChooseAndCompute();

  TRowGeometry geometry_;
  std::uint8_t rowFilters_;
  std::vector<std::uint8_t> current_;
  std::vector<std::uint8_t> previous_;
  std::vector<std::uint8_t> candidates_[kFilterTypeCount];
};

// Encodes every row of the image into the stream and finishes it.
void EncodeImage(const TPNGObject& image, TDeflateStream& stream);

}  // namespace glyphory
