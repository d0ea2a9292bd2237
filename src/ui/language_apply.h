// Puts the texts of an interface language into a window's controls, found by
// their objectName. The texts themselves come from the language table
// (settings/language_table.h).
#pragma once

#include <QString>

#include "settings/language_table.h"

class QWidget;

namespace glyphory {

// The dynamic property that holds an opacity group's base text (its hint);
// the group's caption is built from it and the track bar's position.
inline constexpr const char* kHintProperty = "hint";

// Sets one text: for a caption, a group box's title, a button's or check
// box's text, a label's text (always plain text), a tab page's tab text, or
// else the widget's window title; for a hint, the kHintProperty property.
void SetLanguageText(QWidget& control, LanguageProperty property, const QString& text);

// Sets every place of the table in row order from `texts` (Windows-1251).
// Places whose control `window` does not hold are skipped.
void ApplyLanguageTexts(QWidget& window, const LanguageTexts& texts);

}  // namespace glyphory
