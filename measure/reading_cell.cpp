#include "measure/reading_cell.h"

#include <QFocusEvent>
#include <QKeyEvent>

ReadingCell::ReadingCell(QWidget* parent) : NumberBox(QString(), parent, false) {}

void ReadingCell::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Down:
      event->accept();
      emit confirmed();
      return;
    default:
      NumberBox::keyPressEvent(event);
  }
}

void ReadingCell::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason) {
    emit left();
  }
}
