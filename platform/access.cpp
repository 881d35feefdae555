#include "platform/access.h"

#include <QAbstractSlider>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QHash>
#include <QKeyEvent>
#include <QLocale>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QSet>
#include <QShortcut>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <array>
#include <memory>
#include <utility>

namespace {

constexpr char kOn[] = "fmlabSwitchedOn";  // a switch's state, as its owner last set it
constexpr char kRing[] = "fmlabFocusRing";
constexpr char kRingName[] = "fmlabFocusRingMark";
constexpr char kNewsName[] = "fmlabNews";

// How a screen reader reads one of the lab's own widgets, where Qt's description by class does
// not fit: its role, the state flags only its owner knows, its value, whether it only decorates
// (then it says nothing), and whether the reader's "press" works it (as Space does).
struct Reading {
  QAccessible::Role role;
  AccessibleState state;
  std::function<QString()> value;
  bool decorative = false;
  bool pressable = false;
  std::function<QString()> name = {};  // instead of the widget's own
};

QHash<const QObject*, Reading>& readings() {
  static QHash<const QObject*, Reading> all;
  return all;
}

// Popup menus read as parts of their controls (readMenuInControl).
QSet<const QObject*>& menusInControls() {
  static QSet<const QObject*> all;
  return all;
}

class ReadWidget : public QAccessibleWidget {
 public:
  using QAccessibleWidget::QAccessibleWidget;
  // Its own child widgets, then its menus: a menu whose parent does not count it as a child is
  // taken by Orca for a dead object, and the menu is not said.
  int childCount() const override { return QAccessibleWidget::childCount() + int(menus().size()); }
  QAccessibleInterface* child(int index) const override {
    const int own = QAccessibleWidget::childCount();
    return index < own ? QAccessibleWidget::child(index)
                       : QAccessible::queryAccessibleInterface(menus().value(index - own));
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    const qsizetype menu = menus().indexOf(child->object());
    return menu >= 0 ? QAccessibleWidget::childCount() + int(menu)
                     : QAccessibleWidget::indexOfChild(child);
  }
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
    if (t == QAccessible::Name && reading.name) return reading.name();
    return QAccessibleWidget::text(t);
  }
  // A panel named for itself is not labelled by the titled box around it (Qt relates every
  // widget in such a box to its title), or the reader says the outer title for both.
  QList<std::pair<QAccessibleInterface*, QAccessible::Relation>> relations(
      QAccessible::Relation match) const override {
    auto found = QAccessibleWidget::relations(match);
    if (role() == QAccessible::Grouping && !widget()->accessibleName().isEmpty())
      found.removeIf([](const auto& related) { return related.second & QAccessible::Label; });
    return found;
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

 private:
  QObjectList menus() const {
    QObjectList found;
    for (QObject* child : widget()->children())
      if (menusInControls().contains(child)) found << child;
    return found;
  }
};

// An item of a menu read inside its control (MenuInControl).
class MenuItemReading : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  MenuItemReading(QMenu* menu, QAction* action) : menu_(menu), action_(action) {}
  bool isValid() const override { return menu_ && action_; }
  QObject* object() const override { return action_; }
  QWindow* window() const override { return menu_ ? menu_->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override {
    return QAccessible::queryAccessibleInterface(menu_);
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Name && isValid() ? action_->text() : QString();
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    if (!isValid()) return {};
    const QRect at = menu_->actionGeometry(action_);
    return {menu_->mapToGlobal(at.topLeft()), at.size()};
  }
  QAccessible::Role role() const override {
    return isValid() && action_->isSeparator() ? QAccessible::Separator : QAccessible::MenuItem;
  }
  QAccessible::State state() const override {
    QAccessible::State state;
    if (!isValid()) return state;
    state.focusable = state.selectable = true;
    state.focused = state.selected = menu_->activeAction() == action_;
    state.disabled = !action_->isEnabled();
    state.invisible = !menu_->isVisible();
    return state;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                : nullptr;
  }
  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& name) override {
    if (name != pressAction() || !isValid() || !action_->isEnabled()) return;
    menu_->hide();
    action_->trigger();
  }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

 private:
  QPointer<QMenu> menu_;
  QPointer<QAction> action_;
};

