// The interface-language table "lang.ini": one section per language, named
// with the language's display name, whose keys hold the texts of the main
// window's places. Every text a section does not define falls back to the
// built-in Russian text. All texts are Windows-1251 bytes.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "settings/ini_store.h"

namespace glyphory {

// Which property of a control a row of the table sets.
enum class LanguageProperty {
  Caption,  // the control's visible text (title, label, button or tab text)
  Hint,     // the base text an opacity group builds its caption from
};

// One place of the window: the key read from the language's section, the
// objectName of the control it feeds, the property set and the built-in text.
struct LanguageRow {
  const char* key;
  const char* control;
  LanguageProperty property;
  const char* builtIn;
};

inline constexpr std::size_t kLanguageRowCount = 38;

// The places in the order they are applied. Some keys feed several places
// (`HalfTr`, `lbEdgColor`) and some are named after another control than the
// one they set (`lbDir` sets `gbDir`).
extern const std::array<LanguageRow, kLanguageRowCount> kLanguageRows;

// The file name of the table in the program folder.
inline constexpr const char* kLanguageFileName = "lang.ini";

// The key of the preview's sample text. Keys are matched without regard to
// letter case, so this is the same entry as the first row's `FontPrev`; only
// the built-in texts differ.
inline constexpr const char* kPreviewSampleKey = "fontPrev";
extern const char* const kBuiltInPreviewSample;  // "As_Бё 32 (*)"

// Where the chosen language is kept in the settings file, and its default.
inline constexpr const char* kLanguageSettingSection = "common";
inline constexpr const char* kLanguageSettingKey = "lang";
extern const char* const kDefaultLanguage;  // "русский"

// The texts of the 38 places, in row order.
using LanguageTexts = std::array<std::string, kLanguageRowCount>;

// Program folder (ending in "/") + "lang.ini".
[[nodiscard]] std::string LanguageFilePath(const std::string& programFolder);

// The languages the table offers: its section names in file order. No file
// gives an empty list.
[[nodiscard]] std::vector<std::string> LanguageNames(const TIniStore& table);

// The index of the first name equal to `wanted` without regard to letter case;
// -1 when there is none (an empty `wanted` included, unless a section is
// named with the empty text).
[[nodiscard]] int FindLanguage(const std::vector<std::string>& names, std::string_view wanted);

// The language stored in the settings file, "русский" when the key is missing.
[[nodiscard]] std::string StoredLanguage(const TIniStore& settings);

// Reads every row's key from `section` with its built-in text as default, one
// file read per row. An empty or unknown section gives the built-in texts.
[[nodiscard]] LanguageTexts ReadLanguageTexts(const TIniStore& table, std::string_view section);

// The preview's sample text for `section`.
[[nodiscard]] std::string ReadPreviewSample(const TIniStore& table, std::string_view section);

}  // namespace glyphory
