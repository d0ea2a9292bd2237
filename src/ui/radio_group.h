// A captioned group of radio buttons in columns, addressed by item index like
// a list: -1 means no item is selected.
#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>

namespace glyphory {

class TRadioGroup : public QGroupBox {
  Q_OBJECT

 public:
  TRadioGroup(const QString& caption, const QStringList& items, int columns, QWidget* parent = nullptr);

  [[nodiscard]] int ItemIndex() const { return buttons_->checkedId(); }
  // Selects item `index`; an index outside the items clears the selection.
  void SetItemIndex(int index);
  [[nodiscard]] int Count() const { return static_cast<int>(buttons_->buttons().size()); }
  [[nodiscard]] QString ItemText(int index) const;

 private:
  QButtonGroup* buttons_;
};

}  // namespace glyphory
