// The window's Start, Stop and the run's failure paths, over the core's export.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <utility>

#include "batch/export_run.h"
#include "batch/stop_flag.h"
#include "png_check.h"
#include "test_host.h"
#include "ui/button_edit.h"
#include "ui/log_window.h"
#include "window_fixture.h"

namespace glyphory::test {
namespace {

namespace fs = std::filesystem;

class RunTest : public WindowTest {
 protected:
  // Opens the window with DejaVu Sans, writing into `out`.
  void OpenWithOutput(const std::string& extraSettings = "") {
    WriteSettings("[font]\nname=DejaVu Sans\n[save]\ndir=" + out + "\n" + extraSettings);
    Open();
  }
  void SetCodes(const char* codes) { Find<QLineEdit>("edCodes")->setText(QString::fromUtf8(codes)); }
  void Start() { Find<QPushButton>("bbtStart")->click(); }
  [[nodiscard]] bool Written(const std::string& name) const { return fs::exists(out + "/" + name); }
  [[nodiscard]] std::size_t FileCount() const {
    if (!fs::exists(out)) {
      return 0;
    }
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(out), fs::directory_iterator()));
  }

  std::string out = dir.File("out");
};

// The window's Start on the default options writes exactly the files the core's
// export writes through a plain host with the same options.
TEST_F(RunTest, DefaultListWritesTheSameFilesAsTheCoreExport) {
  fs::create_directories(out);
  OpenWithOutput();
  Start();
  ASSERT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(' ').toStdString();
  ASSERT_TRUE(dialogs.messages.isEmpty());
  EXPECT_EQ(FileCount(), 162u);

  TestHost host;
  host.codes = "32-126,168,176,184,192-255";
  host.folder = dir.File("core");
  fs::create_directories(host.folder);
  RunExport(host, ExportMode::Png);
  ASSERT_TRUE(host.failures.empty());

  std::vector<int> numbers;
  for (int n = 2080; n <= 2174; ++n) numbers.push_back(n);
  for (int n : {2216, 2224, 2232}) numbers.push_back(n);
  for (int n = 2240; n <= 2303; ++n) numbers.push_back(n);
  ASSERT_EQ(numbers.size(), 162u);
  for (const int n : numbers) {
    const std::string name = std::to_string(n) + ".png";
    const std::string bytes = ReadFileBytes(out + "/" + name);
    ASSERT_FALSE(bytes.empty()) << name;
    EXPECT_EQ(bytes, ReadFileBytes(host.folder + "/" + name)) << name;
    const DecodedPng png = DecodePng(bytes);
    EXPECT_TRUE(png.ok && png.rgba && png.sixteenBit) << name;
  }
  EXPECT_EQ(Find<QProgressBar>("pbOper")->maximum(), 161);
  EXPECT_EQ(Find<QProgressBar>("pbOper")->value(), 0);
}

TEST_F(RunTest, EightBitDepthIsWrittenAsEightBitRgba) {
  fs::create_directories(out);
  OpenWithOutput("BitDepth=1\n");
  SetCodes("65");
  Start();
  const DecodedPng png = DecodePng(ReadFileBytes(out + "/2113.png"));
  EXPECT_TRUE(png.ok && png.rgba);
  EXPECT_FALSE(png.sixteenBit);
}

TEST_F(RunTest, AnEntryThatIsNotIntegerTextEndsTheRunWithTheControlsUnlocked) {
  fs::create_directories(out);
  OpenWithOutput();
  SetCodes("65,66,abc");
  Start();
  EXPECT_TRUE(Written("2113.png"));
  EXPECT_TRUE(Written("2114.png"));
  EXPECT_EQ(FileCount(), 2u);
  EXPECT_EQ(dialogs.errors, QStringList{QStringLiteral("'abc' is not a valid integer value.")});
  for (const char* name : {"gbFont", "gbDir", "gbBackground", "gbEffects", "gbChars", "gbOptSave"}) {
    EXPECT_TRUE(Find<QGroupBox>(name)->isEnabled()) << name;
  }
  EXPECT_TRUE(Find<QComboBox>("cbCharset")->isEnabled());
  EXPECT_EQ(Find<QProgressBar>("pbOper")->value(), 0);
}

