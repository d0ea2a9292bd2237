// Loading and saving the settings file through the window's controls.
#include <sys/stat.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QSlider>
#include <QSpinBox>
#include <sstream>
#include <utility>
#include <vector>

#include "glyph/font_registry.h"
#include "settings/ini_store.h"
#include "ui/button_edit.h"
#include "ui/color_swatch.h"
#include "ui/font_list.h"
#include "ui/radio_group.h"
#include "window_fixture.h"

namespace glyphory::test {
namespace {

using Layout = std::vector<std::pair<std::string, std::vector<std::string>>>;

// Sections and their keys in file order.
Layout ReadLayout(const std::string& path) {
  Layout layout;
  std::istringstream lines(ReadFileBytes(path));
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    if (line.size() > 1 && line.front() == '[') {
      layout.push_back({line.substr(1, line.size() - 2), {}});
    } else if (const auto eq = line.find('='); eq != std::string::npos && !layout.empty()) {
      layout.back().second.push_back(line.substr(0, eq));
    }
  }
  return layout;
}

using SettingsTest = WindowTest;

TEST_F(SettingsTest, FirstStartShowsEveryDefaultAndTheFirstCloseWritesTheKeysInOrder) {
  Open();
  EXPECT_EQ(Find<TButtonEdit>("btedOutFolder")->text().toStdString(), folder + "out");
  EXPECT_EQ(Find<TColorSwatch>("cedFontCol")->SelectedColor(), clBlack);
  EXPECT_EQ(Find<TColorSwatch>("cedOkonCol")->SelectedColor(), clWhite);
  EXPECT_EQ(Find<QSpinBox>("sedOkont")->value(), 1);
  EXPECT_EQ(Find<TColorSwatch>("cedBackCol")->SelectedColor(), clFuchsia);
  EXPECT_EQ(Find<QSlider>("tbFHalfTr")->value(), 240);
  EXPECT_EQ(Find<QSlider>("tbEHalfTr")->value(), 240);
  EXPECT_EQ(Find<QSlider>("tbBgHalfTr")->value(), 0);
  EXPECT_EQ(Find<TRadioGroup>("rgBit")->ItemIndex(), 0);
  EXPECT_EQ(Find<QComboBox>("cbFilter")->currentText(), QStringLiteral("All"));
  EXPECT_EQ(Find<QSlider>("tbCompress")->value(), 9);
  EXPECT_EQ(Find<QComboBox>("cbCharset")->currentText(), QStringLiteral("DEFAULT_CHARSET"));
  EXPECT_EQ(Find<QSpinBox>("seClType")->value(), 40);
  EXPECT_EQ(Find<QSpinBox>("sedFontSize")->value(), 10);
  EXPECT_EQ(Find<TRadioGroup>("rgPxPT")->ItemIndex(), 0);
  EXPECT_EQ(Find<QLineEdit>("edCodes")->text(), QStringLiteral("32-126,168,176,184,192-255"));
  EXPECT_FALSE(Find<QPushButton>("bbtStartBMP")->isHidden());
  // Verdana is not installed here: the list shows the face that will be drawn.
  const QString drawn = QString::fromStdString(FontRegistry::Instance().MatchedFamily("Verdana"));
  EXPECT_EQ(Find<TFontListBox>("FontList")->SelectedFace(), drawn);
  EXPECT_EQ(window->FontRecord().FaceName(), drawn.toStdString());
  EXPECT_TRUE(dialogs.errors.isEmpty());

  window->close();
  const Layout expected = {
      {"frmMainFormState", {"Maximized", "Left", "Top", "Saved"}},
      {"save", {"dir", "Font_HalfTrValue", "BitDepth", "BG_HalfTrValue", "Edg_HalfTrValue", "Filter", "Compress"}},
      {"font",
       {"size", "name", "color", "Bold", "Italic", "UseCustomFont", "CustomFont", "correction", "Smooth", "charset"}},
      {"edging", {"width", "color"}},
      {"Background", {"color"}},
      {"common", {"lang", "preview", "codes"}},
      {"bmp", {"AllChars"}},
  };
  EXPECT_EQ(ReadLayout(SettingsPath()), expected);
  const TIniStore stored(SettingsPath());
  EXPECT_EQ(stored.ReadString("font", "name", ""), drawn.toStdString());
  EXPECT_EQ(stored.ReadString("font", "color", ""), "clBlack");
  EXPECT_EQ(stored.ReadString("Background", "color", ""), "clFuchsia");
  EXPECT_EQ(stored.ReadInteger("save", "Filter", 0), 5);
  EXPECT_EQ(stored.ReadInteger("font", "charset", 0), 1);
  EXPECT_EQ(stored.ReadString("common", "preview", ""), "0");
}

TEST_F(SettingsTest, StoredValuesAreBroughtIntoTheControlsAndWrittenBack) {
  WriteSettings(
      "[font]\ncolor=$000000FF\nsize=\n[save]\nFilter=6\nCompress=0x10\nBitDepth=7\n"
      "[common]\nbmp=0\n[edging]\nwidth=99\n");
  Open();
  EXPECT_EQ(Find<TColorSwatch>("cedFontCol")->SelectedColor(), 0x0000FFu);
  EXPECT_EQ(Find<QSpinBox>("sedFontSize")->value(), 10);
  EXPECT_EQ(Find<QComboBox>("cbFilter")->currentIndex(), -1);
  EXPECT_EQ(Find<QSlider>("tbCompress")->value(), 9);
  EXPECT_EQ(Find<TRadioGroup>("rgBit")->ItemIndex(), 1);
  EXPECT_EQ(Find<QSpinBox>("sedOkont")->value(), 50);
  EXPECT_TRUE(Find<QPushButton>("bbtStartBMP")->isHidden());
  window->close();
  const TIniStore stored(SettingsPath());
  EXPECT_EQ(stored.ReadString("font", "color", ""), "clRed");
  EXPECT_EQ(stored.ReadString("save", "Filter", ""), "-1");
  EXPECT_EQ(stored.ReadString("save", "Compress", ""), "9");
  EXPECT_EQ(stored.ReadString("common", "bmp", ""), "0");  // only read, never written
}

TEST_F(SettingsTest, AColourThatDoesNotConvertStopsStartUpAndLaterControlsKeepTheirDesignValues) {
  WriteSettings("[font]\nsize=20\ncolor=red\n[save]\nCompress=3\nFont_HalfTrValue=100\nFilter=2\n");
  Open();
  ASSERT_EQ(dialogs.errors.size(), 1);
  EXPECT_EQ(dialogs.errors.front(), QStringLiteral("'red' is not a valid integer value."));
  EXPECT_EQ(Find<QSpinBox>("sedFontSize")->value(), 20);     // before the colour
  EXPECT_EQ(Find<QSlider>("tbCompress")->value(), 1);        // design position
  EXPECT_EQ(Find<QSlider>("tbFHalfTr")->value(), 1);         // design position
  EXPECT_EQ(Find<QComboBox>("cbFilter")->currentIndex(), 0);  // design "None"
  EXPECT_EQ(Find<QComboBox>("cbCharset")->currentIndex(), -1);
  EXPECT_TRUE(Find<QPushButton>("bbtStartBMP")->isHidden());
}

TEST_F(SettingsTest, GarbageInEveryKeyGivesOneClearMessageAndTheWindowStillCloses) {
  WriteSettings(
      "[frmMainFormState]\nMaximized=yes\nLeft=abc\nTop=\x01\x02\nSaved=maybe\n"
      "[save]\ndir=\nFont_HalfTrValue=zz\nBitDepth=-9\nBG_HalfTrValue=$$\nEdg_HalfTrValue=1e5\nFilter=x\n"
      "Compress=-5\nNameNumberOffset=q\n"
      "[font]\nsize=big\nname=\xFF\xFE\ncolor=zz\nBold=?\nItalic=!!\nCustomFont=/no/such/file.ttf\ncharset=99\n"
      "correction=-1\nSmooth=0x\n"
      "[edging]\nwidth=-3\n[common]\ncodes=\xFF\nbmp=no\n[bmp]\nAllChars=9\n");
  Open();
  ASSERT_EQ(dialogs.errors.size(), 1);
  EXPECT_EQ(dialogs.errors.front(), QStringLiteral("'zz' is not a valid integer value."));
  EXPECT_EQ(Find<QSpinBox>("sedFontSize")->value(), 10);
  window->close();
  EXPECT_TRUE(window->isHidden());
  EXPECT_EQ(dialogs.errors.size(), 1);
}

TEST_F(SettingsTest, AFaceThatIsNotInstalledSelectsTheFamilyDrawnInItsPlace) {
  WriteSettings("[font]\nname=No Such Face 4711\n");
  Open();
  const QString drawn = QString::fromStdString(FontRegistry::Instance().MatchedFamily("No Such Face 4711"));
  ASSERT_FALSE(drawn.isEmpty());
  EXPECT_EQ(Find<TFontListBox>("FontList")->SelectedFace(), drawn);
  window->close();
  EXPECT_EQ(TIniStore(SettingsPath()).ReadString("font", "name", ""), drawn.toStdString());
}

TEST_F(SettingsTest, AReadOnlySettingsFileIsReportedAtCloseAndKeptAsItWas) {
  const std::string original = "[save]\nCompress=3\n";
  WriteSettings(original);
  ASSERT_EQ(::chmod(SettingsPath().c_str(), 0444), 0);
  Open();
  window->close();
  const QString expected = QString::fromStdString("Unable to write to " + SettingsPath());
  EXPECT_EQ(dialogs.errorMessages, QStringList{expected});           // the window-state record
  EXPECT_EQ(dialogs.errors, QStringList{expected + QLatin1Char('.')});  // the settings
  EXPECT_TRUE(window->isHidden());
  EXPECT_EQ(ReadFileBytes(SettingsPath()), original);
}

TEST_F(SettingsTest, ASavedWindowStateIsRestoredInsteadOfCentring) {
  WriteSettings("[frmMainFormState]\nLeft=100\nTop=50\nSaved=1\n");
  Open();
  EXPECT_EQ(window->pos(), QPoint(100, 50));
}

TEST_F(SettingsTest, ThePositionAtCloseIsWhereTheNextStartOpens) {
  Open();
  window->move(140, 70);
  window->close();
  window.reset();
  Open();
  EXPECT_EQ(window->pos(), QPoint(140, 70));
  EXPECT_FALSE(window->isMaximized());
}

TEST_F(SettingsTest, WindowHasItsFixedClientAreaAndControlBounds) {
  Open();
  EXPECT_EQ(window->size(), QSize(865, 512));
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Glyphory"));
  const std::vector<std::pair<const char*, QRect>> bounds = {
      {"gbFont", {8, 8, 401, 401}},      {"gbPreview", {8, 416, 361, 73}},   {"gbDir", {416, 8, 305, 37}},
      {"gbEffects", {416, 48, 305, 137}}, {"gbBackground", {416, 192, 305, 113}}, {"gbChars", {417, 312, 296, 97}},
      {"gbCharset", {544, 320, 161, 49}}, {"gbOptSave", {376, 416, 337, 73}}, {"gbLang", {733, 2, 129, 41}},
      {"bbtStart", {728, 96, 129, 41}},   {"bbtStop", {728, 137, 129, 25}},   {"bbtStartBMP", {728, 163, 129, 40}},
      {"cbAllChars", {736, 208, 121, 17}}, {"bbtHelp", {721, 411, 128, 25}},  {"bbtClose", {721, 443, 128, 38}},
      {"sedFontSize", {128, 0, 65, 21}},  {"cedFontCol", {128, 24, 65, 21}},  {"seClType", {128, 48, 65, 21}},
      {"pngPreview", {8, 16, 345, 49}},   {"edCodes", {8, 61, 281, 21}},      {"cbCharset", {8, 20, 145, 21}},
      {"cedBackCol", {58, 17, 95, 21}},   {"cbLang", {13, 14, 108, 21}},      {"pbOper", {0, 495, 865, 17}},
  };
  for (const auto& [name, rect] : bounds) {
    const QWidget* control = Find<QWidget>(name);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->geometry(), rect) << name;
  }
  const QSpinBox* size = Find<QSpinBox>("sedFontSize");
  EXPECT_EQ(std::make_pair(size->minimum(), size->maximum()), std::make_pair(0, 100));
  EXPECT_EQ(Find<QSpinBox>("seClType")->singleStep(), 5);
  EXPECT_EQ(Find<QSpinBox>("sedOkont")->maximum(), 50);
  EXPECT_EQ(Find<QSlider>("tbCompress")->maximum(), 9);
  EXPECT_EQ(Find<QSlider>("tbEHalfTr")->pageStep(), 5);
  EXPECT_EQ(Find<QComboBox>("cbCharset")->count(), 18);
  EXPECT_EQ(Find<QComboBox>("cbLang")->count(), 0);
}

