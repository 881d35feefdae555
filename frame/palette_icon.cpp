#include "frame/palette_icon.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/access.h"

PaletteIcon::PaletteIcon(QWidget* parent) : QFrame(parent) {
  setFramed(false);
  setAccessibleRole(this, QAccessible::RadioButton, [this](QAccessible::State& state) {
    state.checkable = true;
    state.checked = framed();
  });
  addFocusMark(this);
}

void PaletteIcon::setIcon(const QIcon& icon) {
  icon_ = icon;
  // Tab reaches a picture that shows something (the report leaves the palette empty); a mouse
  // click leaves the focus where it was, as it always has.
  setFocusPolicy(icon.isNull() ? Qt::NoFocus : Qt::TabFocus);
  update();
}

void PaletteIcon::setFramed(bool framed) {
  const bool changed = framed != this->framed();
  setFrameStyle(framed ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
  setLineWidth(1);
  if (changed) {
    QAccessible::State checked;
    checked.checked = true;
    announceState(this, checked);
  }
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

void PaletteIcon::keyPressEvent(QKeyEvent* event) {
  if (activatesControl(event) && onClick_) {
    onClick_();
  } else {
    QFrame::keyPressEvent(event);
  }
}
