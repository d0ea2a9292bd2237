// A main window over a temporary program folder, with its dialogs recorded.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>
#include <string>

#include "qt_test_app.h"
#include "test_support.h"
#include "ui/dialogs.h"
#include "ui/main_window.h"

namespace glyphory::test {

class WindowTest : public ::testing::Test {
 protected:
  // One application object per process, whichever test makes it first.
  static void SetUpTestSuite() {
    TestApplication();
    QApplication::setApplicationName(QStringLiteral("Glyphory"));
  }

  // Writes the settings file (Windows-1251 text) before the window opens.
  void WriteSettings(const std::string& text) { WriteFileBytes(SettingsPath(), text); }
  [[nodiscard]] std::string SettingsPath() const { return folder + "Glyphory.ini"; }

  // Creates and shows the window: the start-up sequence runs.
  TfrmMain& Open() {
    window = std::make_unique<TfrmMain>(folder, dialogs);
    window->show();
    return *window;
  }

  template <typename T>
  T* Find(const char* name) const {
    T* control = window->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
  }

  TempDir dir;
  std::string folder = dir.Path().string() + "/";
  RecordingDialogs dialogs;
  std::unique_ptr<TfrmMain> window;
};

}  // namespace glyphory::test
