#include "ui/button_edit.h"

#include <QHBoxLayout>

namespace glyphory {

TButtonEdit::TButtonEdit(QWidget* parent)
    : QWidget(parent), edit_(new QLineEdit(this)), button_(new QToolButton(this)) {
  auto* layout = new QHBoxLayout(this);  // owned by the widget
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(edit_);
  layout->addWidget(button_);
  button_->setText(QStringLiteral("..."));
  button_->setFocusPolicy(Qt::NoFocus);
  connect(button_, &QToolButton::clicked, this, &TButtonEdit::buttonClicked);
}

}  // namespace glyphory
