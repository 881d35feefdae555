#pragma once

#include <QLineEdit>

// A text box for a number, as the band calculation's inputs and the characteristic's reading
// cells are: only digits, ".", "," and, where a sign is allowed, "-" can be typed (a "," becomes
// "."); Backspace, Enter and the editing keys work as usual. Text pasted or dropped into the box
// goes through the same filter.
class NumberBox : public QLineEdit {
 public:
  NumberBox(const QString& name, QWidget* parent, bool signAllowed = true);

  // The background of an accepted value.
  void markAccepted();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void filterEditedText(const QString& text);

  bool signAllowed_;
};

// What is left of a typed or pasted text in a number box: digits, points, a comma read as a
// point, and "-" where a sign is allowed; every other character is dropped.
QString numberBoxText(const QString& text, bool signAllowed);
