#pragma once

class QWidget;
class ScreenHub;

// The shared exit question of the work screens: Yes ends the program at once, No changes nothing.
void ПодтверждениеВыхода(ScreenHub& hub, QWidget* parent);
