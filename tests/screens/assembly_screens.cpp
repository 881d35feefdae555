#include "support/screen_fixture.h"

TEST_F(ScreenShots, Assembly) {
  hub.show(ScreenId::MainWindow);
  capture(ScreenId::Assembly, "FrmМонтаж");
}
