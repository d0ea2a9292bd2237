// The one Qt application object the window tests need, made on first use
// (or the one that exists already).
#pragma once

#include <QApplication>

namespace glyphory::test {

inline QApplication& TestApplication() {
  if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance())) {
    return *existing;
  }
  static int argc = 1;
  static char name[] = "ui_tests";
  static char* argv[] = {name, nullptr};
  static QApplication application(argc, argv);
  return application;
}

}  // namespace glyphory::test
