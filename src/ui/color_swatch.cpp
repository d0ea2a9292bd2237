#include "ui/color_swatch.h"

#include <QColorDialog>
#include <QPainter>
#include <QStyleOptionToolButton>

namespace glyphory {

QColor ToQColor(TColor color) {
  constexpr TColor kSystemColorBit = 0x80000000u;
  if ((color & kSystemColorBit) != 0) {
    color = GetSysColor(static_cast<int>(color & 0xFF));
  }
  return QColor(RedOf(color), GreenOf(color), BlueOf(color));
}

TColor FromQColor(const QColor& color) {
  return PackRGB(static_cast<std::uint32_t>(color.red()), static_cast<std::uint32_t>(color.green()),
                 static_cast<std::uint32_t>(color.blue()));
}

TColorSwatch::TColorSwatch(QWidget* parent) : QToolButton(parent) {
  setPopupMode(QToolButton::DelayedPopup);
  connect(this, &QToolButton::clicked, this, &TColorSwatch::Pick);
}

void TColorSwatch::SetSelectedColor(TColor color) {
  if (color == selected_) {
    return;
  }
  selected_ = color;
  update();
  emit colorChanged(color);
}

void TColorSwatch::paintEvent(QPaintEvent* event) {
  QToolButton::paintEvent(event);
  QPainter painter(this);
  const QRect swatch = rect().adjusted(4, 4, -5, -5);
  painter.fillRect(swatch, isEnabled() ? ToQColor(selected_) : palette().color(QPalette::Disabled, QPalette::Button));
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawRect(swatch);
}

void TColorSwatch::Pick() {
  QColorDialog::setCustomColor(0, ToQColor(default_));
  const QColor chosen = QColorDialog::getColor(ToQColor(selected_), this);
  if (chosen.isValid()) {
    SetSelectedColor(FromQColor(chosen));
  }
}

}  // namespace glyphory
