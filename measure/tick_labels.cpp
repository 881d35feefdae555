#include "measure/tick_labels.h"

#include <QPainter>

QFont fontInScreenPixels(const QWidget* widget, const QPainter& painter) {
  QFont font = widget->font();
  const double pixels = font.pointSizeF() > 0 ? font.pointSizeF() * widget->logicalDpiY() / 72.0
                                              : double(font.pixelSize());
  const int deviceDpi = painter.device() ? painter.device()->logicalDpiY() : widget->logicalDpiY();
  font.setPointSizeF(pixels * 72.0 / deviceDpi);
  return font;
}

TickLabels::TickLabels(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), orientation_(orientation) {}

void TickLabels::setTicks(std::vector<Tick> ticks) {
  ticks_ = std::move(ticks);
  update();
}

void TickLabels::paintTicks(QPainter& painter, const QRectF& area) const {
  painter.save();
  painter.setFont(fontInScreenPixels(this, painter));
  painter.setPen(palette().color(QPalette::WindowText));
  const double sx = area.width() / std::max(1, width());
  const double sy = area.height() / std::max(1, height());
  // A box around each label, wide enough for any tick text, centred on its position.
  const double half = orientation_ == Qt::Horizontal ? 40 : painter.fontMetrics().height();
  for (const Tick& tick : ticks_) {
    if (orientation_ == Qt::Horizontal) {
      const double x = area.left() + tick.position * sx;
      painter.drawText(QRectF(x - half, area.top(), 2 * half, area.height()), Qt::AlignCenter,
                       tick.text);
    } else {
      const double y = area.top() + tick.position * sy;
      painter.drawText(QRectF(area.left() + 2, y - half, area.width() - 2, 2 * half),
                       Qt::AlignLeft | Qt::AlignVCenter, tick.text);
    }
  }
  painter.restore();
}

void TickLabels::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  paintTicks(painter, rect());
}
