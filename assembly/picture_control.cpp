#include "assembly/picture_control.h"

#include <QPainter>
#include <QSvgRenderer>

PictureControl::PictureControl(QWidget* parent, const QString& name, const QColor& background)
    : QWidget(parent), background_(background) {
  setObjectName(name);
}

void PictureControl::setPicture(const QString& name, std::shared_ptr<QSvgRenderer> picture) {
  if (name == pictureName_ && picture == picture_) return;
  pictureName_ = name;
  picture_ = std::move(picture);
  update();
}

void PictureControl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), background_);
  if (picture_) picture_->render(&painter, QRectF(rect()));
}
