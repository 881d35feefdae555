#pragma once

#include "app/lab_screen.h"

class QMdiArea;
class QMdiSubWindow;

// The main window: a multiple-document frame that holds the assembly or the report.
class MDIFrmАнМод : public LabScreen {
 public:
  explicit MDIFrmАнМод(ScreenHub& hub);
  void load() override;

  // Puts a screen inside this window; the hub does it for the screens that live here.
  QMdiSubWindow* embed(LabScreen* screen);

 private:
  QMdiArea* area_;
};
