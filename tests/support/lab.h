#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>
#include <functional>
#include <memory>

#include "app/lab_screen.h"
#include "app/screen_hub.h"
#include "app/work_state.h"
#include "support/scripted_desktop.h"

class PictureBox;

// Lets pending events (paints, deferred deletions) run.
void settleEvents();
// Writes what the widget's window shows to build/screens/<name>.png.
bool saveScreenPng(QWidget* widget, const QString& name);
// A number written with a point, as the system locale shows it.
QString localeNumber(const char* text);
// Types the text key by key (QTest::keyClicks takes Latin-1 only), then Enter unless told not to.
void typeInto(QWidget* box, const QString& text, bool enter = true);
// Whether a pixel of the colour lies within `radius` pixels of `at` (pixels of the image).
bool inkNear(const QImage& image, QPointF at, const QColor& colour, int radius = 1);

// A program folder of the test's own (a temporary folder with a copy of the pictures), made the
// program's directory and the current directory for as long as the object lives.
class TempProgramDir {
 public:
  TempProgramDir();
  ~TempProgramDir();
  QString path() const { return dir_.path(); }
  QString filePath(const QString& name) const { return dir_.filePath(name); }
  void removePicture(const QString& fileName);  // named as the screens name it

 private:
  QTemporaryDir dir_;
  QString previousCurrent_;
};

// A program folder, a work state (every draw 0.5), a scripted desktop and a hub.
class ScreenTest : public ::testing::Test {
 public:
  ScreenTest();
  ~ScreenTest() override;

  // Loads what lies before the screen on the student's road, as the screens' buttons do, then
  // the screen itself (the report through the characteristic's preview).
  LabScreen* reach(ScreenId id);
  // A fresh run: the screens closed, a new work state (every draw `draw`) and desktop.
  void restart(double draw = 0.5);
  std::vector<ScreenId> loaded() const;
  template <class T = QWidget>
  T* child(ScreenId id, const QString& name) const {
    LabScreen* screen = hub ? hub->find(id) : nullptr;
    T* found = screen ? screen->findChild<T*>(name) : nullptr;
    if (!found) ADD_FAILURE() << "no " << name.toStdString();
    return found;
  }
  void click(ScreenId id, const QString& name);  // a button, a clickable label or a menu item
  void enter(ScreenId id, const QString& name, const QString& text);  // into an emptied box
  // The whole road from Main to the end of the work through the real controls, the boxes
  // answered by their texts; `step` runs at the start and after each screen's part, given the
  // screen left (at the start: ScreenId(-1)). After the channel count Δfk is typed again: 150.
  void walkRoad(const std::function<void(ScreenId left)>& step = nullptr);

  TempProgramDir programDir;
  ModЧМ state;
  ScriptedDesktop desktop;
  std::unique_ptr<ScreenHub> hub;
};
