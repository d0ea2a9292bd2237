// The keys of the settings file: section, key, kind, default and the range of
// the control each one feeds, in the order the window loads them. The window
// and the command line read them through the same rules.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "glyph/platform.h"
#include "settings/ini_store.h"

namespace glyphory {

enum class SettingKind { Text, Integer, Flag, Colour };

// How a stored integer is brought into its control's range.
enum class SettingRange {
  None,        // taken as read
  Clamp,       // track bars and spin edits: into minimum..maximum
  RadioIndex,  // above the last item: the last item; below -1: -1
  ComboIndex,  // outside the items: -1 (no selection)
};

enum class SettingId {
  OutputFolder, FontSize, FontName, FontColor, EdgeWidth, EdgeColor, BgColor, Bold, Italic, Codes,
  FontAlpha, BitDepth, CustomFont, BgAlpha, EdgeAlpha, Filter, Compress, Charset, Correction, Smooth,
  ShowBmp, AllChars, Log, Language, Preview, UseCustomFont, NameNumberOffset, NameFormat,
};

struct SettingKey {
  SettingId id;
  const char* section;
  const char* key;
  SettingKind kind;
  const char* defaultText;    // text kinds; colour kinds: its colour text
  std::int32_t defaultValue;  // integer and flag kinds
  SettingRange range;
  std::int32_t minimum;
  std::int32_t maximum;
};

// Every key, in the window's loading order (the first 22 are read at start-up,
// from `dir` down to `AllChars`).
extern const std::array<SettingKey, 28> kSettingKeys;
constexpr std::size_t kStartupKeyCount = 22;

[[nodiscard]] const SettingKey& SettingKeyOf(SettingId id);

// A value as read: `text` for text kinds, `number` for the others (a colour's
// 32-bit value, a flag as 0 or 1).
struct SettingValue {
  std::string text;
  std::int32_t number = 0;
};

// Reads one key with its default and brings it into its control's range. The
// output folder's default is the program folder followed by "out". A colour
// that does not convert throws the conversion error.
[[nodiscard]] SettingValue ReadSetting(const TIniStore& store, const SettingKey& key,
                                       const std::string& programFolder);

// The settings that shape an export, as stored (text in Windows-1251). The
// key table holds their defaults; ReadStoredSettings fills every field.
struct StoredSettings {
  std::string outputFolder;
  std::int32_t fontSize{};
  std::string fontName;
  TColor fontColor{};
  std::int32_t edgeWidth{};
  TColor edgeColor{};
  TColor bgColor{};
  bool bold{};
  bool italic{};
  std::string codes;
  std::int32_t fontAlpha{};
  std::int32_t bitDepthIndex{};  // 0 "16", 1 "8", -1 none
  std::string customFont;
  std::int32_t bgAlpha{};
  std::int32_t edgeAlpha{};
  std::int32_t filterIndex{};
  std::int32_t compress{};
  std::int32_t charsetRow{};
  std::int32_t correction{};
  bool smooth{};
  bool allChars{};
  std::string language;
  bool useCustomFont{};
  std::int32_t nameNumberOffset{};
  std::string nameFormat;
};

// Reads every key that shapes an export. Throws the conversion error for a
// colour that does not convert.
[[nodiscard]] StoredSettings ReadStoredSettings(const TIniStore& store, const std::string& programFolder);

}  // namespace glyphory
