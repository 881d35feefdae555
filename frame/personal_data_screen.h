#pragma once

#include <array>

#include "screen/lab_screen.h"

class QKeyEvent;
class QLineEdit;
class WrappedLabel;

// The personal data screen: the student types the six personal fields, confirming each with
// Enter; "Дальше..." writes the results file and opens the main window. The menu "Открыть"
// reads an earlier results file back instead.
class FrmФИО : public LabScreen {
 public:
  explicit FrmФИО(Navigation& hub);
  void load() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Boxes 0..2 are TxtФИО(0..2), 3..5 are Txt№(0..2).
  static constexpr int kBoxes = 6;

  // The key press of a box; true when the key is swallowed.
  bool keyPress(int box, const QKeyEvent& key);
  void confirm(int box);
  void filterEditedText(int box);
  void CmdОК_Click();
  void mnuOpen_Click();
  void mnuИнф_Click();
  void beepTwice();

  WrappedLabel* instructions_ = nullptr;  // Label10
  std::array<QLineEdit*, kBoxes> boxes_{};
  // Each box's text as it stood before the edit being handled (textEdited comes before
  // textChanged): an edit is filtered only in what it inserted.
  std::array<QString, kBoxes> previousTexts_{};
};
