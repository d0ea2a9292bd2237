// A main window over a temporary program folder, with its dialogs recorded.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>
#include <string>

#include "test_support.h"
#include "ui/dialogs.h"
#include "ui/main_window.h"

namespace glyphory::test {

// The one application object of the test program (kept for its whole life).
inline QApplication& TestApplication() {
  static int argc = 1;
  static char name[] = "ui_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    auto* created = new QApplication(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Glyphory"));
    return created;
  }();
  return *app;
}

class WindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { TestApplication(); }

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