// Qt reads every popup menu as a window of the application. A menu read as a part of the
// control that opens it lets Orca keep that control's window as the active one: it then says
// only the menu and its item, and only the control when the menu closes.
class MenuInControl : public QAccessibleWidget {
 public:
  explicit MenuInControl(QMenu* menu) : QAccessibleWidget(menu, QAccessible::PopupMenu) {}
  QAccessibleInterface* parent() const override {
    QWidget* owner = widget()->parentWidget();
    return QAccessible::queryAccessibleInterface(owner ? static_cast<QObject*>(owner) : qApp);
  }
  int childCount() const override { return int(menu()->actions().size()); }
  QAccessibleInterface* child(int index) const override {
    QAction* action = menu()->actions().value(index);
    if (!action) return nullptr;
    static QHash<QAction*, QAccessible::Id> items;
    if (!items.contains(action)) {
      items.insert(action,
                   QAccessible::registerAccessibleInterface(new MenuItemReading(menu(), action)));
      QObject::connect(action, &QObject::destroyed, [action] { items.remove(action); });
    }
    return QAccessible::accessibleInterface(items.value(action));
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return int(menu()->actions().indexOf(qobject_cast<QAction*>(child->object())));
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    QAction* action = menu()->actionAt(menu()->mapFromGlobal(QPoint(x, y)));
    return action ? child(int(menu()->actions().indexOf(action))) : nullptr;
  }

 private:
  QMenu* menu() const { return static_cast<QMenu*>(widget()); }
};

// Asked for every class of an object's hierarchy, the most derived first; the widgets given a
// reading answer at once, before Qt's own factory describes them by their class.
QAccessibleInterface* readWidget(const QString&, QObject* object) {
  if (!object->isWidgetType()) return nullptr;
  if (menusInControls().contains(object)) return new MenuInControl(static_cast<QMenu*>(object));
  const auto it = readings().constFind(object);
  if (it == readings().cend()) return nullptr;
  return new ReadWidget(static_cast<QWidget*>(object), it->role);
}

// The update handler that was in place before settleFocusMoves put its own.
QAccessible::UpdateHandler beforeSettling = nullptr;

// While focus moves settle, every accessibility event but a focus report goes on to the reader.
void holdFocusReports(QAccessibleEvent* event) {
  const bool focus = event->type() == QAccessible::Focus ||
                     (event->type() == QAccessible::StateChanged &&
                      static_cast<QAccessibleStateChangeEvent*>(event)->changedStates().focused);
  if (focus) return;
  QAccessible::installUpdateHandler(beforeSettling);  // Qt's own way to the reader
  QAccessible::updateAccessibility(event);
  QAccessible::installUpdateHandler(holdFocusReports);
}

bool isNewsItem(QObject* object);

// A control shown in an active window (a panel of results, the next row of a table): Qt 6.4 tells
// the reader that it is showing, never that it is visible, so the reader's cache keeps it
// invisible and its review skips it. A selection event makes Orca drop what it cached of the
// control; it is sent once the control is shown.
class ShownControls : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Show || !watched->isWidgetType() || isNewsItem(watched))
      return false;
    auto* shown = static_cast<QWidget*>(watched);
    // Shown by itself, not with its window or its parent.
    if (shown->isWindow() || !shown->testAttribute(Qt::WA_WState_ExplicitShowHide) ||
        !shown->window()->isActiveWindow())
      return false;
    // Each of its widgets too: the reader may have met one before (by an event of its own)
    // without having listed the control's children, and then it clears only what it listed.
    QTimer::singleShot(0, shown, [shown] {
      QList<QWidget*> parts = shown->findChildren<QWidget*>();
      parts.prepend(shown);
      for (QWidget* part : parts) {
        QAccessibleEvent reread(part, QAccessible::Selection);
        QAccessible::updateAccessibility(&reread);
      }
    });
    return false;
  }
};