TEST_F(RunTest, AMissingOutputFolderGivesOneMessagePerCodeAndTheRunReachesTheEnd) {
  OpenWithOutput();
  SetCodes("65-67,300");
  bool lockedDuringRun = false;
  dialogs.onMessage = [&] { lockedDuringRun = !Find<QGroupBox>("gbFont")->isEnabled(); };
  Start();
  const QStringList expected = {QStringLiteral("Ошибка генерации символа \"A\"!"),
                                QStringLiteral("Ошибка генерации символа \"B\"!"),
                                QStringLiteral("Ошибка генерации символа \"C\"!")};
  EXPECT_EQ(dialogs.messages, expected);
  EXPECT_TRUE(dialogs.errors.isEmpty());
  EXPECT_TRUE(lockedDuringRun);
  EXPECT_TRUE(Find<QGroupBox>("gbFont")->isEnabled());
}

TEST_F(RunTest, AnOutputFolderThatIsAFileFailsEveryCodeWithoutTouchingTheFile) {
  WriteFileBytes(out, "keep");
  OpenWithOutput();
  SetCodes("65,66");
  Start();
  EXPECT_EQ(dialogs.messages.size(), 2);
  EXPECT_EQ(ReadFileBytes(out), "keep");
}

TEST_F(RunTest, TheCauseOfAFailedCodeReachesTheLogWindowWithItsPathReadable) {
  OpenWithOutput("[common]\nlog=1\n");
  ASSERT_NE(LogWindow(), nullptr);
  const std::string missing = dir.File("выход");
  Find<TButtonEdit>("btedOutFolder")->setText(QString::fromStdString(missing));
  SetCodes("65");
  Start();
  EXPECT_EQ(dialogs.messages.size(), 1);
  EXPECT_TRUE(LogWindow()->memLog()->toPlainText().contains(QString::fromStdString(missing)));
}

TEST_F(RunTest, AnEmptyCodeTextEndsTheRunWithTheProgressRangeError) {
  fs::create_directories(out);
  OpenWithOutput();
  SetCodes("");
  Start();
  EXPECT_EQ(dialogs.errors.size(), 1);
  EXPECT_EQ(FileCount(), 0u);
  EXPECT_TRUE(Find<QGroupBox>("gbFont")->isEnabled());
}

class NameOffsetTest : public RunTest, public ::testing::WithParamInterface<std::pair<const char*, const char*>> {};

