#include "platform/access.h"

#include <QAccessibleWidget>
#include <QEvent>
#include <QHash>
#include <QPainter>
#include <QWidget>

namespace {

struct Traits {
  QAccessible::Role role;
  AccessibleState state;
};

QHash<const QObject*, Traits>& traits() {
  static QHash<const QObject*, Traits> all;
  return all;
}

class DescribedWidget : public QAccessibleWidget {
 public:
  using QAccessibleWidget::QAccessibleWidget;
  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    const auto it = traits().constFind(object());
    if (it != traits().cend() && it->state) it->state(state);
    return state;
  }
};

// Asked for every class of an object's hierarchy, the most derived first; the widgets given a
// role answer at once, before Qt's own factory describes them by their class.
QAccessibleInterface* describedWidget(const QString&, QObject* object) {
  const auto it = traits().constFind(object);
  if (it == traits().cend() || !object->isWidgetType()) return nullptr;
  return new DescribedWidget(static_cast<QWidget*>(object), it->role);
}

// A frame laid over its parent while the parent has the focus; the mouse passes through it.
class FocusMark : public QWidget {
 public:
  explicit FocusMark(QWidget* target) : QWidget(target) {
    setObjectName(target->objectName() + QStringLiteral(".focus"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
    target->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::Resize) {
      setGeometry(parentWidget()->rect());
      setVisible(parentWidget()->hasFocus());
      raise();
    } else if (event->type() == QEvent::FocusOut) {
      hide();
    }
    return false;
  }
  void paintEvent(QPaintEvent*) override {
    // Dashes of the selection colour on white, visible on a picture, on the white table and on
    // the grey panel alike.
    QPainter painter(this);
    const QRectF frame = QRectF(rect()).adjusted(1, 1, -1, -1);
    painter.setPen(QPen(Qt::white, 2));
    painter.drawRect(frame);
    painter.setPen(QPen(palette().color(QPalette::Active, QPalette::Highlight), 2, Qt::DashLine));
    painter.drawRect(frame);
  }
};

}  // namespace

void setAccessibleRole(QWidget* widget, QAccessible::Role role, AccessibleState state) {
  static const bool installed = (QAccessible::installFactory(describedWidget), true);
  Q_UNUSED(installed);
  if (!traits().contains(widget))
    QObject::connect(widget, &QObject::destroyed, [widget] { traits().remove(widget); });
  traits().insert(widget, {role, std::move(state)});
  // An interface Qt made before (a label makes one as its text is set) is made again, with the
  // role.
  QAccessibleInterface* made = QAccessible::queryAccessibleInterface(widget);
  if (made && !dynamic_cast<DescribedWidget*>(made))
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

void announceState(QWidget* widget, QAccessible::State changed) {
  QAccessibleStateChangeEvent event(widget, changed);
  QAccessible::updateAccessibility(&event);
}

void addFocusMark(QWidget* widget) { new FocusMark(widget); }
