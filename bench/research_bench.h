#pragma once

#include "app/lab_screen.h"

// The research bench: generator, millivoltmeter, oscilloscopes and spectrum analyzer.
class FrmИсслЧМ1 : public LabScreen {
 public:
  explicit FrmИсслЧМ1(ScreenHub& hub);
  void load() override;
};
