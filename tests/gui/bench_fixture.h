#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QScrollBar>
#include <QTest>

#include "app/lab_screen.h"
#include "app/screen_hub.h"
#include "app/work_state.h"
#include "platform/picture_box.h"
#include "support/screen_capture.h"
#include "support/scripted_desktop.h"
#include "support/temp_program_dir.h"

// The bench and the viewer on a hub of their own. Every draw of the variant gives 0, so the
// modulator is row 0 (ГраницаЛин 2.7, КоэфНелин 13, КоэфUвх 14) and the code "00".
class BenchTest : public ::testing::Test {
 protected:
  BenchTest() {
    state.rnd = [] { return 0.0; };
  }
  ~BenchTest() override {
    hub.reset();
    settleEvents();
  }

  LabScreen* openBench() {
    bench = hub->show(ScreenId::Bench);
    settleEvents();
    return bench;
  }
  LabScreen* openViewer() {
    viewer = hub->show(ScreenId::Bessel);
    settleEvents();
    return viewer;
  }

  template <class T>
  static T* child(QWidget* screen, const char* name) {
    T* found = screen ? screen->findChild<T*>(QString::fromUtf8(name)) : nullptr;
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  QScrollBar* amplitude() const { return child<QScrollBar>(bench, "HScrUвх"); }
  QScrollBar* frequency() const { return child<QScrollBar>(bench, "HScrFmod"); }
  QString caption(const char* label) const { return child<QLabel>(bench, label)->text(); }
  void clickPower(const char* label) {
    QTest::mouseClick(child<QLabel>(bench, label), Qt::LeftButton);
  }
  PictureBox* screen(QWidget* owner, const char* name) const {
    return child<PictureBox>(owner, name);
  }
  static void activate(QWidget* window) {
    window->activateWindow();
    settleEvents();
    ASSERT_TRUE(window->isActiveWindow());
  }

  // How many pixels of the image are (nearly) this colour.
  static int count(const QImage& image, const QColor& colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        const QColor c = image.pixelColor(x, y);
        n += std::abs(c.red() - colour.red()) < 24 && std::abs(c.green() - colour.green()) < 24 &&
             std::abs(c.blue() - colour.blue()) < 24;
      }
    }
    return n;
  }

  TempProgramDir programDir;
  ModЧМ state;
  ScriptedDesktop desktop;
  std::unique_ptr<ScreenHub> hub = std::make_unique<ScreenHub>(state, desktop);
  LabScreen* bench = nullptr;
  LabScreen* viewer = nullptr;
};

inline const QColor kBlack(0, 0, 0), kGreen(0, 255, 0), kYellow(255, 255, 0), kRed(255, 0, 0),
    kBlue(0, 0, 255);
