#include "settings/charset_table.h"

namespace glyphory {

std::uint8_t CharsetOfRow(int row) {
  if (row < 0 || row >= static_cast<int>(CharsetTable.size())) {
    row = kDefaultCharsetRow;
  }
  return CharsetTable[static_cast<std::size_t>(row)].value;
}

}  // namespace glyphory
