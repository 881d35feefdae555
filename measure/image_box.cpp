#include "measure/image_box.h"

#include <QPainter>
#include <QSvgRenderer>

ImageBox::ImageBox(const QString& name, QWidget* parent) : QWidget(parent) { setObjectName(name); }

ImageBox::~ImageBox() = default;

void ImageBox::setPicture(std::shared_ptr<QSvgRenderer> picture) {
  picture_ = std::move(picture);
  placePicture();
  update();
}

void ImageBox::resizeEvent(QResizeEvent*) { placePicture(); }

void ImageBox::placePicture() {
  target_ = QRectF();
  if (!picture_) return;
  const QSizeF natural = picture_->viewBoxF().size();
  if (natural.isEmpty()) return;
  const QSizeF fitted = natural.scaled(QSizeF(size()), Qt::KeepAspectRatio);
  target_ = QRectF(QPointF(0, (height() - fitted.height()) / 2), fitted);
}

void ImageBox::paintEvent(QPaintEvent*) {
  if (!picture_ || target_.isEmpty()) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  picture_->render(&painter, target_);
}
