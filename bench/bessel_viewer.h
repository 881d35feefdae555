#pragma once

#include "app/lab_screen.h"

// The Bessel function viewer, opened from the bench's menu.
class FrmБессель : public LabScreen {
 public:
  explicit FrmБессель(ScreenHub& hub);
  void load() override;
};
