#include "platform/access.h"

#include <QAbstractSlider>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QHash>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QShortcut>
#include <QWidget>
#include <memory>

namespace {

constexpr char kOn[] = "fmlabSwitchedOn";  // a switch's state, as its owner last set it
constexpr char kRing[] = "fmlabFocusRing";
constexpr char kRingName[] = "fmlabFocusRingMark";

// How a screen reader reads one of the lab's own widgets, where Qt's description by class does
// not fit: its role, the state flags only its owner knows, its value, whether it only decorates
// (then it says nothing), and whether the reader's "press" works it (as Space does).
struct Reading {
  QAccessible::Role role;
  AccessibleState state;
  std::function<QString()> value;
  bool decorative = false;
  bool pressable = false;
};

QHash<const QObject*, Reading>& readings() {
  static QHash<const QObject*, Reading> all;
  return all;
}

class ReadWidget : public QAccessibleWidget {
 public:
  using QAccessibleWidget::QAccessibleWidget;
  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    const Reading reading = readings().value(object(), {role(), {}, {}});
    if (reading.state) reading.state(state);
    if (reading.decorative) state.invisible = true;
    return state;
  }
  QString text(QAccessible::Text t) const override {
    const Reading reading = readings().value(object(), {role(), {}, {}});
    if (reading.decorative) return {};
    if (t == QAccessible::Value && reading.value) return reading.value();
    return QAccessibleWidget::text(t);
  }
  QStringList actionNames() const override {
    if (!readings().value(object(), {role(), {}, {}}).pressable)
      return QAccessibleWidget::actionNames();
    return {pressAction(), toggleAction()};
  }
  void doAction(const QString& name) override {
    if (!readings().value(object(), {role(), {}, {}}).pressable)
      return QAccessibleWidget::doAction(name);
    if (name != pressAction() && name != toggleAction()) return;
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
      QKeyEvent key(type, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
      QApplication::sendEvent(widget(), &key);
    }
  }
};

// Asked for every class of an object's hierarchy, the most derived first; the widgets given a
// reading answer at once, before Qt's own factory describes them by their class.
QAccessibleInterface* readWidget(const QString&, QObject* object) {
  const auto it = readings().constFind(object);
  if (it == readings().cend() || !object->isWidgetType()) return nullptr;
  return new ReadWidget(static_cast<QWidget*>(object), it->role);
}

void setReading(QWidget* widget, Reading reading) {
  static const bool installed = (QAccessible::installFactory(readWidget), true);
  Q_UNUSED(installed);
  if (!readings().contains(widget))
    QObject::connect(widget, &QObject::destroyed, [widget] { readings().remove(widget); });
  const QAccessible::Role role = reading.role;
  readings().insert(widget, std::move(reading));
  // An interface made before (a label makes one as its text is set), or with another role, is
  // made again.
  QAccessibleInterface* made = QAccessible::queryAccessibleInterface(widget);
  if (made && (!dynamic_cast<ReadWidget*>(made) || made->role() != role))
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

// Whether a key has moved the focus yet: Tab, Shift+Tab, an arrow in a group (Qt gives those the
// tab reasons, but also the first control of a window that is activated). The lab's own focus
// marks show from then on only, as desktops show their focus cues to keyboard users only.
bool focusMovedByKeys = false;

class FocusKeyWatch : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject*, QEvent* event) override {
    switch (event->type()) {
      case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        keyDown_ = key == Qt::Key_Tab || key == Qt::Key_Backtab ||
                   (key >= Qt::Key_Left && key <= Qt::Key_Down);
        break;
      }
      case QEvent::KeyRelease:
      case QEvent::MouseButtonPress:
        keyDown_ = false;
        break;
      case QEvent::FocusIn: {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        focusMovedByKeys |=
            keyDown_ && (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason);
        break;
      }
      default:
        break;
    }
    return false;
  }

 private:
  bool keyDown_ = false;  // one of the keys that move the focus, not yet released
};

// Seen before the widget itself sees its focus, so that its mark knows whether to show.
void watchFocusKeys() {
  static const bool installed = (qApp->installEventFilter(new FocusKeyWatch(qApp)), true);
  Q_UNUSED(installed);
}

