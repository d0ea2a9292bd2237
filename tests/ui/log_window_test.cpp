#include "ui/log_window.h"

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <string>
#include <vector>

#include "glyph/code_page.h"
#include "qt_test_app.h"
#include "test_support.h"
#include "ui/form_placement.h"

namespace glyphory {
namespace {

using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

const QDateTime kFixedTime(QDate(2010, 2, 1), QTime(9, 3, 7));

class LogWindowTest : public testing::Test {
 protected:
  void SetUp() override { test::TestApplication(); }
  void TearDown() override { DestroyLogWindow(); }

  TfrmLog* Create() {
    return CreateLogWindow(folder_, [] { return kFixedTime; },
                           [this](const std::string& message) { errors_.push_back(message); });
  }

  TempDir dir_;
  std::string folder_ = dir_.Path().string() + "/";
  std::vector<std::string> errors_;
};

TEST_F(LogWindowTest, WithoutRecordOpensAtDesignPlacementAndSavesSixKeysWhenDestroyed) {
  TfrmLog* window = Create();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(LogWindow(), window);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->frameGeometry(), QRect(507, 663, 626, 168));

  DestroyLogWindow();
  EXPECT_EQ(LogWindow(), nullptr);
  EXPECT_EQ(ReadFileBytes(folder_ + "log.ini"),
            "[frmLogFormState]\r\nMaximized=0\r\nLeft=507\r\nTop=663\r\nWidth=626\r\nHeight=168\r\nSaved=1\r\n");
  EXPECT_TRUE(errors_.empty());
}

TEST_F(LogWindowTest, StoredRecordGivesPositionAndSize) {
  WriteFileBytes(folder_ + "log.ini", "[frmLogFormState]\r\nLeft=100\r\nTop=120\r\nWidth=300\r\nHeight=90\r\n");
  EXPECT_EQ(Create()->frameGeometry(), QRect(100, 120, 300, 90));
}

TEST_F(LogWindowTest, StoredMaximizedRecordMaximisesTheWindow) {
  WriteFileBytes(folder_ + "log.ini", "[frmLogFormState]\r\nMaximized=1\r\nSaved=1\r\n");
  EXPECT_TRUE(Create()->isMaximized());
}

TEST_F(LogWindowTest, IsATranslucentToolWindowWithoutCloseButton) {
  const TfrmLog* window = Create();
  EXPECT_EQ(window->windowTitle(), QString::fromUtf8("Лог"));
  EXPECT_EQ(window->objectName(), "frmLog");
  EXPECT_DOUBLE_EQ(window->windowOpacity(), 230.0 / 255.0);
  const Qt::WindowFlags flags = window->windowFlags();
  EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);
  EXPECT_FALSE(flags.testFlag(Qt::WindowCloseButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowSystemMenuHint));
  EXPECT_TRUE(window->memLog()->isReadOnly());
  EXPECT_TRUE(window->memLog()->toPlainText().isEmpty());
}

TEST_F(LogWindowTest, CoreMessagesBecomeStampedLinesWhileTheWindowExists) {
  const TfrmLog* window = Create();
  LogMessage(Utf8ToCp1251("Фильтр: 12 точек"));
  LogMessage("second");
  EXPECT_EQ(window->memLog()->toPlainText(),
            QString::fromUtf8("[ 01.02.2010 09:03.07 ]~Фильтр: 12 точек\n[ 01.02.2010 09:03.07 ]~second"));
}

TEST_F(LogWindowTest, WithoutTheWindowMessagesGoNowhere) {
  Create();
  DestroyLogWindow();
  LogMessage("after");  // must not reach the destroyed window
  EXPECT_FALSE(SetLogSink({}));
}

TEST_F(LogWindowTest, RefusedSaveIsShownAndTheWindowStillGoes) {
  folder_ = dir_.Path().string() + "/missing/";
  Create();
  DestroyLogWindow();
  ASSERT_EQ(errors_.size(), 1u);
  EXPECT_EQ(errors_[0], "Unable to write to " + folder_ + "log.ini");
  EXPECT_EQ(LogWindow(), nullptr);
}

struct StampCase {
  QDateTime when;
  const char* expected;
};

class LogLineTest : public testing::TestWithParam<StampCase> {};

TEST_P(LogLineTest, StampHasTwoDigitFieldsAndATwentyFourHourClock) {
  EXPECT_EQ(LogLine(GetParam().when, "msg"), QString(GetParam().expected) + "msg");
}

INSTANTIATE_TEST_SUITE_P(
    Times, LogLineTest,
    testing::Values(StampCase{QDateTime(QDate(2009, 3, 7), QTime(14, 5, 9)), "[ 07.03.2009 14:05.09 ]~"},
                    StampCase{QDateTime(QDate(2010, 2, 1), QTime(9, 3, 7)), "[ 01.02.2010 09:03.07 ]~"},
                    StampCase{QDateTime(QDate(2024, 12, 31), QTime(23, 59, 59)), "[ 31.12.2024 23:59.59 ]~"},
                    StampCase{QDateTime(QDate(2000, 1, 1), QTime(0, 0, 0)), "[ 01.01.2000 00:00.00 ]~"}));

struct SnapCase {
  QRect frame;
  QPoint expected;
};

class SnapToEdgesTest : public testing::TestWithParam<SnapCase> {};

TEST_P(SnapToEdgesTest, SidesNearAnEdgeMoveOntoIt) {
  const QRect area(0, 0, 1000, 800);
  EXPECT_EQ(SnapToEdges(GetParam().frame, area, 10), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, SnapToEdgesTest,
    testing::Values(SnapCase{QRect(300, 300, 200, 100), QPoint(300, 300)},   // far from every edge
                    SnapCase{QRect(8, 5, 200, 100), QPoint(0, 0)},          // near left and top
                    SnapCase{QRect(-10, 300, 200, 100), QPoint(0, 300)},    // just beyond the left edge
                    SnapCase{QRect(-11, 300, 200, 100), QPoint(-11, 300)},  // too far beyond it
                    SnapCase{QRect(795, 695, 200, 100), QPoint(800, 700)},  // near right and bottom
                    SnapCase{QRect(300, 709, 200, 100), QPoint(300, 700)}));

}  // namespace
}  // namespace glyphory
