#include "settings/language_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "glyph/code_page.h"
#include "test_support.h"

namespace glyphory {
namespace {

using test::TempDir;
using test::WriteFileBytes;

std::string Cp(const char8_t* utf8) {
  return Utf8ToCp1251(std::string(reinterpret_cast<const char*>(utf8)));
}

struct ExpectedRow {
  const char* key;
  const char* control;
  LanguageProperty property;
  const char8_t* text;
};

// The places as the window has always shown them, written readably here so a
// wrong byte in the table's escapes shows up.
const ExpectedRow kExpectedRows[] = {
    {"FontPrev", "lbFontPrev", LanguageProperty::Caption, u8"Abc_Абё 123 (*:\")"},
    {"lbDir", "gbDir", LanguageProperty::Caption, u8"Каталог для сохранения:"},
    {"gbFont", "gbFont", LanguageProperty::Caption, u8"Шрифт:"},
    {"lbFontSize", "lbFontSize", LanguageProperty::Caption, u8"Размер шрифта:"},
    {"gbEdging", "tsEdging", LanguageProperty::Caption, u8"Оконтовка:"},
    {"gbBackground", "gbBackground", LanguageProperty::Caption, u8"Фон:"},
    {"bbtStart", "bbtStart", LanguageProperty::Caption, u8"Старт"},
    {"gbLang", "gbLang", LanguageProperty::Caption, u8"Язык:"},
    {"lbCodes", "lbCodes", LanguageProperty::Caption, u8"Коды: "},
    {"gbChars", "gbChars", LanguageProperty::Caption, u8"Cимволы: "},
    {"lbCharset", "gbCharset", LanguageProperty::Caption, u8"Набор (кодировка):"},
    {"cbBold", "cbBold", LanguageProperty::Caption, u8"Полужирный"},
    {"cbItalic", "cbItalic", LanguageProperty::Caption, u8"Курсив"},
    {"cbPreview", "gbPreview", LanguageProperty::Caption, u8"Предпросмотр"},
    {"HalfTr", "gbFHalfTr", LanguageProperty::Caption, u8"Полупрозрачность"},
    {"HalfTr", "gbEHalfTr", LanguageProperty::Caption, u8"Полупрозрачность"},
    {"HalfTr", "gbBgHalfTr", LanguageProperty::Caption, u8"Полупрозрачность"},
    {"HalfTr", "gbFHalfTr", LanguageProperty::Hint, u8"Полупрозрачность"},
    {"HalfTr", "gbEHalfTr", LanguageProperty::Hint, u8"Полупрозрачность"},
    {"HalfTr", "gbBgHalfTr", LanguageProperty::Hint, u8"Полупрозрачность"},
    {"rgBit", "rgBit", LanguageProperty::Caption, u8"Битность:"},
    {"bbtStop", "bbtStop", LanguageProperty::Caption, u8"Стоп"},
    {"bbtClose", "bbtClose", LanguageProperty::Caption, u8"Выход"},
    {"bbtHelp", "bbtHelp", LanguageProperty::Caption, u8"Справка"},
    {"lbTick", "lbTick", LanguageProperty::Caption, u8"Толщина:"},
    {"lbEdgColor", "lbEdgColor", LanguageProperty::Caption, u8"Цвет:"},
    {"lbEdgColor", "lbFontColor", LanguageProperty::Caption, u8"Цвет:"},
    {"lbEdgColor", "lbBGColor", LanguageProperty::Caption, u8"Цвет:"},
    {"gbOtherFont", "gbOtherFont", LanguageProperty::Caption, u8"Другой шрифт:"},
    {"gbEffects", "gbEffects", LanguageProperty::Caption, u8"Эффекты:"},
    {"gbOptSave", "gbOptSave", LanguageProperty::Caption, u8"Опции сохранения:"},
    {"lbLvlComp", "gbLvlComp", LanguageProperty::Caption, u8"Степень сжатия:"},
    {"gbFilter", "gbFilter", LanguageProperty::Caption, u8"Фильтр:"},
    {"lbRigidity", "lbRigidity", LanguageProperty::Caption, u8"Жесткость (%):"},
    {"cbHalfTrFont", "cbSmoothing", LanguageProperty::Caption, u8"Сглаживание"},
    {"rgPxPT", "rgPxPT", LanguageProperty::Caption, u8"Единица измерения:"},
    {"bbtStartBMP", "bbtStartBMP", LanguageProperty::Caption, u8"Старт (BMP)"},
    {"cbAllChars", "cbAllChars", LanguageProperty::Caption, u8"Все символы"},
};

TEST(LanguageRowsTest, EveryRowHasItsKeyControlPropertyAndBuiltInBytes) {
  ASSERT_EQ(std::size(kExpectedRows), kLanguageRows.size());
  for (std::size_t i = 0; i < kLanguageRows.size(); ++i) {
    SCOPED_TRACE("row " + std::to_string(i + 1));
    EXPECT_STREQ(kLanguageRows[i].key, kExpectedRows[i].key);
    EXPECT_STREQ(kLanguageRows[i].control, kExpectedRows[i].control);
    EXPECT_EQ(kLanguageRows[i].property, kExpectedRows[i].property);
    EXPECT_EQ(std::string(kLanguageRows[i].builtIn), Cp(kExpectedRows[i].text));
  }
}

TEST(LanguageRowsTest, TextsThatLookAlikeKeepTheirExactBytes) {
  // The characters group begins with the Latin C (0x43), not the Cyrillic one.
  EXPECT_EQ(kLanguageRows[9].builtIn[0], 'C');
  EXPECT_EQ(std::string(kLanguageRows[8].builtIn).back(), ' ');
  EXPECT_EQ(std::string(kLanguageRows[9].builtIn).back(), ' ');
  EXPECT_EQ(std::string(kLanguageRows[0].builtIn).substr(std::string(kLanguageRows[0].builtIn).size() - 3), ":\")");
  EXPECT_EQ(std::string(kBuiltInPreviewSample), Cp(u8"As_Бё 32 (*)"));
  EXPECT_EQ(std::string(kDefaultLanguage), Cp(u8"русский"));
}

class LanguageTableTest : public testing::Test {
 protected:
  void WriteTable(const std::string& utf8Text) { WriteFileBytes(tablePath_, Utf8ToCp1251(utf8Text)); }

