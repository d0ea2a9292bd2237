#include "ui/radio_group.h"

#include <QAbstractButton>
#include <QGridLayout>
#include <QRadioButton>

namespace glyphory {

TRadioGroup::TRadioGroup(const QString& caption, const QStringList& items, int columns, QWidget* parent)
    : QGroupBox(caption, parent), buttons_(new QButtonGroup(this)) {
  auto* layout = new QGridLayout(this);  // owned by the group
  layout->setContentsMargins(2, 0, 2, 0);
  layout->setSpacing(2);
  layout->setAlignment(Qt::AlignTop);
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(items[i], this);
    buttons_->addButton(button, i);
    layout->addWidget(button, i / columns, i % columns);
  }
}

void TRadioGroup::SetItemIndex(int index) {
  QAbstractButton* button = buttons_->button(index);
  if (button != nullptr) {
    button->setChecked(true);
    return;
  }
  QAbstractButton* checked = buttons_->checkedButton();
  if (checked != nullptr) {
    buttons_->setExclusive(false);
    checked->setChecked(false);
    buttons_->setExclusive(true);
  }
}

QString TRadioGroup::ItemText(int index) const {
  const QAbstractButton* button = buttons_->button(index);
  return button != nullptr ? button->text() : QString();
}

}  // namespace glyphory
