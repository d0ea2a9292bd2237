// A colour picker: a small button filled with the selected colour that opens
// the colour dialog (custom colours offered) when clicked.
#pragma once

#include <QToolButton>

#include "glyph/platform.h"

namespace glyphory {

class TColorSwatch : public QToolButton {
  Q_OBJECT

 public:
  explicit TColorSwatch(QWidget* parent = nullptr);

  // The selected colour, 0x00BBGGRR (a system colour keeps its bit 31).
  [[nodiscard]] TColor SelectedColor() const { return selected_; }
  // Selects a colour; emits colorChanged when it differs from the current one.
  void SetSelectedColor(TColor color);

  // The colour offered first in the dialog's custom colours.
  [[nodiscard]] TColor DefaultColor() const { return default_; }
  void SetDefaultColor(TColor color) { default_ = color; }

 signals:
  void colorChanged(glyphory::TColor color);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Pick();

  TColor selected_ = clBlack;
  TColor default_ = clBlack;
};

// The RGB value shown for a colour: a system colour is translated first.
[[nodiscard]] QColor ToQColor(TColor color);
[[nodiscard]] TColor FromQColor(const QColor& color);

}  // namespace glyphory
