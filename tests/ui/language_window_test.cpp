// The interface language through the main window: the list filled from
// "lang.ini" at start, the stored choice, picking a language, the preview
// sample, and the shipped data files.
#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QSlider>
#include <QTabWidget>
#include <filesystem>
#include <map>

#include "batch/glyph_pipeline.h"
#include "glyph/code_page.h"
#include "settings/language_table.h"
#include "shown_text.h"
#include "ui/image_button.h"
#include "window_fixture.h"

namespace glyphory::test {
namespace {

namespace fs = std::filesystem;

QString Unicode(const std::string& cp1251) { return QString::fromStdString(Cp1251ToUtf8(cp1251)); }

class LanguageWindowTest : public WindowTest {
 protected:
  // Writes "lang.ini" from UTF-8 text (stored as Windows-1251).
  void WriteTable(const std::string& utf8) { WriteFileBytes(folder + "lang.ini", Utf8ToCp1251(utf8)); }

  [[nodiscard]] QComboBox* Languages() const { return Find<QComboBox>("cbLang"); }

  // What the user does: choose an entry of the list.
  void Pick(int index) {
    Languages()->setCurrentIndex(index);
    emit Languages()->activated(index);
  }

  [[nodiscard]] QStringList Items() const {
    QStringList items;
    for (int i = 0; i < Languages()->count(); ++i) {
      items << Languages()->itemText(i);
    }
    return items;
  }

  // The text a row of the language table sets, as the window shows it now.
  [[nodiscard]] QString PlaceText(const LanguageRow& row) const {
    const auto* control = Find<QWidget>(row.control);
    if (row.property == LanguageProperty::Hint) {
      return control->property("hint").toString();
    }
    return ShownText(*control);
  }

