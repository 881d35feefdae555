#pragma once

#include <QLineEdit>

// An input cell for a millivoltmeter reading. Only digits, points and commas get in (a comma
// becomes a point), whether typed or pasted; other characters are dropped without a word.
// Enter and the Down arrow both confirm the cell.
class ReadingCell : public QLineEdit {
  Q_OBJECT

 public:
  explicit ReadingCell(QWidget* parent = nullptr);

 signals:
  // Enter or Down arrow was pressed in the cell.
  void confirmed();
  // The focus went to another control of the window (not to another window or a menu).
  void left();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void keepOnlyReadingCharacters();
};