void setReading(QWidget* widget, Reading reading) {
  setUpReaderAccess();
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

// The news of one window: a status area nobody sees (no size, and not in the reader's review),
// holding notifications. Orca speaks a notification that is shown, without its role inside a
// status bar. Each news goes to the next of a few notifications: Orca reads the text when it
// comes to the event, and by then the one before may have been given the next news.
class NewsBar : public QWidget {
 public:
  explicit NewsBar(QWidget* window) : QWidget(window) {
    setObjectName(QLatin1String(kNewsName));
    setAccessibleName(QStringLiteral("Сообщения"));
    // Not showing: the review leaves it out.
    setReading(
        this,
        {QAccessible::StatusBar, [](QAccessible::State& state) { state.invisible = true; }, {}});
    for (QWidget*& item : items_) {
      item = new QWidget(this);
      item->setGeometry(0, 0, 0, 0);
      item->hide();  // until it has news
      setReading(item, {QAccessible::Notification, {}, {}});
    }
    QList<QWidget*> parts = findChildren<QWidget*>();
    parts << this;
    for (QWidget* part : parts) {
      part->setFocusPolicy(Qt::NoFocus);
      part->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    setGeometry(0, 0, 0, 0);
    window->installEventFilter(this);
  }
  void say(const QString& news) {
    pending_ += pending_.isEmpty() ? news : QLatin1Char(' ') + news;
    if (window()->isActiveWindow()) deliver();
  }
  QString last() const { return pending_.isEmpty() ? items_[next_]->accessibleName() : pending_; }
  bool holds(const QObject* item) const {
    return std::find(items_.cbegin(), items_.cend(), item) != items_.cend();
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    // After the window's activation and its focus have been read.
    if (event->type() == QEvent::ActivationChange && window()->isActiveWindow())
      QTimer::singleShot(0, this, [this] { deliver(); });
    return false;
  }

 private:
  void deliver() {
    if (pending_.isEmpty() || !window()->isActiveWindow()) return;
    next_ = (next_ + 1) % int(items_.size());
    QWidget* item = items_[next_];
    item->hide();
    item->setAccessibleName(std::exchange(pending_, QString()));
    item->show();
  }

  std::array<QWidget*, 4> items_{};
  int next_ = 0;
  QString pending_;
};

NewsBar* newsBar(const QWidget* from) {
  return static_cast<NewsBar*>(
      from->window()->findChild<QWidget*>(QLatin1String(kNewsName), Qt::FindDirectChildrenOnly));
}

bool isNewsItem(QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  NewsBar* bar = widget && widget->parentWidget() ? newsBar(widget) : nullptr;
  return bar && bar->holds(object);
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

void setUpReaderAccess() {
  static const bool installed = (QAccessible::installFactory(readWidget),
                                 qApp->installEventFilter(new ShownControls(qApp)), true);
  Q_UNUSED(installed);
}

void announce(QWidget* from, const QString& news) {
  NewsBar* bar = newsBar(from);
  if (!bar) {
    bar = new NewsBar(from->window());
    bar->show();
  }
  bar->say(news);
}

QString lastNews(const QWidget* from) {
  const NewsBar* bar = newsBar(from);
  return bar ? bar->last() : QString();
}

void settleFocusMoves() {
  const QAccessible::UpdateHandler previous = QAccessible::installUpdateHandler(holdFocusReports);
  if (previous == holdFocusReports) return;  // settling already
  beforeSettling = previous;                 // none: Qt's own way to the reader
  QTimer::singleShot(0, qApp, [] {
    QAccessible::installUpdateHandler(beforeSettling);
    if (QWidget* focus = QApplication::focusWidget()) {
      QAccessibleEvent moved(focus, QAccessible::Focus);
      QAccessible::updateAccessibility(&moved);
    }
  });
}

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

void readMenuInControl(QMenu* menu) {
  setUpReaderAccess();
  if (!menusInControls().contains(menu)) {
    menusInControls().insert(menu);
    QObject::connect(menu, &QObject::destroyed, [menu] { menusInControls().remove(menu); });
  }
  if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(menu);
      made && !dynamic_cast<MenuInControl*>(made))
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

void markPanel(QWidget* panel, const QString& name) {
  setReading(panel, {QAccessible::Grouping, {}, {}});
  panel->setAccessibleName(name);
}

void readShownText(QLabel* label) {
  setReading(label,
             {QAccessible::StaticText, {}, {}, false, false, [label] { return label->text(); }});
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

QString spokenNumber(const QString& shown) {
  QString text = shown.trimmed();
  const bool digits = std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit(); });
  if (text.isEmpty() || !digits) return text.isEmpty() ? text : QStringLiteral("ноль");
  // ",7" is read "0,7" and "17," is read "17" (the formats write no zero before the separator
  // and keep it when no decimals follow).
  const QChar point = QLocale::system().decimalPoint().front();
  for (qsizetype i = text.size() - 1; i >= 0; --i) {
    if (text[i] != point) continue;
    const bool before = i > 0 && text[i - 1].isDigit();
    const bool after = i + 1 < text.size() && text[i + 1].isDigit();
    if (before && !after) text.remove(i, 1);
    if (!before && after) text.insert(i, QLatin1Char('0'));
  }
  return text;
}

QString ValueLabel::spokenValue() const {
  const QString value = spokenNumber(text());
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
