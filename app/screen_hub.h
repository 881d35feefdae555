#pragma once

#include <QObject>
#include <map>

#include "app/screen_id.h"

class Desktop;
class LabScreen;
class QWidget;
struct ModЧМ;

// Creates, shows and unloads the screens, so that the order of screens lives in one place.
// Screens are shown modeless; a screen is created (and loaded) the first time it is shown.
class ScreenHub : public QObject {
  Q_OBJECT

 public:
  ScreenHub(ModЧМ& state, Desktop& desktop, QObject* parent = nullptr);
  ~ScreenHub() override;

  ModЧМ& state() const { return state_; }
  Desktop& desktop() const { return desktop_; }

  // Loads the screen if it is not loaded, then shows it (an open one comes to the front).
  // Returns the screen, or nullptr when its load unloaded it or ended the program.
  LabScreen* show(ScreenId id);
  // Closes and destroys the screen; nothing happens when it is not loaded.
  void unload(ScreenId id);
  // The loaded screen, or nullptr.
  LabScreen* find(ScreenId id) const;
  template <class Screen>
  Screen* find(ScreenId id) const {
    return dynamic_cast<Screen*>(find(id));
  }

  // Ends the program at once: every screen closes, nothing is saved.
  void endProgram();
  bool programEnded() const { return ended_; }

 private:
  LabScreen* create(ScreenId id);

  ModЧМ& state_;
  Desktop& desktop_;
  // The loaded screens. Each entry also keeps the screen's QObject identity, taken while the
  // screen was alive, so that its destruction can be matched without touching the dying object.
  struct Entry {
    LabScreen* screen;
    QObject* object;
  };
  std::map<ScreenId, Entry> screens_;
  bool ended_ = false;
};
