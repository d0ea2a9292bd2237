// The caption a control shows: a group's title, a button's or check box's
// text, a label's text, or a tab page's text on its tab.
#pragma once

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QString>
#include <QTabWidget>
#include <QWidget>

namespace glyphory::test {

inline QString ShownText(const QWidget& control) {
  if (const auto* group = qobject_cast<const QGroupBox*>(&control)) {
    return group->title();
  }
  if (const auto* button = qobject_cast<const QAbstractButton*>(&control)) {
    return button->text();
  }
  if (const auto* label = qobject_cast<const QLabel*>(&control)) {
    return label->text();
  }
  for (const QWidget* ancestor = control.parentWidget(); ancestor != nullptr; ancestor = ancestor->parentWidget()) {
    if (const auto* tabs = qobject_cast<const QTabWidget*>(ancestor)) {
      return tabs->tabText(tabs->indexOf(const_cast<QWidget*>(&control)));
    }
  }
  return {};
}

}  // namespace glyphory::test
