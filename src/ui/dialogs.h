// The window's modal dialogs behind one seam: message box, error box and the
// two pickers. The program uses the Qt dialogs; tests record the calls and
// answer from prepared replies, so no test ever blocks on a dialog.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QWidget;

namespace glyphory {

// The error box's text: the message, with a full stop appended when it does
// not end in one.
[[nodiscard]] QString ErrorBoxText(const QString& message);

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // Modal message with one OK button, titled with the application title.
  virtual void Message(const QString& text) = 0;
  // The application's error box: ErrorBoxText, error icon, one OK button.
  virtual void ErrorBox(const QString& message) = 0;
  // A message with the error icon and one OK button, text as given.
  virtual void ErrorMessage(const QString& text) = 0;
  // Folder picker opened on `start`; nothing when cancelled.
  virtual std::optional<QString> ChooseFolder(const QString& start) = 0;
  // Font file picker ("*.ttf" or all files); nothing when cancelled.
  virtual std::optional<QString> ChooseFontFile() = 0;
};

// The real dialogs, over QMessageBox and QFileDialog.
class QtDialogs final : public Dialogs {
 public:
  explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  void Message(const QString& text) override;
  void ErrorBox(const QString& message) override;
  void ErrorMessage(const QString& text) override;
  std::optional<QString> ChooseFolder(const QString& start) override;
  std::optional<QString> ChooseFontFile() override;

 private:
  QWidget* parent_;
};

// Records every dialog instead of showing it; pickers answer from queues
// (an empty queue or an empty reply counts as cancel). `onMessage` runs after a message or an
// error box is recorded, as a user acting while the dialog is open.
class RecordingDialogs final : public Dialogs {
 public:
  QStringList messages;  // Message
  QStringList errors;    // ErrorBox, already with its full stop
  QStringList errorMessages;
  QStringList folderReplies;
  QStringList fontFileReplies;
  QStringList folderStarts;
  int fontFileRequests = 0;
  std::function<void()> onMessage;

  void Message(const QString& text) override;
  void ErrorBox(const QString& message) override;
  void ErrorMessage(const QString& text) override;
  std::optional<QString> ChooseFolder(const QString& start) override;
  std::optional<QString> ChooseFontFile() override;
};

}  // namespace glyphory
