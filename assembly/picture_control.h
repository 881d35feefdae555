#pragma once

#include <QColor>
#include <QString>
#include <QWidget>
#include <memory>

class QSvgRenderer;

// A picture box that shows one drawing stretched over itself on its background colour: the
// scheme, the instruments, the plugs and the modulator of the mounting table.
class PictureControl : public QWidget {
 public:
  PictureControl(QWidget* parent, const QString& name, const QColor& background);

  // The drawing and the file name it was loaded from ("РазъемЛев.wmf").
  void setPicture(const QString& name, std::shared_ptr<QSvgRenderer> picture);
  QString pictureName() const { return pictureName_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor background_;
  QString pictureName_;
  std::shared_ptr<QSvgRenderer> picture_;
};
