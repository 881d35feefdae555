#include "measure/tick_labels.h"

#include <QPainter>

TickLabels::TickLabels(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), orientation_(orientation) {}

void TickLabels::setTicks(std::vector<Tick> ticks) {
  ticks_ = std::move(ticks);
  update();
}

void TickLabels::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // A box around each label, wide enough for any tick text, centred on its position.
  const double half = orientation_ == Qt::Horizontal ? 40 : painter.fontMetrics().height();
  for (const Tick& tick : ticks_) {
    if (orientation_ == Qt::Horizontal) {
      painter.drawText(QRectF(tick.position - half, 0, 2 * half, height()), Qt::AlignCenter,
                       tick.text);
    } else {
      painter.drawText(QRectF(2, tick.position - half, width() - 2, 2 * half),
                       Qt::AlignLeft | Qt::AlignVCenter, tick.text);
    }
  }
}
