#include "ui/log_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScreen>
#include <QVBoxLayout>
#include <memory>
#include <utility>

#include "glyph/code_page.h"
#include "ui/form_placement.h"

namespace glyphory {

namespace {

constexpr const char* kWindowName = "frmLog";
constexpr const char* kStateFileName = "log.ini";
constexpr double kOpacity = 230.0 / 255.0;

QString FromCp1251(std::string_view text) { return QString::fromStdString(Cp1251ToUtf8(text)); }

// Its messages name files, whose paths are UTF-8.
void ShowErrorBox(const std::string& message) {
  QMessageBox::critical(nullptr, QCoreApplication::applicationName(), QString::fromStdString(MessageToUtf8(message)));
}

std::unique_ptr<TfrmLog>& LogWindowSlot() {
  static std::unique_ptr<TfrmLog> window;
  return window;
}

}  // namespace

QString LogLine(const QDateTime& when, std::string_view message) {
  const QDate date = when.date();
  const QTime time = when.time();
  return QString::asprintf("[ %02d.%02d.%04d %02d:%02d.%02d ]~", date.day(), date.month(), date.year(),
                           time.hour(), time.minute(), time.second()) +
         FromCp1251(message);
}

TfrmLog::TfrmLog(const std::string& programFolder, LogClock clock, ShowErrorFn showError)
    : QWidget(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      logini_(programFolder + kStateFileName),
      clock_(clock ? std::move(clock) : LogClock([] { return QDateTime::currentDateTime(); })),
      showError_(showError ? std::move(showError) : ShowErrorFn(ShowErrorBox)) {
  setObjectName(kWindowName);
  setWindowTitle(QString::fromUtf8("Лог"));
  setWindowOpacity(kOpacity);
  CreateMemo();
  move(kDesignLeft, kDesignTop);
  resize(kDesignWidth, kDesignHeight);
  previousSink_ = SetLogSink([this](std::string_view message) { Log(message); });
}

TfrmLog::~TfrmLog() {
  SetLogSink(std::move(previousSink_));
  SaveState();
}

void TfrmLog::CreateMemo() {
  memLog_ = new QPlainTextEdit(this);  // owned by the window
  memLog_->setObjectName("memLog");
  memLog_->setReadOnly(true);
  memLog_->setLineWrapMode(QPlainTextEdit::NoWrap);
  memLog_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memLog_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(memLog_);
}

void TfrmLog::Log(std::string_view message) { memLog_->appendPlainText(LogLine(clock_(), message)); }

void TfrmLog::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!restored_) {
    restored_ = true;
    RestoreState();
  }
}

void TfrmLog::closeEvent(QCloseEvent* event) {
  SaveState();
  QWidget::closeEvent(event);
}

void TfrmLog::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (placing_ || !isVisible() || isMaximized() || screen() == nullptr) {
    return;
  }
  const QRect frame = frameGeometry();
  const QPoint snapped = SnapToEdges(frame, screen()->availableGeometry(), kSnapDistance);
  if (snapped != frame.topLeft()) {
    placing_ = true;
    move(snapped);
    placing_ = false;
  }
}

void TfrmLog::RestoreState() {
  // The window is shown for the first time here, so its current placement
  // is the design one; it is given as an outer rectangle, which only now,
  // with the frame known, can be set exactly.
  FormPlacement placement{kDesignLeft, kDesignTop, kDesignWidth, kDesignHeight, false, true};
  RestoreFormState(logini_, kWindowName, placement);
  placing_ = true;
  ApplyPlacement(*this, placement);
  placing_ = false;
}

void TfrmLog::SaveState() { SaveFormState(logini_, kWindowName, PlacementOf(*this, true), showError_); }

TfrmLog* CreateLogWindow(const std::string& programFolder, LogClock clock, ShowErrorFn showError) {
  std::unique_ptr<TfrmLog>& slot = LogWindowSlot();
  if (!slot) {
    slot = std::make_unique<TfrmLog>(programFolder, std::move(clock), std::move(showError));
    // Should the main window not destroy it, it still goes (and saves its
    // record) before the application object does.
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, &DestroyLogWindow);
    slot->show();
  }
  return slot.get();
}

void DestroyLogWindow() { LogWindowSlot().reset(); }

TfrmLog* LogWindow() { return LogWindowSlot().get(); }

}  // namespace glyphory