  // Every place shows `texts[key]` when the key is there, else its built-in text.
  void ExpectPlaces(const std::map<std::string, QString>& texts) const {
    for (const LanguageRow& row : kLanguageRows) {
      const auto found = texts.find(row.key);
      const QString expected = found != texts.end() ? found->second : Unicode(row.builtIn);
      EXPECT_EQ(PlaceText(row), expected) << row.key << " -> " << row.control;
    }
  }
};

TEST_F(LanguageWindowTest, TheListFollowsTheFileAndRussianIsChosenWhenNothingIsStored) {
  WriteTable("[English]\ngbLang=Language:\n[русский]\ngbLang=Язык интерфейса:\nHalfTr=Прозрачность\n");
  Open();
  EXPECT_EQ(Items(), (QStringList{QStringLiteral("English"), QStringLiteral("русский")}));
  EXPECT_EQ(Languages()->currentIndex(), 1);
  ExpectPlaces({{"gbLang", QStringLiteral("Язык интерфейса:")}, {"HalfTr", QStringLiteral("Прозрачность")}});
  // Applying the language left the opacity captions without their position.
  EXPECT_EQ(Find<QGroupBox>("gbFHalfTr")->title(), QStringLiteral("Прозрачность"));
  EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(LanguageWindowTest, AStoredNameIsFoundWithoutRegardToCase) {
  WriteTable("[English]\nbbtStart=Start\n[русский]\n");
  WriteSettings("[common]\nlang=ENGLISH\n");
  Open();
  EXPECT_EQ(Languages()->currentIndex(), 0);
  EXPECT_EQ(Find<QAbstractButton>("bbtStart")->text(), QStringLiteral("Start"));
}

TEST_F(LanguageWindowTest, AnEmptyStoredNameSelectsNothingUntilTheUserPicks) {
  WriteTable("[русский]\ngbLang=Язык интерфейса:\n");
  WriteSettings("[common]\nlang=\n");
  Open();
  EXPECT_EQ(Languages()->count(), 1);
  EXPECT_EQ(Languages()->currentIndex(), -1);
  ExpectPlaces({});

  Pick(0);
  EXPECT_EQ(Find<QGroupBox>("gbLang")->title(), QStringLiteral("Язык интерфейса:"));
}

TEST_F(LanguageWindowTest, PickingALanguageChangesEveryPlaceAndMissingKeysFallBack) {
  std::string english = "[русский]\n[English]\n";
  std::map<std::string, QString> texts;
  for (const LanguageRow& row : kLanguageRows) {
    const std::string key = row.key;
    if (key == "lbEdgColor" || key == "cbAllChars" || key == "gbChars") {
      continue;  // left to the built-in texts
    }
    texts[key] = QString::fromStdString("E " + key);
    english += key + "=E " + key + "\n";
  }
  WriteTable(english);
  Open();
  ExpectPlaces({});

  Languages()->setCurrentIndex(1);  // a change of the list alone applies nothing
  EXPECT_EQ(Find<QGroupBox>("gbLang")->title(), QStringLiteral("Язык:"));

  Pick(1);
  ExpectPlaces(texts);
  for (const char* name : {"lbCodes", "lbFontSize", "lbRigidity", "lbTick"}) {
    const auto* label = Find<QLabel>(name);
    EXPECT_GE(label->width(), label->sizeHint().width()) << name << ": a longer text is not cut off";
  }
  EXPECT_EQ(Find<QGroupBox>("gbChars")->title(), QStringLiteral("Cимволы: "));  // the Latin C, kept
}

TEST_F(LanguageWindowTest, ASectionWithOnlyHalfTrRenamesTheOpacityGroupsAndNothingElse) {
  WriteTable("[Only]\nHalfTr=Opacity\n");
  WriteSettings("[common]\nlang=Only\n");
  Open();
  ExpectPlaces({{"HalfTr", QStringLiteral("Opacity")}});

  Find<QSlider>("tbFHalfTr")->setValue(100);
  EXPECT_EQ(Find<QGroupBox>("gbFHalfTr")->title(), QStringLiteral("Opacity [100]"));
  EXPECT_EQ(Find<QGroupBox>("gbEHalfTr")->title(), QStringLiteral("Opacity"));
  EXPECT_EQ(Find<QGroupBox>("gbBgHalfTr")->title(), QStringLiteral("Opacity"));
}

TEST_F(LanguageWindowTest, FontPrevSetsTheSampleLabelAndTheTextThePreviewRenders) {
  WriteTable("[русский]\n[Wide]\nfontPrev=WWW www 42\n");
  WriteSettings("[font]\nname=DejaVu Sans\nsize=20\n");
  Open();
  Find<QGroupBox>("gbPreview")->setChecked(true);
  const QImage builtIn = Find<TPngButton>("pngPreview")->Image();
  ASSERT_FALSE(builtIn.isNull());
  EXPECT_EQ(builtIn, ToQImage(*RenderPreview(window->FontRecord(), window->Options(), kBuiltInPreviewSample)));

  Pick(1);
  EXPECT_EQ(Find<QLabel>("lbFontPrev")->text(), QStringLiteral("WWW www 42"));
  Find<QGroupBox>("gbPreview")->setChecked(false);
  Find<QGroupBox>("gbPreview")->setChecked(true);
  EXPECT_EQ(Find<TPngButton>("pngPreview")->Image(),
            ToQImage(*RenderPreview(window->FontRecord(), window->Options(), "WWW www 42")));
}

TEST_F(LanguageWindowTest, WithoutATableTheListIsEmptyAndTheBuiltInTextsShow) {
  Open();
  EXPECT_EQ(Languages()->count(), 0);
  ExpectPlaces({});
  EXPECT_EQ(Find<QGroupBox>("gbLang")->title(), QStringLiteral("Язык:"));
  const auto* tabs = Find<QTabWidget>("RzPageControl1");
  EXPECT_EQ(tabs->tabText(0), QStringLiteral("Оконтовка:"));
  for (const char* group : {"gbFHalfTr", "gbEHalfTr", "gbBgHalfTr"}) {
    EXPECT_EQ(Find<QGroupBox>(group)->title(), QStringLiteral("Полупрозрачность")) << group;
  }
}

// ---- the shipped data files ----

const std::string kProgramDir = GLYPHORY_PROGRAM_DIR;
const std::string kDataDir = std::string(GLYPHORY_SOURCE_DIR) + "/data/";

TEST_F(LanguageWindowTest, TheBuildPutsTheDataFilesNextToTheProgram) {
  int files = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(kDataDir)) {
    const std::string name = entry.path().filename().string();
    EXPECT_EQ(ReadFileBytes(kProgramDir + "/" + name), ReadFileBytes(entry.path().string())) << name;
    ++files;
  }
  EXPECT_GE(files, 3);
}

TEST_F(LanguageWindowTest, TheProgramStartsInRussianFromItsShippedTable) {
  for (const char* name : {"lang.ini", "charsmod.ini", "readme.txt"}) {
    fs::copy_file(kProgramDir + "/" + name, folder + name);
  }
  Open();
  EXPECT_EQ(Items(), (QStringList{QStringLiteral("русский"), QStringLiteral("English")}));
  EXPECT_EQ(Languages()->currentText(), QStringLiteral("русский"));
  EXPECT_EQ(Find<QGroupBox>("gbFont")->title(), QStringLiteral("Шрифт:"));
  EXPECT_EQ(Find<QGroupBox>("gbLang")->title(), QStringLiteral("Язык:"));
  EXPECT_EQ(Find<QAbstractButton>("bbtStartBMP")->text(), QStringLiteral("Старт (BMP)"));
  EXPECT_EQ(Find<QLabel>("lbCodes")->text(), QStringLiteral("Коды: "));
  EXPECT_EQ(Find<QGroupBox>("gbBgHalfTr")->title(), QStringLiteral("Полупрозрачность"));

  Pick(1);
  EXPECT_EQ(Find<QGroupBox>("gbFont")->title(), QStringLiteral("Font:"));
  EXPECT_EQ(Find<QAbstractButton>("bbtStart")->text(), QStringLiteral("Start"));
  EXPECT_EQ(Find<QLabel>("lbCodes")->text(), QStringLiteral("Codes: "));
  EXPECT_EQ(Find<QGroupBox>("gbBgHalfTr")->title(), QStringLiteral("Opacity"));
  EXPECT_TRUE(dialogs.errors.isEmpty());
}

}  // namespace
}  // namespace glyphory::test
