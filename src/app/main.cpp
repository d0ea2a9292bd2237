// Glyphory: turns a font into one image per character code.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Glyphory");
  QMainWindow window;
  window.setWindowTitle("Glyphory");
  window.show();
  return QApplication::exec();
}
