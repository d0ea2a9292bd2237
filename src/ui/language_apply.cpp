#include "ui/language_apply.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QTabWidget>
#include <QWidget>

#include "glyph/code_page.h"

namespace glyphory {

namespace {

// The tab widget that shows `page` as one of its tabs, if any.
QTabWidget* TabWidgetOf(QWidget& page) {
  for (QWidget* ancestor = page.parentWidget(); ancestor != nullptr; ancestor = ancestor->parentWidget()) {
    if (auto* tabs = qobject_cast<QTabWidget*>(ancestor)) {
      return tabs->indexOf(&page) >= 0 ? tabs : nullptr;
    }
  }
  return nullptr;
}

// A label placed by hand grows or shrinks with its text, so a longer
// translation is not cut off; a label in a layout keeps what the layout gives.
void FitToText(QLabel& label) {
  const QWidget* parent = label.parentWidget();
  const QLayout* layout = parent != nullptr ? parent->layout() : nullptr;
  if (layout == nullptr || layout->indexOf(&label) < 0) {
    label.adjustSize();
  }
}

void SetCaption(QWidget& control, const QString& text) {
  if (auto* group = qobject_cast<QGroupBox*>(&control)) {
    group->setTitle(text);
  } else if (auto* button = qobject_cast<QAbstractButton*>(&control)) {
    button->setText(text);
  } else if (auto* label = qobject_cast<QLabel*>(&control)) {
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    FitToText(*label);
  } else if (QTabWidget* tabs = TabWidgetOf(control)) {
    tabs->setTabText(tabs->indexOf(&control), text);
  } else {
    control.setWindowTitle(text);
  }
}

}  // namespace

void SetLanguageText(QWidget& control, LanguageProperty property, const QString& text) {
  if (property == LanguageProperty::Hint) {
    control.setProperty(kHintProperty, text);
  } else {
    SetCaption(control, text);
  }
}

void ApplyLanguageTexts(QWidget& window, const LanguageTexts& texts) {
  for (std::size_t i = 0; i < kLanguageRows.size(); ++i) {
    const LanguageRow& row = kLanguageRows[i];
    if (auto* control = window.findChild<QWidget*>(row.control)) {
      SetLanguageText(*control, row.property, QString::fromStdString(Cp1251ToUtf8(texts[i])));
    }
  }
}

}  // namespace glyphory
