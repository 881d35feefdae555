#pragma once

#include "app/lab_screen.h"

// The report of the characteristic, inside the main window.
class FrmОтчет : public LabScreen {
 public:
  explicit FrmОтчет(ScreenHub& hub);
  void load() override;
};
