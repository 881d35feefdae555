#pragma once

#include "measure/number_box.h"

// An input cell for a millivoltmeter reading: a number box without a sign. Enter and the Down
// arrow both confirm the cell.
class ReadingCell : public NumberBox {
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
  // The menu bar took the focus: the cell is left only if it goes on from there to another
  // control of the window.
  void followFromMenuBar();

  QMetaObject::Connection menuBarWatch_;
};
