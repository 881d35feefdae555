#pragma once

#include <QAccessible>
#include <QColor>
#include <QLabel>
#include <QString>
#include <functional>

class QKeyEvent;
class QMainWindow;
class QWidget;

// Keyboard and screen-reader access shared by the screens. Names and descriptions given here
// are read by the screen reader only; the texts the screens show are not touched.

// The colour of every focus mark the lab draws itself (a dark blue, drawn on a white line).
QColor focusColour();

// The name a screen reader says for the control, and what it adds (the keys it takes). Neither
// is shown: the tool tips are the screens' own.
void nameControl(QWidget* control, const QString& name, const QString& description = {});

// A control that Qt does not draw as focusable (a scrollbar, a custom-drawn switch) takes the
// focus from Tab and shows a ring around itself while it has it. A slider then turns up with
// Right, Up and PageUp and down with Left, Down and PageDown.
void takeFocusWithRing(QWidget* control);

// A custom-drawn two-state control: read as a check box whose state follows setSwitchState;
// the reader's "press" sends it a Space key, so it runs the control's own key handling.
void markAsSwitch(QWidget* control, const QString& name, const QString& description);
void setSwitchState(QWidget* control, bool on);

// A box whose value was accepted (it turned green): the reader hears it, before the keys hint.
void announceAccepted(QWidget* box);
// A character the box would not take (it beeped): the reader hears why nothing was typed.
void announceRefused(QWidget* box);

// A picture that carries information: its text alternative, kept current by the caller.
void describePicture(QWidget* picture, const QString& name, const QString& text);
// A picture that only decorates: read as nothing.
void markDecorative(QWidget* picture);
// The name and description a reader says, each set only when it changed: every change is
// announced.
void sayChanges(QWidget* widget, const QString& name, const QString& description);

// The keys that work a focused control as a click does: Space, Enter and Return.
bool activatesControl(const QKeyEvent* key);

// The menu bar opens from the keyboard: Alt alone, as on every desktop, and F10. Once per
// window; it makes the window's menu bar.
void enableMenuKeys(QMainWindow* window);

// A label that shows a changing value (an instrument's readout, a computed cell): the reader
// gets its name and, as its value, the text shown; every change of the text is announced.
class ValueLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ValueLabel(QWidget* parent = nullptr);
  // The shown text; a changed one is announced to the screen reader.
  void setValueText(const QString& text);
  // The unit said after the value ("мВ"), when it stands beside the label.
  void setUnit(const QString& unit) { unit_ = unit; }
  QString spokenValue() const;

 private:
  QString unit_;
};

// Adds the state flags of a widget that only its owner knows (checked, has a menu, movable).
using AccessibleState = std::function<void(QAccessible::State&)>;

// Gives a widget the role a screen reader announces. The name and the description stay the
// widget's own (QWidget::setAccessibleName, setAccessibleDescription).
void setAccessibleRole(QWidget* widget, QAccessible::Role role, AccessibleState state = {});

// Tells a screen reader that a state flag of the widget changed (the chosen palette picture).
void announceState(QWidget* widget, QAccessible::State changed);

// Draws a clear frame over the widget while it has the keyboard focus, for widgets whose own
// painting shows no focus. The widget keeps its own painting and its mouse handling.
void addFocusMark(QWidget* widget);

// The lab's own focus marks (the frames above and the rings of takeFocusWithRing) show from the
// first key that moves the focus on: Tab, Shift+Tab, an arrow in a group. A mouse user never
// sees them. This starts a run over without them (the screen tests' runs).
void hideFocusMarksUntilKeys();
