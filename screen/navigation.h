#pragma once

#include "screen/screen_id.h"

class Desktop;
class LabScreen;
struct ModЧМ;

// What a screen may ask of the program: the shared state and the desktop, and the other screens
// by their id. Screens know only this; the order of screens lives in its one implementation, the
// screen hub, so that no screen needs to know another screen's class.
class Navigation {
 public:
  virtual ModЧМ& state() const = 0;
  virtual Desktop& desktop() const = 0;

  // Loads the screen if it is not loaded, then shows it (an open one comes to the front).
  // Returns the screen, or nullptr when its load unloaded it or ended the program.
  virtual LabScreen* show(ScreenId id) = 0;
  // Closes and destroys the screen; nothing happens when it is not loaded.
  virtual void unload(ScreenId id) = 0;
  // The loaded screen, or nullptr.
  virtual LabScreen* find(ScreenId id) const = 0;
  // Ends the program at once: every screen closes, nothing is saved.
  virtual void endProgram() = 0;
  // A screen tells that it is being destroyed (its close box, or its window went).
  virtual void screenDestroyed(LabScreen* screen) = 0;

 protected:
  ~Navigation() = default;
};
