#pragma once

// The one Qt painter of display lists: the printed template and its
// preview paint through it. The painter's transform is in millimetres; the
// text is drawn in device units, with a font sized for the device, so it
// keeps its point size whatever the transform.

#include "presentation/board_drawing.h"

class QFont;
class QPaintDevice;
class QPainter;

namespace quillmar {

// Liberation Sans at `points`, sized for the device.
QFont DrawingFont(int points, const QPaintDevice& device);

void PaintDisplayList(QPainter& painter, const QPaintDevice& device, double dotsPerMm,
                      const DisplayList& list);

}  // namespace quillmar