// The one focus frame of the lab's own controls: dark blue inside a white line, seen on the grey
// panels, on the white table, on pictures and on black or white screens.
void paintFocusFrame(QWidget* widget) {
  QPainter painter(widget);
  painter.setPen(QPen(Qt::white, 1));
  painter.drawRect(widget->rect().adjusted(0, 0, -1, -1));
  painter.setPen(QPen(focusColour(), 2));
  painter.drawRect(QRectF(widget->rect()).adjusted(2, 2, -2, -2));
}

// A ring drawn around the focused control, for controls whose own drawing shows no focus.
class FocusRing : public QWidget {
 public:
  explicit FocusRing(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setObjectName(QLatin1String(kRingName));
    setFocusPolicy(Qt::NoFocus);
    markDecorative(this);
  }

 protected:
  void paintEvent(QPaintEvent*) override { paintFocusFrame(this); }
};

// One ring per parent, never moved to another: a screen reader keeps the widgets it has seen.
QWidget* ringIn(QWidget* parent) {
  return parent ? parent->findChild<QWidget*>(QLatin1String(kRingName), Qt::FindDirectChildrenOnly)
                : nullptr;
}

void followFocus(QWidget* before, QWidget* now) {
  if (QWidget* ring = before ? ringIn(before->parentWidget()) : nullptr) ring->hide();
  if (!now || !now->property(kRing).toBool() || !now->parentWidget() || !focusMovedByKeys) return;
  QWidget* ring = ringIn(now->parentWidget());
  if (!ring) ring = new FocusRing(now->parentWidget());
  ring->setGeometry(now->geometry().adjusted(-4, -4, 4, 4));
  ring->show();
  ring->raise();
}

// Turns on the menu bar's own keyboard navigation (Alt, arrows, Enter, Escape), which the
// desktop's style may leave off.
class MenuKeyStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returned) const override {
    if (hint == SH_MenuBar_AltKeyNavigation) return 1;
    return QProxyStyle::styleHint(hint, option, widget, returned);
  }
};

}  // namespace

QColor focusColour() { return QColor(0, 60, 200); }

void nameControl(QWidget* control, const QString& name, const QString& description) {
  control->setAccessibleName(name);
  if (!description.isEmpty()) control->setAccessibleDescription(description);
}

void takeFocusWithRing(QWidget* control) {
  static const bool connected =
      (QObject::connect(qApp, &QApplication::focusChanged, qApp, &followFocus), true);
  (void)connected;
  watchFocusKeys();
  // A click on a switch leaves the focus where it was, as before; a scrollbar clicked keeps it.
  control->setFocusPolicy(qobject_cast<QAbstractSlider*>(control) ? Qt::StrongFocus : Qt::TabFocus);
  control->setProperty(kRing, true);
  // A scrollbar's keys scroll a page by default (Right and PageUp towards the start); as a
  // control knob, Right, Up and PageUp turn it up.
  if (auto* slider = qobject_cast<QAbstractSlider*>(control)) slider->setInvertedControls(false);
}

void markAsSwitch(QWidget* control, const QString& name, const QString& description) {
  setReading(control, {QAccessible::CheckBox,
                       [control](QAccessible::State& state) {
                         state.checkable = true;
                         state.checked = control->property(kOn).toBool();
                       },
                       [control] {
                         return control->property(kOn).toBool() ? QStringLiteral("включено")
                                                                : QStringLiteral("выключено");
                       },
                       false, true});
  nameControl(control, name, description);
  takeFocusWithRing(control);
}

void setSwitchState(QWidget* control, bool on) {
  if (control->property(kOn).toBool() == on) return;
  control->setProperty(kOn, on);
  QAccessible::State changed;
  changed.checked = true;
  announceState(control, changed);
}

namespace {
// The box's description: the news first, then the keys hint it was given.
void announce(QWidget* box, const QString& news) {
  if (!box->property("fmlabHint").isValid())
    box->setProperty("fmlabHint", box->accessibleDescription());
  const QString hint = box->property("fmlabHint").toString();
  box->setAccessibleDescription(news + (hint.isEmpty() ? QString() : QStringLiteral(". ") + hint));
}
}  // namespace

