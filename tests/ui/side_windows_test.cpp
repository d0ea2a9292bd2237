// The log window and the about window as the main window opens them.
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <algorithm>
#include <filesystem>

#include "glyph/code_page.h"
#include "glyph/log_sink.h"
#include "ui/about_window.h"
#include "ui/log_window.h"
#include "window_fixture.h"

namespace glyphory::test {
namespace {

namespace fs = std::filesystem;

int TopLevelCount(const char* objectName) {
  const QWidgetList windows = QApplication::topLevelWidgets();
  return static_cast<int>(std::count_if(windows.begin(), windows.end(), [&](const QWidget* widget) {
    return widget->objectName() == QLatin1String(objectName);
  }));
}

void FinishDeletions() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

class SideWindowsTest : public WindowTest {
 protected:
  void TearDown() override {
    window.reset();
    FinishDeletions();
  }
  // Renders the preview: the glyph image's passes log their progress.
  void RenderPreview() {
    Find<QGroupBox>("gbPreview")->setChecked(false);
    Find<QGroupBox>("gbPreview")->setChecked(true);
  }
  [[nodiscard]] std::string LogIni() const { return folder + "log.ini"; }
};

TEST_F(SideWindowsTest, LogOnOpensTheLogWindowAtItsDesignPlaceAndItsRecordIsWrittenAtTheEnd) {
  WriteSettings("[common]\nlog=1\n[font]\nname=DejaVu Sans\n");
  Open();
  const TfrmLog* log = LogWindow();
  ASSERT_NE(log, nullptr);
  EXPECT_TRUE(log->isVisible());
  EXPECT_EQ(log->frameGeometry(), QRect(507, 663, 626, 168));
  EXPECT_FALSE(fs::exists(LogIni()));

  window->close();  // closing saves the main window's settings, not the log's record
  EXPECT_FALSE(fs::exists(LogIni()));
  window.reset();
  EXPECT_EQ(LogWindow(), nullptr);
  EXPECT_EQ(ReadFileBytes(LogIni()),
            "[frmLogFormState]\r\nMaximized=0\r\nLeft=507\r\nTop=663\r\nWidth=626\r\nHeight=168\r\nSaved=1\r\n");
  EXPECT_TRUE(dialogs.errorMessages.isEmpty());
}

// The log window has no close button, so it must not keep the program
// running once the main window has closed.
TEST_F(SideWindowsTest, ClosingTheMainWindowEndsTheProgramWhileTheLogWindowIsOpen) {
  WriteSettings("[common]\nlog=1\n");
  Open();
  ASSERT_NE(LogWindow(), nullptr);
  bool stillRunning = false;
  QTimer::singleShot(0, window.get(), [this] { window->close(); });
  QTimer::singleShot(5000, window.get(), [&] {
    stillRunning = true;
    QCoreApplication::quit();
  });
  QApplication::exec();
  EXPECT_FALSE(stillRunning);
  EXPECT_EQ(LogWindow(), nullptr);  // the program's end destroys it, which writes its record
  EXPECT_TRUE(fs::exists(LogIni()));
}

TEST_F(SideWindowsTest, TheGlyphImageLogsIntoTheLogWindowWhileItExists) {
  WriteSettings("[common]\nlog=1\n[font]\nname=DejaVu Sans\n");
  Open();
  ASSERT_NE(LogWindow(), nullptr);
  const QString before = LogWindow()->memLog()->toPlainText();
  RenderPreview();
  const QStringList lines = LogWindow()->memLog()->toPlainText().mid(before.size()).split('\n', Qt::SkipEmptyParts);
  ASSERT_FALSE(lines.isEmpty());
  for (const QString& line : lines) {
    EXPECT_TRUE(QRegularExpression(R"(^\[ \d\d\.\d\d\.\d{4} \d\d:\d\d\.\d\d \]~.+)").match(line).hasMatch())
        << line.toStdString();
  }
  window.reset();
  EXPECT_FALSE(SetLogSink({}));  // nothing receives messages after the program's end
}

TEST_F(SideWindowsTest, LogOffLogsNothingAnywhere) {
  WriteSettings("[common]\nlog=0\n[font]\nname=DejaVu Sans\n");
  Open();
  EXPECT_EQ(LogWindow(), nullptr);
  EXPECT_EQ(TopLevelCount("frmLog"), 0);
  EXPECT_FALSE(SetLogSink({}));
  RenderPreview();
  ASSERT_FALSE(Find<QWidget>("pngPreview")->isHidden());
  window->close();
  window.reset();
  EXPECT_FALSE(fs::exists(LogIni()));
}

TEST_F(SideWindowsTest, HelpOpensOneAboutWindowWithTheVersionAndTheReadme) {
  WriteFileBytes(folder + "readme.txt", Utf8ToCp1251("Glyphory\r\nСправка\r\n"));
  Open();
  auto* help = Find<QPushButton>("bbtHelp");
  help->click();
  TfrmAbout* about = AboutWindow();
  ASSERT_NE(about, nullptr);
  help->click();
  EXPECT_EQ(AboutWindow(), about);
  EXPECT_EQ(TopLevelCount("frmAbout"), 1);
  EXPECT_EQ(about->versionLabel()->text(), QStringLiteral("Glyphory v2.5.1.1"));
  EXPECT_EQ(about->memReadme()->toPlainText(), QStringLiteral("Glyphory\nСправка"));

  about->close();
  FinishDeletions();
  EXPECT_EQ(AboutWindow(), nullptr);
  fs::remove(folder + "readme.txt");
  help->click();  // a fresh window, which finds no read-me now
  ASSERT_NE(AboutWindow(), nullptr);
  EXPECT_TRUE(AboutWindow()->memReadme()->toPlainText().isEmpty());
  EXPECT_EQ(TopLevelCount("frmAbout"), 1);
}

}  // namespace
}  // namespace glyphory::test
