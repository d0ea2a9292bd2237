#include "ui/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace glyphory {

QString ErrorBoxText(const QString& message) {
  if (message.endsWith(QLatin1Char('.'))) {
    return message;
  }
  return message + QLatin1Char('.');
}

namespace {

void ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
  QMessageBox box(icon, QApplication::applicationName(), text, QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);  // texts may come from files: never rich text
  box.exec();
}

std::optional<QString> Take(QStringList& replies) {
  const QString reply = replies.isEmpty() ? QString() : replies.takeFirst();
  if (reply.isEmpty()) {
    return std::nullopt;
  }
  return reply;
}

}  // namespace

void QtDialogs::Message(const QString& text) { ShowBox(parent_, QMessageBox::NoIcon, text); }

void QtDialogs::ErrorBox(const QString& message) { ShowBox(parent_, QMessageBox::Critical, ErrorBoxText(message)); }

void QtDialogs::ErrorMessage(const QString& text) { ShowBox(parent_, QMessageBox::Critical, text); }

std::optional<QString> QtDialogs::ChooseFolder(const QString& start) {
  const QString folder = QFileDialog::getExistingDirectory(parent_, QString(), start);
  if (folder.isEmpty()) {
    return std::nullopt;
  }
  return folder;
}

std::optional<QString> QtDialogs::ChooseFontFile() {
  QFileDialog dialog(parent_);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters({QStringLiteral("*.ttf (*.ttf)"), QStringLiteral("All files (*)")});
  dialog.setDefaultSuffix(QStringLiteral("ttf"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  return dialog.selectedFiles().front();
}

void RecordingDialogs::Message(const QString& text) {
  messages << text;
  if (onMessage) {
    onMessage();
  }
}

void RecordingDialogs::ErrorBox(const QString& message) {
  errors << ErrorBoxText(message);
  if (onMessage) {
    onMessage();
  }
}

void RecordingDialogs::ErrorMessage(const QString& text) { errorMessages << text; }

std::optional<QString> RecordingDialogs::ChooseFolder(const QString& start) {
  folderStarts << start;
  return Take(folderReplies);
}

std::optional<QString> RecordingDialogs::ChooseFontFile() {
  ++fontFileRequests;
  return Take(fontFileReplies);
}

}  // namespace glyphory