TEST_P(NameOffsetTest, TheOffsetIsReadFromTheSettingsForEveryFile) {
  fs::create_directories(out);
  OpenWithOutput(std::string("NameNumberOffset=") + GetParam().first + "\n");
  SetCodes("65");
  Start();
  EXPECT_TRUE(Written(GetParam().second));
  EXPECT_EQ(FileCount(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Offsets, NameOffsetTest,
                         ::testing::Values(std::make_pair("0", "65.png"), std::make_pair("-100", "-35.png"),
                                           std::make_pair("junk", "2113.png")));

TEST_F(RunTest, StopPressedWhileAMessageIsOpenEndsTheRunAfterThatCode) {
  OpenWithOutput();  // the folder is missing: every code brings up its message
  SetCodes("65-70");
  dialogs.onMessage = [&] { Find<QPushButton>("bbtStop")->click(); };
  Start();
  EXPECT_EQ(dialogs.messages.size(), 1);
  EXPECT_EQ(Find<QProgressBar>("pbOper")->value(), 0);
}

TEST_F(RunTest, StopPostedDuringTheRunEndsItAfterTheCurrentCodeAndTheNextStartRunsNormally) {
  fs::create_directories(out);
  OpenWithOutput();
  SetCodes("65-70");
  QTimer::singleShot(0, window.get(), [&] { Find<QPushButton>("bbtStop")->click(); });
  Start();
  EXPECT_TRUE(Written("2113.png"));
  EXPECT_EQ(FileCount(), 1u);
  EXPECT_TRUE(StopRequested);
  Start();
  EXPECT_EQ(FileCount(), 6u);
}

TEST_F(RunTest, StartPressedDuringARunRunsANestedRun) {
  fs::create_directories(out);
  OpenWithOutput();
  SetCodes("65,66");
  int nested = 0;
  QTimer::singleShot(0, window.get(), [&] {
    ++nested;
    SetCodes("67");  // read by the nested run only: the outer run expanded its list already
    Find<QPushButton>("bbtStart")->click();
  });
  Start();
  EXPECT_EQ(nested, 1);
  EXPECT_TRUE(Written("2113.png"));
  EXPECT_TRUE(Written("2114.png"));
  EXPECT_TRUE(Written("2115.png"));
  EXPECT_TRUE(Find<QGroupBox>("gbFont")->isEnabled());
}

TEST_F(RunTest, ExitDuringARunStopsItAndClosesTheWindow) {
  fs::create_directories(out);
  OpenWithOutput();
  SetCodes("65-70");
  QTimer::singleShot(0, window.get(), [&] { Find<QPushButton>("bbtClose")->click(); });
  Start();
  EXPECT_EQ(FileCount(), 1u);
  EXPECT_TRUE(window->isHidden());
  EXPECT_TRUE(fs::exists(SettingsPath()));
}

TEST_F(RunTest, BmpStartWritesTheMappedCodes) {
  fs::create_directories(out);
  WriteFileBytes(folder + "charsmod.ini", "[COMMON]\n65=7\n");
  OpenWithOutput();
  SetCodes("65,66");
  Find<QPushButton>("bbtStartBMP")->click();
  EXPECT_TRUE(Written("0007.bmp"));
  EXPECT_EQ(FileCount(), 1u);
}

// The BMP run reads the window for every entry: the all-characters box, the
// charset combo's text as the map section, and nameformat from the settings file.
class BmpRunTest : public RunTest {
 protected:
  void StartBmp() { Find<QPushButton>("bbtStartBMP")->click(); }
  void SetAllChars(bool on) { Find<QCheckBox>("cbAllChars")->setChecked(on); }
  // Runs `action` at the run's first pause for input, after the first written code.
  void AfterFirstCode(std::function<void()> action) { QTimer::singleShot(0, window.get(), std::move(action)); }
};

TEST_F(BmpRunTest, TheAllCharactersBoxIsReadForEveryEntry) {
  fs::create_directories(out);
  OpenWithOutput("[bmp]\nAllChars=1\n");
  SetCodes("65,66,67");
  AfterFirstCode([this] { SetAllChars(false); });
  StartBmp();
  EXPECT_TRUE(Written("0065.bmp"));
  EXPECT_EQ(FileCount(), 1u);
  EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(BmpRunTest, TheSelectedCharsetNamesTheMapSection) {
  fs::create_directories(out);
  WriteFileBytes(folder + "charsmod.ini", "[COMMON]\n65=1\n[RUSSIAN_CHARSET]\n65=300\n[ANSI_CHARSET]\n65=5\n");
  OpenWithOutput();
  Find<QComboBox>("cbCharset")->setCurrentIndex(14);
  SetCodes("65");
  StartBmp();
  EXPECT_TRUE(Written("0300.bmp"));
  Find<QComboBox>("cbCharset")->setCurrentIndex(0);
  StartBmp();
  EXPECT_TRUE(Written("0005.bmp"));
  Find<QComboBox>("cbCharset")->setCurrentIndex(1);  // DEFAULT_CHARSET: only COMMON holds the code
  StartBmp();
  EXPECT_TRUE(Written("0001.bmp"));
  EXPECT_EQ(FileCount(), 3u);
}

TEST_F(BmpRunTest, TheNameFormatIsReadFromTheSettingsFileForEveryCode) {
  fs::create_directories(out);
  OpenWithOutput("[bmp]\nAllChars=1\nnameformat=char%.3d\n");
  SetCodes("65,66");
  AfterFirstCode([this] { WriteSettings("[bmp]\nnameformat=%x\n"); });
  StartBmp();
  EXPECT_TRUE(Written("char065.bmp"));
  EXPECT_TRUE(Written("42.bmp"));
  EXPECT_EQ(FileCount(), 2u);
}

TEST_F(BmpRunTest, AFormatThatTakesNoIntegerFailsEveryCodeWithItsMessage) {
  fs::create_directories(out);
  OpenWithOutput("[bmp]\nAllChars=1\nnameformat=%s\n");
  SetCodes("65-66");
  StartBmp();
  EXPECT_EQ(dialogs.messages, (QStringList{QStringLiteral("Ошибка генерации символа \"A\"!"),
                                           QStringLiteral("Ошибка генерации символа \"B\"!")}));
  EXPECT_TRUE(dialogs.errors.isEmpty());
  EXPECT_EQ(FileCount(), 0u);
  EXPECT_TRUE(Find<QGroupBox>("gbFont")->isEnabled());
}

}  // namespace
}  // namespace glyphory::test
