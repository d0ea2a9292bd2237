// The log window `frmLog`: an optional diagnostic window that lists the glyph
// pipeline's progress messages with a time stamp. It exists only when the
// settings ask for it; while it exists it is the receiver of the core's log
// messages, and it keeps its placement in "log.ini" in the program folder.
#pragma once

#include <QDateTime>
#include <QWidget>
#include <functional>
#include <string>
#include <string_view>

#include "glyph/log_sink.h"
#include "settings/ini_store.h"
#include "settings/window_state.h"

class QPlainTextEdit;

namespace glyphory {

// Gives the local date and time a log line is stamped with.
using LogClock = std::function<QDateTime()>;

// "[ dd.mm.yyyy hh:nn.ss ]~" for `when` (24-hour clock, ":" between hours and
// minutes, "." before the seconds) followed directly by the message, which is
// Windows-1251 text.
[[nodiscard]] QString LogLine(const QDateTime& when, std::string_view message);

class TfrmLog : public QWidget {
  Q_OBJECT

 public:
  // Where the window stands when "log.ini" holds no record (outer rectangle).
  static constexpr int kDesignLeft = 507;
  static constexpr int kDesignTop = 663;
  static constexpr int kDesignWidth = 626;
  static constexpr int kDesignHeight = 168;
  // Dragged this close to a screen edge, the window snaps onto it.
  static constexpr int kSnapDistance = 10;

  // `programFolder` ends in "/". An empty clock uses the local time; an empty
  // `showError` shows a message box with the error icon.
  explicit TfrmLog(const std::string& programFolder, LogClock clock = {}, ShowErrorFn showError = {});
  ~TfrmLog() override;
  TfrmLog(const TfrmLog&) = delete;
  TfrmLog& operator=(const TfrmLog&) = delete;

  // Appends the log line for the message at the clock's current time.
  void Log(std::string_view message);

  [[nodiscard]] QPlainTextEdit* memLog() const { return memLog_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

 private:
  void CreateMemo();
  void RestoreState();
  void SaveState();

  QPlainTextEdit* memLog_ = nullptr;
  TIniStore logini_;
  LogClock clock_;
  ShowErrorFn showError_;
  LogSink previousSink_;
  bool restored_ = false;
  bool placing_ = false;  // moves made by the window itself do not snap
};

// The program-wide log window. The main window creates it at start-up when
// the settings key common/log is on, and destroys it when it is destroyed
// itself; the window saves its record in "log.ini" then.

// Creates and shows the log window (or returns the one that exists).
TfrmLog* CreateLogWindow(const std::string& programFolder, LogClock clock = {}, ShowErrorFn showError = {});
// Destroys the log window if there is one; log messages go nowhere afterwards.
void DestroyLogWindow();
// The log window, or nullptr while there is none.
[[nodiscard]] TfrmLog* LogWindow();

}  // namespace glyphory
