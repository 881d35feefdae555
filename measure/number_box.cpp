#include "measure/number_box.h"

#include <QKeyEvent>

#include "platform/access.h"
#include "platform/vb_color.h"

QString numberBoxText(const QString& text, bool signAllowed) {
  QString kept;
  kept.reserve(text.size());
  for (const QChar c : text) {
    if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.') ||
        (signAllowed && c == QLatin1Char('-'))) {
      kept += c;
    } else if (c == QLatin1Char(',')) {
      kept += QLatin1Char('.');
    }
  }
  return kept;
}

NumberBox::NumberBox(const QString& name, QWidget* parent, bool signAllowed)
    : QLineEdit(parent), signAllowed_(signAllowed) {
  setObjectName(name);
  connect(this, &QLineEdit::textEdited, this, &NumberBox::filterEditedText);
}

void NumberBox::markAccepted() {
  QPalette green = palette();
  green.setColor(QPalette::Base, vbColor(vbRgb(0, 255, 0)));
  setPalette(green);
  announceAccepted(this);
}

void NumberBox::keyPressEvent(QKeyEvent* event) {
  const QString typed = event->text();
  const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
  // Editing keys, Backspace and Enter (control characters or no text at all) act as usual.
  if (shortcut || typed.isEmpty() || typed.front().category() == QChar::Other_Control) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  const QString kept = numberBoxText(typed, signAllowed_);
  if (kept == typed) {
    QLineEdit::keyPressEvent(event);
  } else {
    if (!kept.isEmpty()) insert(kept);
    if (kept.isEmpty()) announceRefused(this);
    event->accept();
  }
}

// Pasted or dropped text: the characters that could not have been typed go, "," becomes ".".
void NumberBox::filterEditedText(const QString& text) {
  const QString kept = numberBoxText(text, signAllowed_);
  if (kept == text) return;
  const int cursor =
      static_cast<int>(numberBoxText(text.left(cursorPosition()), signAllowed_).size());
  setText(kept);
  setCursorPosition(cursor);
}
