#include "support/screen_fixture.h"

TEST_F(ScreenShots, Band) { capture(ScreenId::Band, "РасчЧМ"); }
