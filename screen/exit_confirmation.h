#pragma once

class QWidget;
class Navigation;

// The shared exit question of the work screens: Yes ends the program at once, No changes nothing.
void ПодтверждениеВыхода(Navigation& hub, QWidget* parent);
