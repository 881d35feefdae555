#include "platform/picture_box.h"

#include <QPaintEvent>
#include <QPainter>
#include <QSvgRenderer>

#include "platform/twips.h"

namespace {
// The pixel a coordinate falls in; a coordinate a rounding error short of a pixel edge
// (9.999999999999998 for 0.8 on a 1..-1 scale) belongs to the pixel after the edge.
double pixelFloor(double v) { return std::floor(v + 1e-9); }
}  // namespace

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  backColor_ = palette().color(QPalette::Base);
  foreColor_ = palette().color(QPalette::Text);
  persistent_ = blankImage();
}

PictureBox::~PictureBox() { endPainting(); }

void PictureBox::setScale(double left, double top, double right, double bottom) {
  left_ = left;
  top_ = top;
  right_ = right;
  bottom_ = bottom;
  customScale_ = true;
}

void PictureBox::setBackColor(const QColor& color) {
  endPainting();
  backColor_ = color;
  persistent_ = blankImage();
  showTransient_ = false;
  update();
}

void PictureBox::setPicture(std::shared_ptr<QSvgRenderer> picture) {
  endPainting();
  picture_ = std::move(picture);
  persistent_ = blankImage();
  showTransient_ = false;
  update();
}

QImage PictureBox::blankImage() const {
  const qreal ratio = devicePixelRatioF();
  const QSize size = this->size().expandedTo(QSize(1, 1)) * ratio;
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(ratio);
  image.fill(backColor_);
  if (picture_) {
    QPainter painter(&image);
    picture_->render(&painter, QRectF(QPointF(0, 0), QSizeF(this->size())));
  }
  return image;
}

void PictureBox::endPainting() const {
  painter_.reset();
  painterTarget_ = nullptr;
}

QPainter& PictureBox::painterForDrawing() {
  QImage* target = &persistent_;
  if (!autoRedraw_) {
    if (!showTransient_) {
      endPainting();
      transient_ = persistent_.copy();
      showTransient_ = true;
    }
    target = &transient_;
  } else {
    // Drawing on the background shows the background: what was drawn on top is dropped.
    showTransient_ = false;
  }
  if (painterTarget_ != target) {
    endPainting();
    painter_ = std::make_unique<QPainter>(target);
    painterTarget_ = target;
  }
  update();
  return *painter_;
}

void PictureBox::cls() {
  endPainting();
  if (autoRedraw_) persistent_ = blankImage();
  showTransient_ = false;
  currentX_ = 0;
  currentY_ = 0;
  update();
}

QPointF PictureBox::toPixels(double x, double y) const {
  const double w = width(), h = height();
  if (!customScale_) return {x / kTwipsPerPixel, y / kTwipsPerPixel};
  return {(x - left_) * w / (right_ - left_), (y - top_) * h / (bottom_ - top_)};
}

void PictureBox::setCurrentPoint(double x, double y) {
  currentX_ = x;
  currentY_ = y;
}

void PictureBox::pset(double x, double y) { pset(x, y, foreColor_); }

void PictureBox::pset(double x, double y, const QColor& color) {
  QPainter& painter = painterForDrawing();
  const QPointF at = toPixels(x, y);
  painter.setRenderHint(QPainter::Antialiasing, drawWidth_ > 1);
  if (drawWidth_ <= 1) {
    painter.fillRect(QRectF(pixelFloor(at.x()), pixelFloor(at.y()), 1, 1), color);
  } else {
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawEllipse(at, drawWidth_ / 2.0, drawWidth_ / 2.0);
  }
  setCurrentPoint(x, y);
}

void PictureBox::drawLine(double x1, double y1, double x2, double y2, const QColor& color) {
  QPainter& painter = painterForDrawing();
  QPointF from = toPixels(x1, y1), to = toPixels(x2, y2);
  QPen pen(color, drawWidth_, drawStyle_, Qt::RoundCap, Qt::RoundJoin);
  if (drawWidth_ <= 1) {
    // Thin lines are drawn on pixel centres, without smoothing, so that they stay crisp.
    pen.setCapStyle(Qt::SquareCap);
    painter.setRenderHint(QPainter::Antialiasing, false);
    auto snap = [](QPointF p) { return QPointF(pixelFloor(p.x()) + 0.5, pixelFloor(p.y()) + 0.5); };
    from = snap(from);
    to = snap(to);
  } else {
    painter.setRenderHint(QPainter::Antialiasing, true);
  }
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  painter.drawLine(from, to);
  setCurrentPoint(x2, y2);
}

void PictureBox::lineTo(double x, double y) { lineTo(x, y, foreColor_); }
void PictureBox::lineTo(double x, double y, const QColor& color) {
  drawLine(currentX_, currentY_, x, y, color);
}
void PictureBox::line(double x1, double y1, double x2, double y2) {
  line(x1, y1, x2, y2, foreColor_);
}
void PictureBox::line(double x1, double y1, double x2, double y2, const QColor& color) {
  drawLine(x1, y1, x2, y2, color);
}

void PictureBox::print(const QString& text) {
  QPainter& painter = painterForDrawing();
  painter.setFont(font());
  painter.setPen(foreColor_);
  const QFontMetricsF metrics(font());
  const QPointF at = toPixels(currentX_, currentY_);
  painter.drawText(QPointF(at.x(), at.y() + metrics.ascent()), text);
  // The next line starts at the left edge, one text height further down.
  const double unitsPerPixelY =
      customScale_ ? (bottom_ - top_) / std::max(1, height()) : double(kTwipsPerPixel);
  currentX_ = customScale_ ? left_ : 0;
  currentY_ += metrics.height() * unitsPerPixelY;
}

QImage PictureBox::image() const {
  endPainting();
  return showTransient_ ? transient_ : persistent_;
}

void PictureBox::paintEvent(QPaintEvent* event) {
  endPainting();
  QPainter painter(this);
  painter.drawImage(event->rect(), showTransient_ ? transient_ : persistent_,
                    QRectF(QPointF(event->rect().topLeft()) * devicePixelRatioF(),
                           QSizeF(event->rect().size()) * devicePixelRatioF()));
}

void PictureBox::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  endPainting();
  // The drawing so far stays where it was (the new area gets the background).
  QImage grown = blankImage();
  {
    QPainter painter(&grown);
    painter.drawImage(QPointF(0, 0), persistent_);
  }
  persistent_ = grown;
  showTransient_ = false;
  if (shownOnce_) emit paintRequested();
}

void PictureBox::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!shownOnce_) {
    shownOnce_ = true;
    emit paintRequested();
  }
}
