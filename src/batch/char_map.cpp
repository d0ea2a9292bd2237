#include "batch/char_map.h"

namespace glyphory {

bool CharMapSelects(const TIniStore& map, const std::string& charset, const std::string& entry) {
  return map.ValueExists(charset, entry) || map.ValueExists(kCommonSection, entry);
}

std::int32_t CharMapNumber(const TIniStore& map, const std::string& charset, const std::string& entry,
                           std::int32_t code) {
  std::int32_t number = map.ReadInteger(kCommonSection, entry, code);
  if (map.ValueExists(charset, entry)) {
    number = map.ReadInteger(charset, entry, code);
  }
  return number;
}

}  // namespace glyphory
