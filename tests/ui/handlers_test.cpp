// The preview, the composed font, the custom font file and the small handlers.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>

#include "batch/stop_flag.h"
#include "glyph/font_registry.h"
#include "ui/button_edit.h"
#include "ui/color_swatch.h"
#include "ui/font_list.h"
#include "ui/image_button.h"
#include "window_fixture.h"

namespace glyphory::test {
namespace {

class HandlersTest : public WindowTest {
 protected:
  void SetUp() override {
    WriteSettings("[font]\nname=DejaVu Sans\n");
    Open();
  }
  QImage PreviewImage() { return Find<TPngButton>("pngPreview")->Image(); }
  void SetPreview(bool on) { Find<QGroupBox>("gbPreview")->setChecked(on); }
};

TEST_F(HandlersTest, PreviewOffKeepsTheImageAndTickingRendersTheSample) {
  Find<QSpinBox>("sedFontSize")->setValue(30);
  EXPECT_TRUE(PreviewImage().isNull());
  EXPECT_FALSE(Find<TPngButton>("pngPreview")->isEnabled());

  SetPreview(true);
  const QImage first = PreviewImage();
  ASSERT_FALSE(first.isNull());
  EXPECT_TRUE(Find<TPngButton>("pngPreview")->isEnabled());
  EXPECT_GT(first.width(), first.height());

  SetPreview(false);
  Find<TColorSwatch>("cedFontCol")->SetSelectedColor(0x0000FF);
  EXPECT_EQ(PreviewImage(), first);
  EXPECT_FALSE(Find<TPngButton>("pngPreview")->isEnabled());
  EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(HandlersTest, SmoothingAndRigidityDoNotChangeThePreviewButColoursDo) {
  Find<QSpinBox>("sedFontSize")->setValue(30);
  SetPreview(true);
  const QImage first = PreviewImage();
  Find<QCheckBox>("cbSmoothing")->setChecked(true);
  Find<QSpinBox>("seClType")->setValue(100);
  EXPECT_EQ(PreviewImage(), first);
  Find<TColorSwatch>("cedFontCol")->SetSelectedColor(0x0000FF);
  EXPECT_NE(PreviewImage(), first);
}

TEST_F(HandlersTest, ACharsetChangeReachesTheFontButNotThePreviewUntilTheNextRefresh) {
  Find<QSpinBox>("sedFontSize")->setValue(30);
  SetPreview(true);
  const QImage first = PreviewImage();
  Find<QComboBox>("cbCharset")->setCurrentIndex(14);
  EXPECT_EQ(window->FontRecord().lfCharSet, 204);
  EXPECT_EQ(PreviewImage(), first);
  Find<QComboBox>("cbCharset")->setCurrentIndex(17);
  EXPECT_EQ(window->FontRecord().lfCharSet, 255);
}

TEST_F(HandlersTest, AnEmptySampleGivesTheErrorBoxAtEveryRefresh) {
  WriteFileBytes(folder + "lang.ini", "[\xF0\xF3\xF1\xF1\xEA\xE8\xE9]\nfontPrev=\n");
  auto* languages = Find<QComboBox>("cbLang");
  languages->addItem(QStringLiteral("русский"));
  languages->setCurrentIndex(0);
  SetPreview(true);
  EXPECT_EQ(dialogs.errors.size(), 1);
  Find<QSpinBox>("sedFontSize")->setValue(12);
  EXPECT_EQ(dialogs.errors.size(), 2);
  EXPECT_TRUE(PreviewImage().isNull());
}

TEST_F(HandlersTest, BoldAndItalicComposeTheFontStyle) {
  Find<QCheckBox>("cbBold")->setChecked(true);
  Find<QCheckBox>("cbItalic")->setChecked(true);
  EXPECT_EQ(window->FontRecord().lfWeight, FW_BOLD);
  EXPECT_EQ(window->FontRecord().lfItalic, 1);
  EXPECT_TRUE(Find<QLabel>("lbFontPrev")->font().bold());
  Find<QCheckBox>("cbBold")->setChecked(false);
  EXPECT_EQ(window->FontRecord().lfWeight, FW_NORMAL);
  EXPECT_EQ(window->FontRecord().lfItalic, 1);
  EXPECT_TRUE(Find<QLabel>("lbFontPrev")->font().italic());
}

TEST_F(HandlersTest, OpacityCaptionsShowTheTrackBarPosition) {
  Find<QSlider>("tbFHalfTr")->setValue(128);
  EXPECT_EQ(Find<QGroupBox>("gbFHalfTr")->title(), QStringLiteral("Полупрозрачность [128]"));
  Find<QSlider>("tbBgHalfTr")->setValue(300);
  EXPECT_EQ(Find<QGroupBox>("gbBgHalfTr")->title(), QStringLiteral("Полупрозрачность [255]"));
}

TEST_F(HandlersTest, StopWithoutARunOnlySetsTheFlag) {
  StopRequested = false;
  Find<QPushButton>("bbtStop")->click();
  EXPECT_TRUE(StopRequested);
  EXPECT_TRUE(Find<QGroupBox>("gbFont")->isEnabled());
  EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(HandlersTest, TheFolderPickerFillsTheOutputFolderAndCancelChangesNothing) {
  auto* folderEdit = Find<TButtonEdit>("btedOutFolder");
  const QString before = folderEdit->text();
  dialogs.folderReplies << QStringLiteral("/tmp/chosen");
  folderEdit->Button()->click();
  EXPECT_EQ(folderEdit->text(), QStringLiteral("/tmp/chosen"));
  EXPECT_EQ(dialogs.folderStarts, QStringList{before});
  folderEdit->Button()->click();  // cancelled
  EXPECT_EQ(folderEdit->text(), QStringLiteral("/tmp/chosen"));
}

// A face whose full name is longer than the record's 31 characters.
const std::string kLongNamedFont = TestFontPath("DejaVuSansCondensed-BoldOblique.ttf");

TEST_F(HandlersTest, TickingTheCustomFontRegistersItsFileAndUntickingRemovesIt) {
  auto* custom = Find<QGroupBox>("gbOtherFont");
  Find<TButtonEdit>("edoFont")->setText(QString::fromStdString(kLongNamedFont));
  custom->setChecked(true);
  QCoreApplication::processEvents();  // the font list refills after the font-change broadcast
  EXPECT_EQ(RegisteredFontFile, kLongNamedFont);
  EXPECT_TRUE(FontRegistry::Instance().IsAdded(kLongNamedFont));
  EXPECT_FALSE(Find<TFontListBox>("FontList")->isEnabled());
  EXPECT_EQ(window->FontRecord().FaceName(), "DejaVu Sans Condensed Bold Obli");

  custom->setChecked(false);
  EXPECT_TRUE(RegisteredFontFile.empty());
  EXPECT_FALSE(FontRegistry::Instance().IsAdded(kLongNamedFont));
  EXPECT_TRUE(Find<TFontListBox>("FontList")->isEnabled());
  EXPECT_EQ(window->FontRecord().FaceName(), "DejaVu Sans Condensed Bold Obli");  // until the list is clicked
}

TEST_F(HandlersTest, PickingAnotherFileReplacesTheRegistrationAndDestructionReleasesIt) {
  const std::string first = TestFontPath("DejaVuSans.ttf");
  Find<TButtonEdit>("edoFont")->setText(QString::fromStdString(first));
  Find<QGroupBox>("gbOtherFont")->setChecked(true);
  ASSERT_TRUE(FontRegistry::Instance().IsAdded(first));

  dialogs.fontFileReplies << QString::fromStdString(kLongNamedFont);
  Find<TButtonEdit>("edoFont")->Button()->click();
  EXPECT_FALSE(FontRegistry::Instance().IsAdded(first));
  EXPECT_TRUE(FontRegistry::Instance().IsAdded(kLongNamedFont));
  EXPECT_EQ(Find<TButtonEdit>("edoFont")->text().toStdString(), kLongNamedFont);

  Find<TButtonEdit>("edoFont")->Button()->click();  // cancelled: nothing changes
  EXPECT_EQ(RegisteredFontFile, kLongNamedFont);

  window.reset();
  EXPECT_TRUE(RegisteredFontFile.empty());
  EXPECT_FALSE(FontRegistry::Instance().IsAdded(kLongNamedFont));
}

// A custom font path that yields no font: no registration, the list
// disabled, the face as it was, nothing reported.
class UnusableFontFileTest : public HandlersTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(UnusableFontFileTest, RegistersNothingAndKeepsTheFace) {
  const std::string name = GetParam();
  const std::string path = name.empty() ? std::string() : dir.File(name);
  if (!path.empty()) {
    WriteFileBytes(path, "plain text");
  }
  const std::string before(window->FontRecord().FaceName());
  Find<TButtonEdit>("edoFont")->setText(QString::fromStdString(path));
  Find<QGroupBox>("gbOtherFont")->setChecked(true);
  EXPECT_TRUE(RegisteredFontFile.empty());
  EXPECT_FALSE(Find<TFontListBox>("FontList")->isEnabled());
  EXPECT_EQ(window->FontRecord().FaceName(), before);
  EXPECT_TRUE(dialogs.errors.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Paths, UnusableFontFileTest, ::testing::Values("notafont.ttf", ""));  // a text file; no path

TEST_F(HandlersTest, EveryTickRegistersACopiedFontOnceAndEveryUntickRemovesIt) {
  const std::string copy = dir.File("Copied.ttf");
  WriteFileBytes(copy, ReadFileBytes(TestFontPath("DejaVuSerif.ttf")));
  Find<TButtonEdit>("edoFont")->setText(QString::fromStdString(copy));
  auto* custom = Find<QGroupBox>("gbOtherFont");
  for (int round = 0; round < 2; ++round) {
    custom->setChecked(true);
    EXPECT_EQ(RegisteredFontFile, copy);
    EXPECT_EQ(window->FontRecord().FaceName(), "DejaVu Serif");
    EXPECT_EQ(Find<QLabel>("lbFontPrev")->font().family(), QStringLiteral("DejaVu Serif"));
    custom->setChecked(false);
    EXPECT_TRUE(RegisteredFontFile.empty());
    EXPECT_FALSE(FontRegistry::Instance().IsAdded(copy)) << "round " << round;
  }
  EXPECT_FALSE(FontRegistry::Instance().RemoveFontFile(copy));  // no registration left over
}

TEST_F(HandlersTest, ClosingWhileTickedReleasesTheFileAndTheNextStartIsUntickedWithThePathKept) {
  const std::string copy = dir.File("Copied.ttf");
  WriteFileBytes(copy, ReadFileBytes(TestFontPath("DejaVuSans.ttf")));
  Find<TButtonEdit>("edoFont")->setText(QString::fromStdString(copy));
  Find<QGroupBox>("gbOtherFont")->setChecked(true);
  ASSERT_TRUE(FontRegistry::Instance().IsAdded(copy));

  window->close();
  window.reset();
  EXPECT_TRUE(RegisteredFontFile.empty());
  EXPECT_FALSE(FontRegistry::Instance().IsAdded(copy));

  Open();
  EXPECT_FALSE(Find<QGroupBox>("gbOtherFont")->isChecked());
  EXPECT_EQ(Find<TButtonEdit>("edoFont")->text().toStdString(), copy);
  EXPECT_TRUE(Find<TFontListBox>("FontList")->isEnabled());
  EXPECT_TRUE(RegisteredFontFile.empty());
}

TEST_F(HandlersTest, ClickingAFontListEntryComposesItsFace) {
  auto* list = Find<TFontListBox>("FontList");
  ASSERT_TRUE(list->SelectFace(QStringLiteral("DejaVu Serif")));
  EXPECT_EQ(window->FontRecord().FaceName(), "DejaVu Serif");
  EXPECT_EQ(Find<QLabel>("lbFontPrev")->font().family(), QStringLiteral("DejaVu Serif"));
}

}  // namespace
}  // namespace glyphory::test
