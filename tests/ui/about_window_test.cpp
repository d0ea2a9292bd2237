#include "ui/about_window.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>
#include <string>

#include "glyph/code_page.h"
#include "qt_test_app.h"
#include "test_support.h"

namespace glyphory {
namespace {

using test::TempDir;
using test::WriteFileBytes;

class AboutWindowTest : public testing::Test {
 protected:
  void SetUp() override { test::TestApplication(); }
  void TearDown() override {
    if (TfrmAbout* window = AboutWindow()) {
      window->close();
    }
    FinishDeletions();
  }

  static void FinishDeletions() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  TempDir dir_;
  std::string folder_ = dir_.Path().string() + "/";
};

TEST_F(AboutWindowTest, SecondCallRaisesTheOneWindow) {
  TfrmAbout* first = ShowAbout(folder_, nullptr);
  TfrmAbout* second = ShowAbout(folder_, nullptr);
  EXPECT_EQ(first, second);
  EXPECT_EQ(AboutWindow(), first);
  const QWidgetList windows = QApplication::topLevelWidgets();
  EXPECT_EQ(std::count_if(windows.begin(), windows.end(),
                          [](const QWidget* widget) { return qobject_cast<const TfrmAbout*>(widget) != nullptr; }),
            1);
}

TEST_F(AboutWindowTest, ShowsCaptionVersionAndTranslucency) {
  const TfrmAbout* window = ShowAbout(folder_, nullptr);
  EXPECT_EQ(window->windowTitle(), QString::fromUtf8("Для справки..."));
  EXPECT_EQ(window->versionLabel()->text(), "Glyphory v2.5.1.1");
  EXPECT_DOUBLE_EQ(window->windowOpacity(), 220.0 / 255.0);
  EXPECT_EQ(window->size(), QSize(506, 398));
  EXPECT_TRUE(window->memReadme()->isReadOnly());
}

TEST_F(AboutWindowTest, WithoutReadmeTheMemoStaysEmpty) {
  EXPECT_TRUE(ShowAbout(folder_, nullptr)->memReadme()->toPlainText().isEmpty());
}

TEST_F(AboutWindowTest, ReadmeIsShownAsUnicodeLines) {
  WriteFileBytes(folder_ + "readme.txt", Utf8ToCp1251("Привет\r\nsecond\rthird\n\nfifth\r\n"));
  EXPECT_EQ(ShowAbout(folder_, nullptr)->memReadme()->toPlainText(),
            QString::fromUtf8("Привет\nsecond\nthird\n\nfifth"));
}

TEST_F(AboutWindowTest, OkDestroysTheWindowAndTheNextCallBuildsAFreshOne) {
  WriteFileBytes(folder_ + "readme.txt", "old");
  TfrmAbout* first = ShowAbout(folder_, nullptr);
  WriteFileBytes(folder_ + "readme.txt", "new");
  ShowAbout(folder_, nullptr);
  EXPECT_EQ(first->memReadme()->toPlainText(), "old");  // an open window keeps what it read

  first->findChild<QPushButton*>("BitBtn1")->click();
  FinishDeletions();
  EXPECT_EQ(AboutWindow(), nullptr);

  const TfrmAbout* fresh = ShowAbout(folder_, nullptr);
  EXPECT_EQ(fresh->memReadme()->toPlainText(), "new");
}

}  // namespace
}  // namespace glyphory
