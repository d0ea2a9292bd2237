#include "ui/about_window.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>

#include "glyph/code_page.h"

namespace glyphory {

namespace {

constexpr const char* kReadmeFileName = "readme.txt";
constexpr const char* kVersionPlaceholder = "#VERSION";
constexpr double kOpacity = 220.0 / 255.0;

QPointer<TfrmAbout>& AboutSlot() {
  static QPointer<TfrmAbout> window;
  return window;
}

// The whole file; empty when it is missing or unreadable.
std::string ReadFile(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    return {};
  }
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

}  // namespace

QString ReadmeText(std::string_view bytes) {
  std::string lines;
  lines.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r') {
      lines += '\n';
      if (i + 1 < bytes.size() && bytes[i + 1] == '\n') {
        ++i;
      }
    } else {
      lines += bytes[i];
    }
  }
  // A final line end closes the last line; it does not open an empty one.
  if (!lines.empty() && lines.back() == '\n') {
    lines.pop_back();
  }
  return QString::fromStdString(Cp1251ToUtf8(lines));
}

TfrmAbout::TfrmAbout(std::string programFolder, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::MSWindowsFixedSizeDialogHint), programFolder_(std::move(programFolder)) {
  setObjectName("frmAbout");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QString::fromUtf8("Для справки..."));
  setWindowOpacity(kOpacity);
  setFixedSize(kClientWidth, kClientHeight);
  CreateControls();
}

void TfrmAbout::CreateControls() {
  // The children are owned by the window.
  memReadme_ = new QPlainTextEdit(this);
  memReadme_->setObjectName("memReadme");
  memReadme_->setGeometry(8, 8, 489, 281);
  memReadme_->setReadOnly(true);
  memReadme_->setLineWrapMode(QPlainTextEdit::NoWrap);
  memReadme_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memReadme_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

  versionLabel_ = new QLabel(QString("Glyphory v") + kVersionPlaceholder, this);
  versionLabel_->setObjectName("RzLabel3");
  versionLabel_->setTextFormat(Qt::PlainText);
  versionLabel_->move(16, 296);

  auto* okButton = new QPushButton("OK", this);
  okButton->setObjectName("BitBtn1");
  okButton->setGeometry(384, 360, 113, 25);
  okButton->setDefault(true);
  connect(okButton, &QPushButton::clicked, this, &QWidget::close);

  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(escape, &QShortcut::activated, this, &QWidget::close);
}

void TfrmAbout::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  LoadReadme();
  versionLabel_->setText(versionLabel_->text().replace(kVersionPlaceholder, GLYPHORY_VERSION));
  versionLabel_->adjustSize();
  CentreOnDesktop();
}

void TfrmAbout::LoadReadme() {
  memReadme_->clear();
  memReadme_->setPlainText(ReadmeText(ReadFile(programFolder_ + kReadmeFileName)));
}

void TfrmAbout::CentreOnDesktop() {
  if (const QScreen* desktop = screen()) {
    const QRect frame = frameGeometry();
    move(desktop->availableGeometry().center() - QPoint(frame.width() / 2, frame.height() / 2));
  }
}

TfrmAbout* ShowAbout(const std::string& programFolder, QWidget* parent) {
  QPointer<TfrmAbout>& slot = AboutSlot();
  if (slot) {
    slot->raise();
    slot->activateWindow();
    slot->memReadme()->setFocus();
    return slot;
  }
  // Qt owns the window: it deletes itself when closed (or goes with its
  // parent), and the guarded reference then clears itself.
  slot = new TfrmAbout(programFolder, parent);
  slot->show();
  return slot;
}

TfrmAbout* AboutWindow() { return AboutSlot().data(); }

}  // namespace glyphory
