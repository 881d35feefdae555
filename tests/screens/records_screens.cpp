#include "support/screen_fixture.h"

TEST_F(ScreenShots, PersonalData) { capture(ScreenId::PersonalData, "FrmФИО"); }
