#include "support/screen_fixture.h"

TEST_F(ScreenShots, Frame) {
  capture(ScreenId::Title, "FrmНачЧМ");
  capture(ScreenId::Literature, "FrmЛитература");
  hub.show(ScreenId::PersonalData);
  capture(ScreenId::MainWindow, "MDIFrmАнМод");
}
