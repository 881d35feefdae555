#pragma once

#include "app/lab_screen.h"

// The personal data screen: six personal fields, then the results file is written.
class FrmФИО : public LabScreen {
 public:
  explicit FrmФИО(ScreenHub& hub);
  void load() override;
};
