#pragma once

#include "screen/lab_screen.h"

class WrappedLabel;

// The literature list, opened from the menus of several screens.
class FrmЛитература : public LabScreen {
 public:
  explicit FrmЛитература(Navigation& hub);
  void load() override;

 private:
  WrappedLabel* label7_;
};
