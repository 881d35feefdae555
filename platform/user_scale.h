#pragma once

#include <QPointF>
#include <QRectF>

// Where the user point (x, y) lies in `area` when the user scale left..right, top..bottom is laid
// over it (y grows upwards when top > bottom): the one mapping of the picture box, whether it
// draws on the screen or on a printer's page.
inline QPointF userToArea(double x, double y, double left, double top, double right, double bottom,
                          const QRectF& area) {
  return {area.left() + (x - left) * area.width() / (right - left),
          area.top() + (y - top) * area.height() / (bottom - top)};
}
