#include <gtest/gtest.h>

#include "app/lab_screen.h"
#include "app/screen_hub.h"
#include "app/work_state.h"
#include "support/screen_capture.h"
#include "support/scripted_desktop.h"
#include "support/temp_program_dir.h"

namespace {

// Every screen in a typical state, written to build/screens/<objectName>.png.
class Screens : public ::testing::Test {
 protected:
  void capture(ScreenId id, const char* name) {
    LabScreen* screen = hub.show(id);
    ASSERT_NE(screen, nullptr) << name;
    EXPECT_FALSE(saveScreenPng(screen, QString::fromUtf8(name)).isEmpty());
  }
  TempProgramDir programDir;
  ModЧМ state;
  ScriptedDesktop desktop;
  ScreenHub hub{state, desktop};
};

TEST_F(Screens, Frame) {
  capture(ScreenId::Title, "FrmНачЧМ");
  capture(ScreenId::Literature, "FrmЛитература");
  hub.show(ScreenId::PersonalData);
  capture(ScreenId::MainWindow, "MDIFrmАнМод");
}

TEST_F(Screens, Records) { capture(ScreenId::PersonalData, "FrmФИО"); }

TEST_F(Screens, Bench) {
  capture(ScreenId::Bench, "FrmИсслЧМ1");
  capture(ScreenId::Bessel, "FrmБессель");
}

TEST_F(Screens, Measure) {
  capture(ScreenId::Characteristic, "frmХарЧМ1");
  capture(ScreenId::Band, "РасчЧМ");
  state.Предв = 1;
  capture(ScreenId::Report, "FrmОтчет");
}

}  // namespace
