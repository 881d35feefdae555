#pragma once

#include <QAccessible>
#include <QColor>
#include <QLabel>
#include <QString>
#include <functional>

class QKeyEvent;
class QMainWindow;
class QMenu;
class QWidget;

// Keyboard and screen-reader access shared by the screens. Names and descriptions given here
// are read by the screen reader only; the texts the screens show are not touched.

// How the program meets the screen reader (Orca 43 over AT-SPI, Qt 6.4); once, at start-up (the
// first of the functions below that needs it does it too).
void setUpReaderAccess();

// Says news (a box accepted, an instrument placed, a reading after a step) without moving the
// focus: the news is shown to the reader as a notification of the window's status area, which
// Orca speaks as it is, once, after what it is saying, and keeps in its list of notifications.
// News for a window that is not active (a message box is open) waits until it is.
void announce(QWidget* from, const QString& news);
// The last news of the window that holds the widget (empty if none yet).
QString lastNews(const QWidget* from);

// Focus moves from now until the event loop is idle again reach the reader as one move, to
// where the focus ends (a control taken between parents and given the focus back).
void settleFocusMoves();

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

// A box whose value was accepted (it turned green): the reader hears "Принято".
void announceAccepted(QWidget* box);
// A character the box would not take: the reader hears why nothing was typed.
void announceRefused(QWidget* box);

// A panel that groups controls (an instrument's front panel, a child window of the main window):
// read as a grouping with that name, so that moving into it says where the focus went, and not
// as a window of its own.
void markPanel(QWidget* panel, const QString& name = {});

// A popup menu that belongs to the control it is made a child of (a plug's "where to" menu): read
// as a part of that control, not as a window of its own.
void readMenuInControl(QMenu* menu);

// A picture that carries information: its text alternative, kept current by the caller.
void describePicture(QWidget* picture, const QString& name, const QString& text);
// A label read as the text it shows, nothing when it is empty (Qt names an empty label inside a
// group box by the box's title).
void readShownText(QLabel* label);
// A picture that only decorates: read as nothing.
void markDecorative(QWidget* picture);
// The name and description a reader says, each set only when it changed.
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
  // The text as it is read (spokenNumber), then the unit.
  QString spokenValue() const;

 private:
  QString unit_;
};

// A number as the reader says it: the shown text with a zero before a leading separator and
// without a trailing one, or "ноль" when it has no digits (a zero in the formats with digit
// placeholders shows only the separator): ",7 мВ" is "0,7 мВ", "17," is "17".
QString spokenNumber(const QString& shown);

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
