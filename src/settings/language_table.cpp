#include "settings/language_table.h"

#include "settings/ini_text.h"

namespace glyphory {

// The built-in texts are Windows-1251 bytes, written as escapes so that they
// are byte for byte what the window shows whatever the source encoding. Row 10
// begins with the Latin letter C, and rows 9 and 10 end with a blank: that is
// how the program has always shown them.
const std::array<LanguageRow, kLanguageRowCount> kLanguageRows = {{
    // 1: "Abc_Абё 123 (*:")"
    {"FontPrev", "lbFontPrev", LanguageProperty::Caption, "Abc_\xC0\xE1\xB8 123 (*:\")"},
    // 2: "Каталог для сохранения:"
    {"lbDir", "gbDir", LanguageProperty::Caption, "\xCA\xE0\xF2\xE0\xEB\xEE\xE3 \xE4\xEB\xFF \xF1\xEE\xF5\xF0\xE0\xED\xE5\xED\xE8\xFF:"},
    // 3: "Шрифт:"
    {"gbFont", "gbFont", LanguageProperty::Caption, "\xD8\xF0\xE8\xF4\xF2:"},
    // 4: "Размер шрифта:"
    {"lbFontSize", "lbFontSize", LanguageProperty::Caption, "\xD0\xE0\xE7\xEC\xE5\xF0 \xF8\xF0\xE8\xF4\xF2\xE0:"},
    // 5: "Оконтовка:"
    {"gbEdging", "tsEdging", LanguageProperty::Caption, "\xCE\xEA\xEE\xED\xF2\xEE\xE2\xEA\xE0:"},
    // 6: "Фон:"
    {"gbBackground", "gbBackground", LanguageProperty::Caption, "\xD4\xEE\xED:"},
    // 7: "Старт"
    {"bbtStart", "bbtStart", LanguageProperty::Caption, "\xD1\xF2\xE0\xF0\xF2"},
    // 8: "Язык:"
    {"gbLang", "gbLang", LanguageProperty::Caption, "\xDF\xE7\xFB\xEA:"},
    // 9: "Коды: "
    {"lbCodes", "lbCodes", LanguageProperty::Caption, "\xCA\xEE\xE4\xFB: "},
    // 10: "Cимволы: "
    {"gbChars", "gbChars", LanguageProperty::Caption, "C\xE8\xEC\xE2\xEE\xEB\xFB: "},
    // 11: "Набор (кодировка):"
    {"lbCharset", "gbCharset", LanguageProperty::Caption, "\xCD\xE0\xE1\xEE\xF0 (\xEA\xEE\xE4\xE8\xF0\xEE\xE2\xEA\xE0):"},
    // 12: "Полужирный"
    {"cbBold", "cbBold", LanguageProperty::Caption, "\xCF\xEE\xEB\xF3\xE6\xE8\xF0\xED\xFB\xE9"},
    // 13: "Курсив"
    {"cbItalic", "cbItalic", LanguageProperty::Caption, "\xCA\xF3\xF0\xF1\xE8\xE2"},
    // 14: "Предпросмотр"
    {"cbPreview", "gbPreview", LanguageProperty::Caption, "\xCF\xF0\xE5\xE4\xEF\xF0\xEE\xF1\xEC\xEE\xF2\xF0"},
    // 15: "Полупрозрачность"
    {"HalfTr", "gbFHalfTr", LanguageProperty::Caption, "\xCF\xEE\xEB\xF3\xEF\xF0\xEE\xE7\xF0\xE0\xF7\xED\xEE\xF1\xF2\xFC"},
    // 16: "Полупрозрачность"
    {"HalfTr", "gbEHalfTr", LanguageProperty::Caption, "\xCF\xEE\xEB\xF3\xEF\xF0\xEE\xE7\xF0\xE0\xF7\xED\xEE\xF1\xF2\xFC"},
    // 17: "Полупрозрачность"
    {"HalfTr", "gbBgHalfTr", LanguageProperty::Caption, "\xCF\xEE\xEB\xF3\xEF\xF0\xEE\xE7\xF0\xE0\xF7\xED\xEE\xF1\xF2\xFC"},
    // 18: "Полупрозрачность"
    {"HalfTr", "gbFHalfTr", LanguageProperty::Hint, "\xCF\xEE\xEB\xF3\xEF\xF0\xEE\xE7\xF0\xE0\xF7\xED\xEE\xF1\xF2\xFC"},
    // 19: "Полупрозрачность"
    {"HalfTr", "gbEHalfTr", LanguageProperty::Hint, "\xCF\xEE\xEB\xF3\xEF\xF0\xEE\xE7\xF0\xE0\xF7\xED\xEE\xF1\xF2\xFC"},
    // 20: "Полупрозрачность"
    {"HalfTr", "gbBgHalfTr", LanguageProperty::Hint, "\xCF\xEE\xEB\xF3\xEF\xF0\xEE\xE7\xF0\xE0\xF7\xED\xEE\xF1\xF2\xFC"},
    // 21: "Битность:"
    {"rgBit", "rgBit", LanguageProperty::Caption, "\xC1\xE8\xF2\xED\xEE\xF1\xF2\xFC:"},
    // 22: "Стоп"
    {"bbtStop", "bbtStop", LanguageProperty::Caption, "\xD1\xF2\xEE\xEF"},
    // 23: "Выход"
    {"bbtClose", "bbtClose", LanguageProperty::Caption, "\xC2\xFB\xF5\xEE\xE4"},
    // 24: "Справка"
    {"bbtHelp", "bbtHelp", LanguageProperty::Caption, "\xD1\xEF\xF0\xE0\xE2\xEA\xE0"},
    // 25: "Толщина:"
    {"lbTick", "lbTick", LanguageProperty::Caption, "\xD2\xEE\xEB\xF9\xE8\xED\xE0:"},
    // 26: "Цвет:"
    {"lbEdgColor", "lbEdgColor", LanguageProperty::Caption, "\xD6\xE2\xE5\xF2:"},
    // 27: "Цвет:"
    {"lbEdgColor", "lbFontColor", LanguageProperty::Caption, "\xD6\xE2\xE5\xF2:"},
    // 28: "Цвет:"
    {"lbEdgColor", "lbBGColor", LanguageProperty::Caption, "\xD6\xE2\xE5\xF2:"},
    // 29: "Другой шрифт:"
    {"gbOtherFont", "gbOtherFont", LanguageProperty::Caption, "\xC4\xF0\xF3\xE3\xEE\xE9 \xF8\xF0\xE8\xF4\xF2:"},
    // 30: "Эффекты:"
    {"gbEffects", "gbEffects", LanguageProperty::Caption, "\xDD\xF4\xF4\xE5\xEA\xF2\xFB:"},
    // 31: "Опции сохранения:"
    {"gbOptSave", "gbOptSave", LanguageProperty::Caption, "\xCE\xEF\xF6\xE8\xE8 \xF1\xEE\xF5\xF0\xE0\xED\xE5\xED\xE8\xFF:"},
    // 32: "Степень сжатия:"
    {"lbLvlComp", "gbLvlComp", LanguageProperty::Caption, "\xD1\xF2\xE5\xEF\xE5\xED\xFC \xF1\xE6\xE0\xF2\xE8\xFF:"},
    // 33: "Фильтр:"
    {"gbFilter", "gbFilter", LanguageProperty::Caption, "\xD4\xE8\xEB\xFC\xF2\xF0:"},
    // 34: "Жесткость (%):"
    {"lbRigidity", "lbRigidity", LanguageProperty::Caption, "\xC6\xE5\xF1\xF2\xEA\xEE\xF1\xF2\xFC (%):"},
    // 35: "Сглаживание"
    {"cbHalfTrFont", "cbSmoothing", LanguageProperty::Caption, "\xD1\xE3\xEB\xE0\xE6\xE8\xE2\xE0\xED\xE8\xE5"},
    // 36: "Единица измерения:"
    {"rgPxPT", "rgPxPT", LanguageProperty::Caption, "\xC5\xE4\xE8\xED\xE8\xF6\xE0 \xE8\xE7\xEC\xE5\xF0\xE5\xED\xE8\xFF:"},
    // 37: "Старт (BMP)"
    {"bbtStartBMP", "bbtStartBMP", LanguageProperty::Caption, "\xD1\xF2\xE0\xF0\xF2 (BMP)"},
    // 38: "Все символы"
    {"cbAllChars", "cbAllChars", LanguageProperty::Caption, "\xC2\xF1\xE5 \xF1\xE8\xEC\xE2\xEE\xEB\xFB"},
}};

const char* const kBuiltInPreviewSample = "As_\xC1\xB8 32 (*)";
const char* const kDefaultLanguage = "\xF0\xF3\xF1\xF1\xEA\xE8\xE9";

std::string LanguageFilePath(const std::string& programFolder) { return programFolder + kLanguageFileName; }

std::vector<std::string> LanguageNames(const TIniStore& table) { return table.ReadSections(); }

int FindLanguage(const std::vector<std::string>& names, std::string_view wanted) {
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (SameIniName(names[i], wanted)) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

std::string StoredLanguage(const TIniStore& settings) {
  return settings.ReadString(kLanguageSettingSection, kLanguageSettingKey, kDefaultLanguage);
}

LanguageTexts ReadLanguageTexts(const TIniStore& table, std::string_view section) {
  LanguageTexts texts;
  for (std::size_t i = 0; i < kLanguageRows.size(); ++i) {
    texts[i] = table.ReadString(section, kLanguageRows[i].key, kLanguageRows[i].builtIn);
  }
  return texts;
}

std::string ReadPreviewSample(const TIniStore& table, std::string_view section) {
  return table.ReadString(section, kPreviewSampleKey, kBuiltInPreviewSample);
}

}  // namespace glyphory
