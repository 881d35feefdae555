#pragma once

#include "app/lab_screen.h"

// The modulation characteristic: the table of readings and its plot.
class frmХарЧМ1 : public LabScreen {
 public:
  explicit frmХарЧМ1(ScreenHub& hub);
  void load() override;
};
