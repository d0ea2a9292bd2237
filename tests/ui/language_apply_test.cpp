#include "ui/language_apply.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVariant>
#include <QWidget>
#include <string>

#include "glyph/code_page.h"
#include "qt_test_app.h"
#include "shown_text.h"
#include "test_support.h"

namespace glyphory {
namespace {

using test::TempDir;
using test::WriteFileBytes;

QString Unicode(const std::string& cp1251) { return QString::fromStdString(Cp1251ToUtf8(cp1251)); }

// A window holding one control of a fitting kind for every place of the table.
class LanguageWindow : public QWidget {
 public:
  LanguageWindow() {
    auto* tabs = new QTabWidget(this);
    auto* page = new QWidget;
    page->setObjectName("tsEdging");
    tabs->addTab(page, "design");
    for (const LanguageRow& row : kLanguageRows) {
      const QString name = row.control;
      if (findChild<QWidget*>(name) != nullptr) {
        continue;
      }
      QWidget* control = nullptr;
      if (name.startsWith("lb")) {
        control = new QLabel(this);
      } else if (name.startsWith("bbt")) {
        control = new QPushButton(this);
      } else if (name.startsWith("cb")) {
        control = new QCheckBox(this);
      } else {
        control = new QGroupBox(this);
      }
      control->setObjectName(name);
    }
  }

  [[nodiscard]] QString Caption(const char* name) const { return test::ShownText(*findChild<QWidget*>(name)); }

  [[nodiscard]] QString Text(const LanguageRow& row) const {
    return row.property == LanguageProperty::Hint
               ? findChild<QWidget*>(row.control)->property(kHintProperty).toString()
               : Caption(row.control);
  }
};

class LanguageApplyTest : public testing::Test {
 protected:
  QApplication& application_ = test::TestApplication();  // before any widget
  TempDir dir_;
  TIniStore table_{dir_.File("lang.ini")};
  LanguageWindow window_;
};

TEST_F(LanguageApplyTest, NoTableShowsTheBuiltInTextsEverywhere) {
  ApplyLanguageTexts(window_, ReadLanguageTexts(table_, ""));
  for (const LanguageRow& row : kLanguageRows) {
    EXPECT_EQ(window_.Text(row), Unicode(row.builtIn)) << row.control;
  }
  EXPECT_EQ(window_.Caption("gbLang"), QString::fromUtf8("Язык:"));
  EXPECT_EQ(window_.Caption("tsEdging"), QString::fromUtf8("Оконтовка:"));
}

TEST_F(LanguageApplyTest, ShippedEnglishChangesEveryPlace) {
  const TIniStore shipped(std::string(GLYPHORY_SOURCE_DIR) + "/data/lang.ini");
  ApplyLanguageTexts(window_, ReadLanguageTexts(shipped, "English"));
  for (const LanguageRow& row : kLanguageRows) {
    EXPECT_NE(window_.Text(row), Unicode(row.builtIn)) << row.control;
  }
  EXPECT_EQ(window_.Caption("tsEdging"), "Outline:");
  EXPECT_EQ(window_.Caption("lbCodes"), "Codes: ");
  EXPECT_EQ(window_.Caption("lbBGColor"), "Color:");
}

TEST_F(LanguageApplyTest, SectionWithOnlyHalfTrChangesOpacityCaptionsAndHintsOnly) {
  WriteFileBytes(table_.Path(), "[Deutsch]\r\nHalfTr=Deckkraft\r\n");
  ApplyLanguageTexts(window_, ReadLanguageTexts(table_, "Deutsch"));
  for (const LanguageRow& row : kLanguageRows) {
    const bool opacity = std::string(row.key) == "HalfTr";
    EXPECT_EQ(window_.Text(row), opacity ? QString("Deckkraft") : Unicode(row.builtIn)) << row.control;
  }
}

TEST_F(LanguageApplyTest, LabelsShowMarkupAsPlainText) {
  WriteFileBytes(table_.Path(), "[x]\r\nlbTick=<b>bold</b>\r\n");
  ApplyLanguageTexts(window_, ReadLanguageTexts(table_, "x"));
  EXPECT_EQ(window_.findChild<QLabel*>("lbTick")->textFormat(), Qt::PlainText);
}

}  // namespace
}  // namespace glyphory
