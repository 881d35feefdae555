#pragma once

#include <gtest/gtest.h>

#include "app/lab_screen.h"
#include "app/screen_hub.h"
#include "app/work_state.h"
#include "support/screen_capture.h"
#include "support/scripted_desktop.h"
#include "support/temp_program_dir.h"

// For the screens test: a program folder, a work state with a fixed variant, a scripted
// desktop and a hub; capture() shows a screen and writes it to build/screens/<name>.png.
class ScreenShots : public ::testing::Test {
 protected:
  ScreenShots() {
    state.rnd = [] { return 0.5; };
  }
  ~ScreenShots() override { settleEvents(); }

  LabScreen* capture(ScreenId id, const char* name) {
    LabScreen* screen = hub.show(id);
    EXPECT_NE(screen, nullptr) << name;
    if (screen) {
      EXPECT_FALSE(saveScreenPng(screen, QString::fromUtf8(name)).isEmpty());
    }
    return screen;
  }

  TempProgramDir programDir;
  ModЧМ state;
  ScriptedDesktop desktop;
  ScreenHub hub{state, desktop};
};
