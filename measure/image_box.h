#pragma once

#include <QWidget>
#include <memory>

class QSvgRenderer;

// An image control: a picture shown whole at the largest size that fits the control, its
// proportions kept, at the left edge and centred in height. Without a picture it is empty.
class ImageBox : public QWidget {
 public:
  ImageBox(const QString& name, QWidget* parent);
  ~ImageBox() override;

  void setPicture(std::shared_ptr<QSvgRenderer> picture);
  bool hasPicture() const { return picture_ != nullptr; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void placePicture();

  std::shared_ptr<QSvgRenderer> picture_;
  QRectF target_;  // where the picture is drawn, in the control's pixels
};