// The unit items sit inside their group, below its caption, and clear of the
// style check boxes under the group.
TEST_F(SettingsTest, TheUnitItemsAreNotCoveredByTheStyleCheckBoxes) {
  Open();
  const auto* units = Find<TRadioGroup>("rgPxPT");
  const QWidget* panel = units->parentWidget();
  const QList<QRadioButton*> items = units->findChildren<QRadioButton*>();
  ASSERT_EQ(items.size(), 2);
  for (const QRadioButton* item : items) {
    const QRect bounds(item->mapTo(panel, QPoint(0, 0)), item->size());
    EXPECT_TRUE(units->geometry().contains(bounds)) << item->text().toStdString();
    EXPECT_GE(item->y(), units->contentsRect().top()) << item->text().toStdString();
    EXPECT_GE(item->height(), item->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight));
    for (const char* name : {"cbItalic", "cbBold", "cbSmoothing", "sedFontSize"}) {
      EXPECT_FALSE(bounds.intersects(Find<QWidget>(name)->geometry())) << item->text().toStdString() << " / " << name;
    }
  }
  for (const char* name : {"cbItalic", "cbBold"}) {
    const QRect box = Find<QWidget>(name)->geometry();
    EXPECT_FALSE(units->geometry().intersects(box)) << name;
    EXPECT_FALSE(Find<QWidget>("cbSmoothing")->geometry().intersects(box)) << name;
  }
}

}  // namespace
}  // namespace glyphory::test
