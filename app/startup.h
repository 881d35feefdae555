#pragma once

class Desktop;
struct ModЧМ;

// The program's start: the program's folder becomes current and the title screen is shown,
// modeless. Returns at once; from then on the screens' events drive the program.
void Main(ModЧМ& state, Desktop& desktop);
