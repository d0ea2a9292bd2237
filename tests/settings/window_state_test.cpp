#include "settings/window_state.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "test_support.h"

namespace glyphory {
namespace {

using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

class WindowStateTest : public testing::Test {
 protected:
  TempDir dir_;
  std::string path_ = dir_.File("Glyphory.ini");
  TIniStore store_{path_};
};

TEST_F(WindowStateTest, FixedBorderWindowSavesFourKeysInOrder) {
  const FormPlacement placement{120, 80, 640, 480, false, false};
  SaveFormState(store_, "frmMain", placement, {});
  EXPECT_EQ(ReadFileBytes(path_), "[frmMainFormState]\r\nMaximized=0\r\nLeft=120\r\nTop=80\r\nSaved=1\r\n");
}

TEST_F(WindowStateTest, SizeableWindowSavesAllSixKeysInOrder) {
  const FormPlacement placement{-5, 10, 300, 200, true, true};
  SaveFormState(store_, "frmLog", placement, {});
  EXPECT_EQ(ReadFileBytes(path_),
            "[frmLogFormState]\r\nMaximized=1\r\nLeft=-5\r\nTop=10\r\nWidth=300\r\nHeight=200\r\nSaved=1\r\n");
}

TEST_F(WindowStateTest, SavedRecordRestoresPositionAndSwitchesOffCentring) {
  WriteFileBytes(path_, "[frmMainFormState]\nSaved=1\nLeft=100\nTop=50\nWidth=999\nHeight=999\n");
  FormPlacement placement{300, 200, 640, 480, false, false};
  EXPECT_TRUE(FormStateSaved(store_, "frmMain"));
  RestoreFormState(store_, "frmMain", placement);
  EXPECT_EQ(placement.left, 100);
  EXPECT_EQ(placement.top, 50);
  // A fixed border keeps its size whatever the record says.
  EXPECT_EQ(placement.width, 640);
  EXPECT_EQ(placement.height, 480);
  EXPECT_FALSE(placement.maximized);
}

TEST_F(WindowStateTest, RecordWithoutSavedStillRestoresButLeavesCentringOn) {
  WriteFileBytes(path_, "[frmMainFormState]\nLeft=100\nTop=50\n");
  FormPlacement placement{300, 200, 640, 480, false, false};
  EXPECT_FALSE(FormStateSaved(store_, "frmMain"));
  RestoreFormState(store_, "frmMain", placement);
  EXPECT_EQ(placement.left, 100);
  EXPECT_EQ(placement.top, 50);
}

TEST_F(WindowStateTest, SizeableWindowRestoresSizeAndMaximisesDefaultsElsewhere) {
  WriteFileBytes(path_, "[frmLogFormState]\nMaximized=1\nWidth=500\nHeight=bad\n");
  FormPlacement placement{1, 2, 3, 4, false, true};
  RestoreFormState(store_, "frmLog", placement);
  EXPECT_EQ(placement.left, 1);
  EXPECT_EQ(placement.top, 2);
  EXPECT_EQ(placement.width, 500);
  EXPECT_EQ(placement.height, 4);
  EXPECT_TRUE(placement.maximized);
}

TEST_F(WindowStateTest, MissingFileChangesNothing) {
  FormPlacement placement{1, 2, 3, 4, false, true};
  RestoreFormState(store_, "frmLog", placement);
  EXPECT_EQ(placement.left, 1);
  EXPECT_EQ(placement.width, 3);
  EXPECT_FALSE(placement.maximized);
  EXPECT_FALSE(FormStateSaved(store_, "frmLog"));
}

TEST_F(WindowStateTest, SaveThenRestoreGivesThePlacementBack) {
  const FormPlacement saved{40, 30, 420, 310, false, true};
  SaveFormState(store_, "frmLog", saved, {});
  FormPlacement restored{0, 0, 100, 100, false, true};
  RestoreFormState(store_, "frmLog", restored);
  EXPECT_EQ(restored.left, 40);
  EXPECT_EQ(restored.top, 30);
  EXPECT_EQ(restored.width, 420);
  EXPECT_EQ(restored.height, 310);
  EXPECT_TRUE(FormStateSaved(store_, "frmLog"));
}

TEST_F(WindowStateTest, UnwritableFileIsReportedOnceAndSaveGoesOn) {
  WriteFileBytes(path_, "[other]\nx=1\n");
  std::filesystem::permissions(path_, std::filesystem::perms::owner_read);
  std::vector<std::string> errors;
  SaveFormState(store_, "frmMain", FormPlacement{}, [&](const std::string& m) { errors.push_back(m); });
  EXPECT_EQ(errors, std::vector<std::string>{"Unable to write to " + path_});
  EXPECT_EQ(ReadFileBytes(path_), "[other]\nx=1\n");
}

}  // namespace
}  // namespace glyphory
