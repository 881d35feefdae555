#include "support/screen_fixture.h"

TEST_F(ScreenShots, Report) {
  state.Предв = 1;
  capture(ScreenId::Report, "FrmОтчет");
}
