#include "support/screen_fixture.h"

TEST_F(ScreenShots, Bench) {
  capture(ScreenId::Bench, "FrmИсслЧМ1");
  capture(ScreenId::Bessel, "FrmБессель");
}
