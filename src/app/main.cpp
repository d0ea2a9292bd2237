// Glyphory: turns a font into one image per character code.
#include <QApplication>
#include <QDir>

#include "ui/dialogs.h"
#include "ui/main_window.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Glyphory"));
  // The program's folder: the running binary's directory, ending in "/".
  const std::string programFolder = QDir(QApplication::applicationDirPath()).absolutePath().toStdString() + "/";
  glyphory::QtDialogs dialogs;
  glyphory::TfrmMain frmMain(programFolder, dialogs);
  dialogs.SetParent(&frmMain);
  frmMain.show();
  return QApplication::exec();
}
