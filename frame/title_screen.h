#pragma once

#include "screen/lab_screen.h"

class PictureBox;
class QPushButton;
class WrappedLabel;

// The title screen: names the course and the lab, insists on the required reading and leads
// to the personal data.
class FrmНачЧМ : public LabScreen {
 public:
  explicit FrmНачЧМ(Navigation& hub);
  void load() override;

 private:
  void CmdИнф_Click();
  // Loads the pictures; the first missing one ends the loading with a message.
  void loadPictures();

  WrappedLabel* label3_;
  PictureBox* picture2_;
  PictureBox* picture3_;
  QPushButton* cmdДальше_;
};
