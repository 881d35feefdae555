#pragma once

#include <QLineEdit>
#include <optional>

// A text box for a number, as the band calculation's inputs are: only digits, ".", "," and "-"
// can be typed (a "," becomes "."); Backspace, Enter and the editing keys work as usual. Text
// pasted or dropped into the box goes through the same filter.
class NumberBox : public QLineEdit {
 public:
  NumberBox(const QString& name, QWidget* parent);

  // The background of an accepted value.
  void markAccepted();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void filterEditedText(const QString& text);
};

// What a typed character becomes in a number box: itself, "." for ",", or nothing (dropped).
std::optional<QChar> numberBoxCharacter(QChar typed);
// A text with every character filtered as if typed.
QString numberBoxText(const QString& text);
