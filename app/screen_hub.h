#pragma once

#include <map>

#include "screen/navigation.h"

class MDIFrmАнМод;

// Creates, shows and unloads the screens, so that the order of screens lives in one place: the
// only unit that knows every screen's class. Screens are shown modeless; a screen is created
// (and loaded) the first time it is shown. The program ends when its last screen is gone.
class ScreenHub : public Navigation {
 public:
  ScreenHub(ModЧМ& state, Desktop& desktop);
  ~ScreenHub();
  ScreenHub(const ScreenHub&) = delete;
  ScreenHub& operator=(const ScreenHub&) = delete;

  ModЧМ& state() const override { return state_; }
  Desktop& desktop() const override { return desktop_; }

  LabScreen* show(ScreenId id) override;
  void unload(ScreenId id) override;
  LabScreen* find(ScreenId id) const override;
  template <class Screen>
  Screen* find(ScreenId id) const {
    return dynamic_cast<Screen*>(find(id));
  }
  void endProgram() override;
  bool programEnded() const { return ended_; }

 private:
  void screenDestroyed(LabScreen* screen) override;
  // Creates the screen, puts it into the main window when it lives there, runs its load and
  // shows it; nullptr when the load unloaded it or ended the program.
  LabScreen* load(ScreenId id, MDIFrmАнМод* mainWindow);
  LabScreen* create(ScreenId id);

  ModЧМ& state_;
  Desktop& desktop_;
  std::map<ScreenId, LabScreen*> screens_;  // the loaded screens
  bool ended_ = false;
};
