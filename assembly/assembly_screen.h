#pragma once

#include "app/lab_screen.h"

// The mounting table, inside the main window.
class FrmМонтаж : public LabScreen {
 public:
  explicit FrmМонтаж(ScreenHub& hub);
  void load() override;
};
