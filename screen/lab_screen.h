#pragma once

#include <QMainWindow>

class QAction;
class QMenu;

#include "screen/screen_id.h"

class Desktop;
class Navigation;
struct ModЧМ;

// Base of every screen: a window with an optional menu bar over a client area whose controls
// are placed in twips. The hub constructs a screen, runs its load() once and then shows it.
// (Screen classes carry the system's Cyrillic names, which moc cannot read: they declare no
// Q_OBJECT and connect signals to member functions or lambdas.)
class LabScreen : public QMainWindow {
 public:
  LabScreen(Navigation& hub, ScreenId id, const QString& objectName, const QString& caption);
  ~LabScreen() override;

  ScreenId screenId() const { return id_; }
  // The screen's load: what happens before it is first shown.
  virtual void load() {}

 protected:
  ModЧМ& state() const;
  Desktop& desktop() const;
  Navigation& hub() const { return hub_; }

  // The client area under the menu bar; controls are its children.
  QWidget* client() const { return client_; }
  // Client area size in twips; a fixed-size screen cannot be resized by the student.
  void setClientSizeTwips(int width, int height, bool fixed = true);
  // Centres the window with its frame on the desktop (ЦентрироватьФорму). Before the window is
  // first shown its frame is not known: it is centred again once the window system shows it.
  void centreOnDesktop();
  bool eventFilter(QObject* watched, QEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void showEvent(QShowEvent* event) override;

  // Menu bar entries, named like the system's menus: a top-level item that acts by itself,
  // a menu, and an item of a menu.
  QAction* addMenuBarItem(const QString& name, const QString& caption);
  QMenu* addMenuBarMenu(const QString& name, const QString& caption);
  QAction* addMenuItem(QMenu* menu, const QString& name, const QString& caption);

 private:
  Navigation& hub_;
  ScreenId id_;
  QWidget* client_;
  void centreOnceFramed();
  bool centreWhenShown_ = false;
};