void announceAccepted(QWidget* box) { announce(box, QStringLiteral("Принято")); }

void announceRefused(QWidget* box) {
  announce(box, QStringLiteral("Символ не принят: в этом поле он недопустим"));
}

void describePicture(QWidget* picture, const QString& name, const QString& text) {
  if (!readings().contains(picture)) setReading(picture, {QAccessible::Graphic, {}, {}});
  sayChanges(picture, name, text);
}

void sayChanges(QWidget* widget, const QString& name, const QString& description) {
  if (widget->accessibleName() != name) widget->setAccessibleName(name);
  if (widget->accessibleDescription() != description) widget->setAccessibleDescription(description);
}

void markDecorative(QWidget* picture) { setReading(picture, {QAccessible::Graphic, {}, {}, true}); }

bool activatesControl(const QKeyEvent* key) {
  return key->key() == Qt::Key_Space || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

void enableMenuKeys(QMainWindow* window) {
  QMenuBar* bar = window->menuBar();
  if (bar->property("fmlabMenuKeys").toBool()) return;
  bar->setProperty("fmlabMenuKeys", true);
  auto* style = new MenuKeyStyle(QApplication::style()->name());
  style->setParent(bar);
  bar->setStyle(style);
  auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), window);
  QObject::connect(f10, &QShortcut::activated, bar, [bar] {
    if (bar->actions().isEmpty()) return;
    // What Alt pressed and released alone does: the first item is marked, the arrows move on.
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : bar->window();
    QKeyEvent override(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::AltModifier);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    for (QKeyEvent* key : {&override, &press, &release}) QApplication::sendEvent(target, key);
  });
  // An item chosen by keys may open a box; when it is answered, the focus goes back to the
  // control that had it before the menu, not to the menu bar.
  auto before = std::make_shared<QPointer<QWidget>>();
  QObject::connect(qApp, &QApplication::focusChanged, bar, [bar, before](QWidget*, QWidget* now) {
    if (now && now != bar && now->window() == bar->window()) *before = now;
  });
  QObject::connect(bar, &QMenuBar::triggered, bar, [bar, before] {
    if (bar->hasFocus() && *before) (*before)->setFocus(Qt::OtherFocusReason);
  });
}

ValueLabel::ValueLabel(QWidget* parent) : QLabel(parent) {
  setReading(this, {QAccessible::StaticText, {}, [this] { return spokenValue(); }});
}

void ValueLabel::setValueText(const QString& text) {
  if (text == this->text()) return;
  setText(text);
  setAccessibleDescription(spokenValue());
  QAccessibleValueChangeEvent event(this, spokenValue());
  QAccessible::updateAccessibility(&event);
}

QString ValueLabel::spokenValue() const {
  const QString value = text().trimmed();
  return unit_.isEmpty() || value.isEmpty() ? value : value + QLatin1Char(' ') + unit_;
}

namespace {

// A frame laid over its parent while the parent has the focus; the mouse passes through it.
class FocusMark : public QWidget {
 public:
  explicit FocusMark(QWidget* target) : QWidget(target) {
    setObjectName(target->objectName() + QStringLiteral(".focus"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
    target->installEventFilter(this);
    watchFocusKeys();
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::Resize) {
      setGeometry(parentWidget()->rect());
      setVisible(parentWidget()->hasFocus() && focusMovedByKeys);
      raise();
    } else if (event->type() == QEvent::FocusOut) {
      hide();
    }
    return false;
  }
  void paintEvent(QPaintEvent*) override { paintFocusFrame(this); }
};

}  // namespace

void setAccessibleRole(QWidget* widget, QAccessible::Role role, AccessibleState state) {
  setReading(widget, {role, std::move(state), {}});
}

void announceState(QWidget* widget, QAccessible::State changed) {
  QAccessibleStateChangeEvent event(widget, changed);
  QAccessible::updateAccessibility(&event);
}

void addFocusMark(QWidget* widget) { new FocusMark(widget); }

void hideFocusMarksUntilKeys() { focusMovedByKeys = false; }
