// A flat button that shows its own copy of an RGBA image, in the toolkit's
// disabled look while the button is disabled.
#pragma once

#include <QImage>
#include <QToolButton>

#include "image/png_object.h"

namespace glyphory {

// The image as 8-bit RGBA (straight alpha).
[[nodiscard]] QImage ToQImage(const TPNGObject& image);

class TPngButton : public QToolButton {
  Q_OBJECT

 public:
  explicit TPngButton(QWidget* parent = nullptr);

  // Copies the image and shows the copy.
  void SetImage(const TPNGObject& image);
  [[nodiscard]] const QImage& Image() const { return image_; }

 private:
  QImage image_;
};

}  // namespace glyphory
