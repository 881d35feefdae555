#include "measure/number_box.h"

#include <QKeyEvent>

#include "platform/vb_color.h"

std::optional<QChar> numberBoxCharacter(QChar typed) {
  if (typed == QLatin1Char(',')) return QLatin1Char('.');
  if ((typed >= QLatin1Char('0') && typed <= QLatin1Char('9')) || typed == QLatin1Char('.') ||
      typed == QLatin1Char('-')) {
    return typed;
  }
  return std::nullopt;
}

QString numberBoxText(const QString& text) {
  QString kept;
  for (QChar c : text) {
    if (const auto passed = numberBoxCharacter(c)) kept += *passed;
  }
  return kept;
}

NumberBox::NumberBox(const QString& name, QWidget* parent) : QLineEdit(parent) {
  setObjectName(name);
  connect(this, &QLineEdit::textEdited, this, &NumberBox::filterEditedText);
}

void NumberBox::markAccepted() {
  QPalette green = palette();
  green.setColor(QPalette::Base, vbColor(vbRgb(0, 255, 0)));
  setPalette(green);
}

void NumberBox::keyPressEvent(QKeyEvent* event) {
  const QString typed = event->text();
  const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
  // Editing keys, Backspace and Enter (control characters or no text at all) act as usual.
  if (shortcut || typed.isEmpty() || typed.front().category() == QChar::Other_Control) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  const QString kept = numberBoxText(typed);
  if (kept == typed) {
    QLineEdit::keyPressEvent(event);
  } else {
    if (!kept.isEmpty()) insert(kept);
    event->accept();
  }
}

// Pasted or dropped text: the characters that could not have been typed go, "," becomes ".".
void NumberBox::filterEditedText(const QString& text) {
  const QString kept = numberBoxText(text);
  if (kept == text) return;
  const int cursor = static_cast<int>(numberBoxText(text.left(cursorPosition())).size());
  setText(kept);
  setCursorPosition(cursor);
}
