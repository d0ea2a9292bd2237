#include "image/scanline_encoder.h"

#include <new>
#include <utility>

namespace glyphory {

namespace {

std::vector<std::uint8_t> RowBuffer(std::size_t bytes) {
  try {
    return std::vector<std::uint8_t>(bytes, 0);
  } catch (const std::bad_alloc&) {
    throw EPNGOutMemory();
  } catch (const std::length_error&) {
    throw EPNGOutMemory();
  }
}

bool InSet(std::uint8_t rowFilters, int type) { return ((rowFilters >> type) & 1) != 0; }

// out[i] = current[i] - predictor(left, above, upper left), modulo 256; left
// and upper left are 0 for the first `distance` bytes.
template <int Type>
void FilterRow(const std::uint8_t* current, const std::uint8_t* previous, std::uint8_t* out, TRowGeometry geometry) {
  const std::size_t d = geometry.distance;
  for (std::size_t i = 0; i < d; ++i) {
    out[i] = static_cast<std::uint8_t>(current[i] - Predictor(Type, 0, previous[i], 0));
  }
  for (std::size_t i = d; i < geometry.rowBytes; ++i) {
    out[i] = static_cast<std::uint8_t>(current[i] - Predictor(Type, current[i - d], previous[i], previous[i - d]));
  }
}

void FilterRowOfType(int type, const std::uint8_t* current, const std::uint8_t* previous, std::uint8_t* out,
                     TRowGeometry geometry) {
  switch (type) {
    case kFilterSub:
      FilterRow<kFilterSub>(current, previous, out, geometry);
      break;
    case kFilterUp:
      FilterRow<kFilterUp>(current, previous, out, geometry);
      break;
    case kFilterAverage:
      FilterRow<kFilterAverage>(current, previous, out, geometry);
      break;
    case kFilterPaeth:
      FilterRow<kFilterPaeth>(current, previous, out, geometry);
      break;
    default:
      break;
  }
}

}  // namespace

TRowGeometry RowGeometryOf(const TPNGObject& image) {
  const TPNGHeader& header = image.ImageHeader();
  if (header.ColorType != COLOR_RGBALPHA || (header.BitDepth != 8 && header.BitDepth != 16)) {
    throw EPNGError("Only RGBA images of bit depth 8 or 16 can be saved.");
  }
  const std::size_t bytesPerPixel = header.BitDepth == 16 ? 8 : 4;
  return TRowGeometry{bytesPerPixel * static_cast<std::size_t>(header.Width), bytesPerPixel};
}

void LayOutRow(const TPNGObject& image, std::int32_t y, std::uint8_t* out) {
  const std::uint8_t* pixel = image.PixelRow(y);
  const std::uint8_t* alpha = image.AlphaRow(y);
  const std::int32_t width = image.Width();
  if (image.ImageHeader().BitDepth == 16) {
    for (std::int32_t x = 0; x < width; ++x, pixel += 3, out += 8) {
      out[0] = pixel[2];
      out[1] = 0;
      out[2] = pixel[1];
      out[3] = 0;
      out[4] = pixel[0];
      out[5] = 0;
      out[6] = alpha[x];
      out[7] = 0;
    }
    return;
  }
  for (std::int32_t x = 0; x < width; ++x, pixel += 3, out += 4) {
    out[0] = pixel[2];
    out[1] = pixel[1];
    out[2] = pixel[0];
    out[3] = alpha[x];
  }
}

std::size_t RepeatScore(const std::uint8_t* row, std::size_t length) {
  std::size_t score = 0;
  for (std::size_t j = 2; j < length; ++j) {
    score += static_cast<std::size_t>((row[j] == row[j - 1]) | (row[j] == row[j - 2]));
  }
  return score;
}

TScanlineFilter::TScanlineFilter(TRowGeometry geometry, std::uint8_t rowFilters)
    : geometry_(geometry),
      rowFilters_(rowFilters),
      current_(RowBuffer(geometry.rowBytes)),
      previous_(RowBuffer(geometry.rowBytes)) {
  // Only the filter types in the set get a candidate buffer.
  for (int type = kFilterSub; type < kFilterTypeCount; ++type) {
    if (InSet(rowFilters_, type)) {
      candidates_[type] = RowBuffer(geometry.rowBytes);
    }
  }
}

void TScanlineFilter::ComputeCandidate(int type) {
  FilterRowOfType(type, current_.data(), previous_.data(), candidates_[type].data(), geometry_);
}

std::uint8_t TScanlineFilter::ChooseAndCompute() {
  if (rowFilters_ == pfNone || rowFilters_ == 0) {
    return kFilterNone;
  }
  for (int type = kFilterSub; type < kFilterTypeCount; ++type) {
    if (rowFilters_ == (1 << type)) {
      ComputeCandidate(type);
      return static_cast<std::uint8_t>(type);
    }
  }
  // The types are tried in order and only a strictly higher score wins, so
  // once a candidate has the highest score a row can have, the remaining
  // types cannot win and are not computed.
  const std::size_t highest = geometry_.rowBytes >= 2 ? geometry_.rowBytes - 2 : 0;
  std::uint8_t bestType = kFilterNone;
  std::size_t bestScore = 0;
  for (int type = kFilterNone; type < kFilterTypeCount && bestScore < highest; ++type) {
    if (!InSet(rowFilters_, type)) {
      continue;
    }
    const std::uint8_t* candidate = current_.data();
    if (type != kFilterNone) {
      ComputeCandidate(type);
      candidate = candidates_[type].data();
    }
    const std::size_t score = RepeatScore(candidate, geometry_.rowBytes);
    if (score > bestScore) {
      bestType = static_cast<std::uint8_t>(type);
      bestScore = score;
    }
  }
  return bestType;
}

std::uint8_t TScanlineFilter::FilterChoice() {
  const std::uint8_t type = ChooseAndCompute();
  // The current row becomes the row above the next one and, meanwhile, the
  // None candidate of this one.
  std::swap(current_, previous_);
  return type;
}

const std::uint8_t* TScanlineFilter::Candidate(std::uint8_t type) const {
  if (type == kFilterNone) {
    return previous_.data();
  }
  return candidates_[type].data();
}

void EncodeImage(const TPNGObject& image, TDeflateStream& stream) {
  const TRowGeometry geometry = RowGeometryOf(image);
  TScanlineFilter filter(geometry, image.RowFilters());
  for (std::int32_t y = 0; y < image.Height(); ++y) {
    LayOutRow(image, y, filter.CurrentRow());
    const std::uint8_t type = filter.FilterChoice();
    stream.Write(&type, 1);
    stream.Write(filter.Candidate(type), geometry.rowBytes);
  }
  stream.Finish();
}

}  // namespace glyphory
