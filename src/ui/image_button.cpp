#include "ui/image_button.h"

#include <QIcon>
#include <QPixmap>

namespace glyphory {

QImage ToQImage(const TPNGObject& image) {
  QImage out(image.Width(), image.Height(), QImage::Format_RGBA8888);
  for (std::int32_t y = 0; y < image.Height(); ++y) {
    const std::uint8_t* alpha = image.AlphaRow(y);
    auto* line = out.scanLine(y);
    for (std::int32_t x = 0; x < image.Width(); ++x) {
      const TColor color = image.ReadPixel(x, y);
      std::uint8_t* pixel = line + static_cast<std::size_t>(x) * 4;
      pixel[0] = RedOf(color);
      pixel[1] = GreenOf(color);
      pixel[2] = BlueOf(color);
      pixel[3] = alpha[x];
    }
  }
  return out;
}

TPngButton::TPngButton(QWidget* parent) : QToolButton(parent) {
  setAutoRaise(true);  // flat
  setToolButtonStyle(Qt::ToolButtonIconOnly);
}

void TPngButton::SetImage(const TPNGObject& image) {
  image_ = ToQImage(image);
  const QPixmap pixmap = QPixmap::fromImage(image_);
  setIcon(QIcon(pixmap));
  setIconSize(pixmap.size().boundedTo(size() - QSize(4, 4)));
}

}  // namespace glyphory
