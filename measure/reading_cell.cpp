#include "measure/reading_cell.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenuBar>

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
  switch (event->reason()) {
    case Qt::ActiveWindowFocusReason:  // another window
    case Qt::PopupFocusReason:         // a menu open over this one
      return;
    case Qt::MenuBarFocusReason:  // Alt, F10, or a menu closed by Escape
      followFromMenuBar();
      return;
    default:
      emit left();
  }
}

void ReadingCell::followFromMenuBar() {
  disconnect(menuBarWatch_);
  menuBarWatch_ = connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    // Still in the menus, or in a window opened from them.
    if (!now || qobject_cast<QMenuBar*>(now) || now->window() != window()) return;
    disconnect(menuBarWatch_);
    if (now != this) emit left();
  });
}
