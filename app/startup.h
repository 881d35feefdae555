#pragma once

class Desktop;
class ScreenHub;
struct ModЧМ;

// The program's start: the program's folder becomes current and the title screen is shown,
// modeless. Returns at once; from then on the screens' events drive the program. A second start
// closes the screens of the first.
void Main(ModЧМ& state, Desktop& desktop);

// The screens of the program that Main started, until closeProgram; nullptr before.
ScreenHub* startedProgram();
// Destroys every screen of the program that Main started; main() calls it before the
// application object goes. Nothing happens when none was started.
void closeProgram();
