#pragma once

#include "app/lab_screen.h"

// The title screen: names the course and the lab and leads to the personal data.
class FrmНачЧМ : public LabScreen {
 public:
  explicit FrmНачЧМ(ScreenHub& hub);
  void load() override;
};
