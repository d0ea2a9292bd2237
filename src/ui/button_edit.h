// A line edit with a browse button at its right end.
#pragma once

#include <QLineEdit>
#include <QToolButton>
#include <QWidget>

namespace glyphory {

class TButtonEdit : public QWidget {
  Q_OBJECT

 public:
  explicit TButtonEdit(QWidget* parent = nullptr);

  [[nodiscard]] QString text() const { return edit_->text(); }
  void setText(const QString& text) { edit_->setText(text); }
  [[nodiscard]] QLineEdit* Edit() const { return edit_; }
  [[nodiscard]] QToolButton* Button() const { return button_; }

 signals:
  void buttonClicked();

 private:
  QLineEdit* edit_;
  QToolButton* button_;
};

}  // namespace glyphory
