#pragma once

#include "app/lab_screen.h"

// The FM band calculation, the last stage of the work.
class РасчЧМ : public LabScreen {
 public:
  explicit РасчЧМ(ScreenHub& hub);
  void load() override;
};
