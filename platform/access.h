#pragma once

#include <QAccessible>
#include <functional>

class QWidget;

// Keyboard and screen-reader access for controls that Qt's own widgets do not cover: pictures
// and labels that act on a click.

// Adds the state flags of a widget that only its owner knows (checked, has a menu, movable).
using AccessibleState = std::function<void(QAccessible::State&)>;

// Gives a widget the role a screen reader announces. The name and the description stay the
// widget's own (QWidget::setAccessibleName, setAccessibleDescription). Call it before anything
// asks for the widget's accessible interface.
void setAccessibleRole(QWidget* widget, QAccessible::Role role, AccessibleState state = {});

// Tells a screen reader that a state flag of the widget changed (the chosen palette picture).
void announceState(QWidget* widget, QAccessible::State changed);

// Draws a clear frame over the widget while it has the keyboard focus, for widgets whose own
// painting shows no focus. The widget keeps its own painting and its mouse handling.
void addFocusMark(QWidget* widget);
