#include "ui/form_placement.h"

#include <QWidget>
#include <cstdlib>

namespace glyphory {

namespace {

// How far the frame reaches beyond the client area: left/top offset and the
// extra width and height.
struct FrameExtent {
  int left;
  int top;
  int width;
  int height;
};

FrameExtent FrameExtentOf(const QWidget& window) {
  const QRect client = window.geometry();
  const QRect frame = window.frameGeometry();
  return {client.x() - frame.x(), client.y() - frame.y(), frame.width() - client.width(),
          frame.height() - client.height()};
}

// The snapped coordinate of one axis.
int SnapAxis(int start, int length, int areaStart, int areaLength, int distance) {
  if (std::abs(start - areaStart) <= distance) {
    return areaStart;
  }
  const int end = start + length;
  const int areaEnd = areaStart + areaLength;
  if (std::abs(end - areaEnd) <= distance) {
    return areaEnd - length;
  }
  return start;
}

}  // namespace

FormPlacement PlacementOf(const QWidget& window, bool sizeable) {
  const bool maximized = window.isMaximized();
  const QRect normal = (maximized || window.isMinimized()) ? window.normalGeometry() : window.geometry();
  const FrameExtent extent = FrameExtentOf(window);
  FormPlacement placement;
  placement.left = normal.x() - extent.left;
  placement.top = normal.y() - extent.top;
  placement.width = normal.width() + extent.width;
  placement.height = normal.height() + extent.height;
  placement.maximized = maximized;
  placement.sizeable = sizeable;
  return placement;
}

void ApplyPlacement(QWidget& window, const FormPlacement& placement) {
  const FrameExtent extent = FrameExtentOf(window);
  window.move(placement.left, placement.top);
  if (placement.sizeable) {
    window.resize(placement.width - extent.width, placement.height - extent.height);
  }
  if (placement.maximized) {
    window.setWindowState(window.windowState() | Qt::WindowMaximized);
  }
}

QPoint SnapToEdges(const QRect& frame, const QRect& area, int distance) {
  return {SnapAxis(frame.x(), frame.width(), area.x(), area.width(), distance),
          SnapAxis(frame.y(), frame.height(), area.y(), area.height(), distance)};
}

}  // namespace glyphory
