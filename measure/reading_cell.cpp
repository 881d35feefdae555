#include "measure/reading_cell.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QKeyEvent>

#include "measure/characteristic_table.h"

ReadingCell::ReadingCell(QWidget* parent) : QLineEdit(parent) {
  // Pasting through the context menu or dropping text goes round the key filter.
  connect(this, &QLineEdit::textEdited, this, &ReadingCell::keepOnlyReadingCharacters);
}

void ReadingCell::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Down:
      event->accept();
      emit confirmed();
      return;
    default:
      break;
  }
  if (event->matches(QKeySequence::Paste)) {
    event->accept();
    if (const QClipboard* clipboard = QApplication::clipboard()) {
      insert(filterReadingText(clipboard->text()));
    }
    return;
  }
  const QString text = event->text();
  const bool printable = !text.isEmpty() && text.front().isPrint();
  if (printable && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
    // A character key: the allowed ones go in (a comma as a point), the rest are swallowed.
    event->accept();
    const QString kept = filterReadingText(text);
    if (!kept.isEmpty()) insert(kept);
    return;
  }
  // Backspace, editing and moving keys, shortcuts.
  QLineEdit::keyPressEvent(event);
}

void ReadingCell::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason) {
    emit left();
  }
}

void ReadingCell::keepOnlyReadingCharacters() {
  const QString current = text();
  const QString kept = filterReadingText(current);
  if (kept == current) return;
  const int cursor = static_cast<int>(filterReadingText(current.left(cursorPosition())).size());
  setText(kept);
  setCursorPosition(cursor);
}
