#include "measure/report_plot.h"

#include <QPainter>

#include "platform/user_scale.h"

PlotPainter::PlotPainter(QPainter& painter, const QRectF& area, const QColor& foreColor)
    : painter_(painter), area_(area), foreColor_(foreColor) {}

void PlotPainter::setScale(double left, double top, double right, double bottom) {
  left_ = left;
  top_ = top;
  right_ = right;
  bottom_ = bottom;
}

QPointF PlotPainter::map(double x, double y) const {
  return userToArea(x, y, left_, top_, right_, bottom_, area_);
}

void PlotPainter::setCurrentPoint(double x, double y) {
  currentX_ = x;
  currentY_ = y;
}

void PlotPainter::pset(double x, double y) {
  painter_.save();
  painter_.setClipRect(area_);
  painter_.setRenderHint(QPainter::Antialiasing);
  painter_.setPen(Qt::NoPen);
  painter_.setBrush(foreColor_);
  const QPointF at = map(x, y);
  if (drawWidth_ <= 1) {
    painter_.drawRect(QRectF(at.x() - 0.5, at.y() - 0.5, 1, 1));
  } else {
    painter_.drawEllipse(at, drawWidth_ / 2.0, drawWidth_ / 2.0);
  }
  painter_.restore();
  setCurrentPoint(x, y);
}

void PlotPainter::line(double x1, double y1, double x2, double y2) {
  line(x1, y1, x2, y2, foreColor_);
}

void PlotPainter::line(double x1, double y1, double x2, double y2, const QColor& color) {
  painter_.save();
  painter_.setClipRect(area_);
  painter_.setRenderHint(QPainter::Antialiasing);
  painter_.setPen(QPen(color, drawWidth_, drawStyle_, Qt::RoundCap, Qt::RoundJoin));
  painter_.drawLine(map(x1, y1), map(x2, y2));
  painter_.restore();
  setCurrentPoint(x2, y2);
}

void PlotPainter::lineTo(double x, double y, const QColor& color) {
  line(currentX_, currentY_, x, y, color);
}
