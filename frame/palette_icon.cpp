#include "frame/palette_icon.h"

#include <QMouseEvent>
#include <QPainter>

PaletteIcon::PaletteIcon(QWidget* parent) : QFrame(parent) { setFramed(false); }

void PaletteIcon::setIcon(const QIcon& icon) {
  icon_ = icon;
  update();
}

void PaletteIcon::setFramed(bool framed) {
  setFrameStyle(framed ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
  setLineWidth(1);
}

void PaletteIcon::paintEvent(QPaintEvent* event) {
  if (!icon_.isNull()) {
    // The picture at its own size (32 px, drawn on that grid so it stays crisp), centred; a
    // control lower than the picture cuts its empty margin.
    QPainter painter(this);
    QRect target(0, 0, kIconSide, kIconSide);
    target.moveCenter(rect().center());
    icon_.paint(&painter, target);
  }
  QFrame::paintEvent(event);  // the frame line over the picture's empty margin
}

void PaletteIcon::mouseReleaseEvent(QMouseEvent* event) {
  QFrame::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
      onClick_) {
    onClick_();
  }
}
