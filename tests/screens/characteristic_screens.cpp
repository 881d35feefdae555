#include "support/screen_fixture.h"

TEST_F(ScreenShots, Characteristic) { capture(ScreenId::Characteristic, "frmХарЧМ1"); }
