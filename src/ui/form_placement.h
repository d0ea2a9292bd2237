// A top-level window's placement in the terms of the window-state record:
// the outer rectangle (frame included) of its normal state, and whether it is
// maximised. Also the edge snapping of the tool windows.
#pragma once

#include <QPoint>
#include <QRect>

#include "settings/window_state.h"

class QWidget;

namespace glyphory {

// The window's normal outer rectangle and maximised state.
[[nodiscard]] FormPlacement PlacementOf(const QWidget& window, bool sizeable);

// Moves the window's frame to (left, top), gives a sizeable window the outer
// size of the placement, and maximises it when the placement says so.
void ApplyPlacement(QWidget& window, const FormPlacement& placement);

// Where a window whose outer rectangle is `frame` goes when it snaps to the
// edges of `area`: each side that lies within `distance` pixels of the
// matching edge of the area is moved onto it (left and top edges first).
[[nodiscard]] QPoint SnapToEdges(const QRect& frame, const QRect& area, int distance);

}  // namespace glyphory