  // The row indexes whose text differs from the built-in one.
  [[nodiscard]] std::vector<std::size_t> ChangedRows(const LanguageTexts& texts) const {
    std::vector<std::size_t> changed;
    for (std::size_t i = 0; i < texts.size(); ++i) {
      if (texts[i] != kLanguageRows[i].builtIn) {
        changed.push_back(i);
      }
    }
    return changed;
  }

  TempDir dir_;
  std::string tablePath_ = LanguageFilePath(dir_.Path().string() + "/");
  TIniStore table_{tablePath_};
  TIniStore settings_{dir_.File("Glyphory.ini")};
};

TEST_F(LanguageTableTest, ListFollowsFileOrderAndStoredDefaultSelectsRussian) {
  WriteTable("[English]\r\nbbtStart=Start\r\n[русский]\r\nbbtStart=Старт\r\n");
  const std::vector<std::string> names = LanguageNames(table_);
  ASSERT_EQ(names.size(), 2u);
  EXPECT_EQ(names[0], "English");
  EXPECT_EQ(names[1], Cp(u8"русский"));
  EXPECT_EQ(FindLanguage(names, StoredLanguage(settings_)), 1);
}

TEST_F(LanguageTableTest, StoredNameIsMatchedWithoutLetterCase) {
  WriteTable("[English]\r\n[русский]\r\n");
  WriteFileBytes(settings_.Path(), Utf8ToCp1251("[common]\r\nlang=РУССКИЙ\r\n"));
  EXPECT_EQ(FindLanguage(LanguageNames(table_), StoredLanguage(settings_)), 1);
}

TEST_F(LanguageTableTest, EmptyStoredLanguageSelectsNothingAndAppliesBuiltInTexts) {
  WriteTable("[русский]\r\nbbtStart=Пуск\r\n");
  WriteFileBytes(settings_.Path(), "[common]\r\nlang=\r\n");
  const std::string stored = StoredLanguage(settings_);
  EXPECT_EQ(stored, "");
  EXPECT_EQ(FindLanguage(LanguageNames(table_), stored), -1);
  EXPECT_TRUE(ChangedRows(ReadLanguageTexts(table_, "")).empty());
}

TEST_F(LanguageTableTest, SectionTextsReplaceTheirRowsAndMissingKeysFallBack) {
  WriteTable("[English]\r\nbbtStart=Start\r\nLBCODES=\"Codes: \"\r\nlbEdgColor=Colour:\r\n");
  const LanguageTexts texts = ReadLanguageTexts(table_, "english");
  EXPECT_EQ(ChangedRows(texts), (std::vector<std::size_t>{6, 8, 25, 26, 27}));
  EXPECT_EQ(texts[6], "Start");
  EXPECT_EQ(texts[8], "Codes: ");
  EXPECT_EQ(texts[27], "Colour:");
  EXPECT_EQ(texts[22], Cp(u8"Выход"));
}

TEST_F(LanguageTableTest, SectionWithOnlyHalfTrChangesTheThreeOpacityCaptionsAndHints) {
  WriteTable("[Deutsch]\r\nHalfTr=Deckkraft\r\n");
  const LanguageTexts texts = ReadLanguageTexts(table_, "Deutsch");
  EXPECT_EQ(ChangedRows(texts), (std::vector<std::size_t>{14, 15, 16, 17, 18, 19}));
  for (std::size_t i = 14; i <= 19; ++i) {
    EXPECT_EQ(texts[i], "Deckkraft");
  }
}

TEST_F(LanguageTableTest, FontPrevSetsBothTheSampleLabelAndThePreviewSample) {
  WriteTable("[English]\r\nFontPrev=Sample 1\r\n[Bare]\r\nbbtStop=Stop\r\n");
  EXPECT_EQ(ReadLanguageTexts(table_, "English")[0], "Sample 1");
  EXPECT_EQ(ReadPreviewSample(table_, "English"), "Sample 1");
  // Without the key the two places keep their own built-in texts.
  EXPECT_EQ(ReadLanguageTexts(table_, "Bare")[0], kLanguageRows[0].builtIn);
  EXPECT_EQ(ReadPreviewSample(table_, "Bare"), kBuiltInPreviewSample);
}

TEST_F(LanguageTableTest, NoTableGivesNoLanguagesAndTheBuiltInTexts) {
  EXPECT_TRUE(LanguageNames(table_).empty());
  EXPECT_EQ(FindLanguage(LanguageNames(table_), StoredLanguage(settings_)), -1);
  const LanguageTexts texts = ReadLanguageTexts(table_, "");
  EXPECT_TRUE(ChangedRows(texts).empty());
  EXPECT_EQ(texts[7], Cp(u8"Язык:"));
  EXPECT_EQ(texts[4], Cp(u8"Оконтовка:"));
  EXPECT_EQ(ReadPreviewSample(table_, ""), kBuiltInPreviewSample);
}

// The table that ships with the program defines every place in both languages.
TEST(ShippedLanguageTableTest, RussianAndEnglishDefineEveryKey) {
  const TIniStore table(std::string(GLYPHORY_SOURCE_DIR) + "/data/lang.ini");
  const std::vector<std::string> names = LanguageNames(table);
  ASSERT_EQ(names, (std::vector<std::string>{Cp(u8"русский"), "English"}));
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    for (const LanguageRow& row : kLanguageRows) {
      EXPECT_TRUE(table.ValueExists(name, row.key)) << row.key;
    }
    EXPECT_TRUE(table.ValueExists(name, kPreviewSampleKey));
  }
  // Quoted values keep their trailing blank.
  EXPECT_EQ(ReadLanguageTexts(table, Cp(u8"русский"))[8], Cp(u8"Коды: "));
  EXPECT_EQ(ReadLanguageTexts(table, "English")[6], "Start");
}

}  // namespace
}  // namespace glyphory
