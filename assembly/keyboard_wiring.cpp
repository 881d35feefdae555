#include "assembly/keyboard_wiring.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QMenu>
#include <QStringList>
#include <algorithm>
#include <vector>

#include "assembly/mounting_table.h"
#include "assembly/picture_control.h"
#include "platform/access.h"
#include "platform/twips.h"

namespace {

constexpr int kStep = 10;  // pixels an arrow key moves; with Ctrl, one pixel

// The instruments as a screen reader names them, and after "подключён к".
const char* const kNames[] = {"",
                              "Генератор стандартных сигналов",
                              "Милливольтметр",
                              "Низкочастотный осциллограф",
                              "Спектроанализатор",
                              "Высокочастотный осциллограф"};
const char* const kToNames[] = {"",
                                "генератору стандартных сигналов",
                                "милливольтметру",
                                "низкочастотному осциллографу",
                                "спектроанализатору",
                                "высокочастотному осциллографу"};

QString lowerFirst(QString text) {
  if (!text.isEmpty()) text[0] = text[0].toLower();
  return text;
}

QString plugName(int k, int p) { return QStringLiteral("кабель %1, разъём %2").arg(k).arg(p); }

// Where a point lies on the table, by thirds of its width and height.
QString placeOnTable(QPointF at, QSizeF table) {
  const auto third = [](double x, double whole) { return std::clamp(int(3 * x / whole), 0, 2); };
  const char* const places[3][3] = {{"слева вверху", "вверху посередине", "справа вверху"},
                                    {"слева посередине", "в центре", "справа посередине"},
                                    {"слева внизу", "внизу посередине", "справа внизу"}};
  return QString::fromUtf8(places[third(at.y(), table.height())][third(at.x(), table.width())]);
}

}  // namespace

KeyboardWiring::KeyboardWiring(QWidget* screen, AssemblyModel& model, const Controls& controls,
                               Actions actions)
    : QObject(screen),
      model_(model),
      controls_(controls),
      actions_(std::move(actions)),
      menu_(new QMenu(screen)) {
  menu_->setObjectName(QStringLiteral("terminalMenu"));
  // The menu closes, the plug is moved and given the focus back: the reader hears the plug once,
  // where it now is.
  connect(menu_, &QMenu::aboutToHide, this, &settleFocusMoves);
  readMenuInControl(menu_);
  std::vector<QWidget*> focusable{controls_.info, controls_.table};
  for (int i = 1; i <= AssemblyModel::kInstruments; ++i) {
    setAccessibleRole(controls_.instruments[i], QAccessible::Graphic,
                      [](QAccessible::State& state) { state.movable = true; });
    focusable.push_back(controls_.instruments[i]);
  }
  for (int k = 1; k <= AssemblyModel::kCables; ++k) {
    for (int p = 1; p <= 2; ++p) {
      homes_[k][p] = QPointF(model_.plug(k, p).Left, model_.plug(k, p).Top);
      PictureControl* plug = controls_.plugs[k][p];
      setAccessibleRole(plug, QAccessible::ButtonMenu,
                        [](QAccessible::State& state) { state.hasPopup = true; });
      focusable.push_back(plug);
    }
  }
  controls_.button->installEventFilter(this);
  for (QWidget* widget : focusable) {
    widget->setFocusPolicy(Qt::TabFocus);  // a mouse click leaves the focus where it was
    widget->installEventFilter(this);
    addFocusMark(widget);
  }
  setAccessibleRole(controls_.info, QAccessible::Button);
  sayChanges(controls_.info, QStringLiteral("Порядок работы"),
             QStringLiteral("Enter или пробел — показать порядок работы."));
  setAccessibleRole(controls_.table, QAccessible::Graphic);
  setAccessibleRole(controls_.modulator, QAccessible::Graphic);
  setAccessibleRole(controls_.scheme, QAccessible::Graphic);
  sayChanges(
      controls_.scheme, QStringLiteral("Рис. 1. Схема исследования модуляционной характеристики"),
      QStringLiteral(
          "Генератор стандартных сигналов, милливольтметр и низкочастотный осциллограф подключаются к входу частотного модулятора, спектроанализатор и высокочастотный осциллограф — к его выходу."));
  refresh();
}

void KeyboardWiring::refresh() {
  const QString instrumentKeys =
      QStringLiteral("Стрелки передвигают прибор по столу, с Ctrl — точнее.");
  for (int i = 1; i <= AssemblyModel::kInstruments; ++i) {
    QStringList held;
    for (int k = 1; k <= AssemblyModel::kCables; ++k)
      for (int p = 1; p <= 2; ++p)
        if (model_.plug(k, p).container == i) held << plugName(k, p);
    const QString plugs = held.isEmpty() ? QStringLiteral("Кабели не подключены.")
                                         : QStringLiteral("Подключены: ") + held.join("; ") + '.';
    sayChanges(controls_.instruments[i], QString::fromUtf8(kNames[i]),
               plugs + ' ' + instrumentKeys);
  }
  for (int k = 1; k <= AssemblyModel::kCables; ++k) {
    for (int p = 1; p <= 2; ++p) {
      sayChanges(
          controls_.plugs[k][p],
          QStringLiteral("Кабель %1, разъём %2: ").arg(k).arg(p) + plugState(k, p),
          QStringLiteral(
              "Enter, пробел или клавиша меню — выбрать, куда подключить разъём, или вынуть его."));
    }
  }
  QStringList input, output;
  for (int k = 1; k <= AssemblyModel::kCables; ++k) {
    for (int p = 1; p <= 2; ++p) {
      if (model_.atInput(k, p)) input << plugName(k, p);
      if (model_.atOutput(k, p)) output << plugName(k, p);
    }
  }
  const auto terminal = [](const QStringList& plugs) {
    return plugs.isEmpty() ? QStringLiteral("ничего не подключено") : plugs.join("; ");
  };
  sayChanges(controls_.modulator, QStringLiteral("Исследуемый частотный модулятор"),
             QStringLiteral("Вход: %1. Выход: %2.").arg(terminal(input), terminal(output)));
  sayChanges(controls_.table, QStringLiteral("Монтажный стол"), tableText());

  // Reading order: the panel's button, the table, what lies on it, then "Монтаж окончен".
  std::vector<QWidget*> chain{controls_.info, controls_.table};
  for (int i = 1; i <= AssemblyModel::kInstruments; ++i) chain.push_back(controls_.instruments[i]);
  for (int k = 1; k <= AssemblyModel::kCables; ++k)
    for (int p = 1; p <= 2; ++p) chain.push_back(controls_.plugs[k][p]);
  chain.push_back(controls_.button);
  for (std::size_t n = 1; n < chain.size(); ++n) QWidget::setTabOrder(chain[n - 1], chain[n]);
}

QString KeyboardWiring::plugState(int k, int p) const {
  const int holder = model_.plug(k, p).container;
  if (holder != AssemblyModel::kTable)
    return QStringLiteral("подключён к ") + QString::fromUtf8(kToNames[holder]);
  if (model_.atInput(k, p)) return QStringLiteral("подключён к входу модулятора");
  if (model_.atOutput(k, p)) return QStringLiteral("подключён к выходу модулятора");
  return QStringLiteral("свободен");
}

// The text alternative of the table: what stands on it and where every plug is.
QString KeyboardWiring::tableText() const {
  QStringList placed{QStringLiteral("исследуемый частотный модулятор")};
  for (int i = 1; i <= AssemblyModel::kInstruments; ++i)
    if (model_.instrument(i).Visible) placed << lowerFirst(QString::fromUtf8(kNames[i]));
  QString text = QStringLiteral("На столе: ") + placed.join(", ") + '.';
  for (int k = 1; k <= AssemblyModel::kCables; ++k) {
    text += QStringLiteral(" Кабель %1: разъём 1 %2, разъём 2 %3.")
                .arg(k)
                .arg(plugState(k, 1), plugState(k, 2));
  }
  return text +
         QStringLiteral(
             " Enter ставит прибор, выбранный на панели приборов, в отмеченную точку стола; стрелки передвигают эту точку, с Ctrl — точнее.");
}

bool KeyboardWiring::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  auto* widget = static_cast<QWidget*>(watched);
  // Not a key passed on by a plug that lies on the control, nor one in the middle of a drag.
  if (!widget->hasFocus() || actions_.dragging()) return false;
  const auto* keys = static_cast<QKeyEvent*>(event);
  const int step = keys->modifiers() & Qt::ControlModifier ? 1 : kStep;
  QPoint arrow;
  if (keys->key() == Qt::Key_Left) arrow = {-step, 0};
  if (keys->key() == Qt::Key_Right) arrow = {step, 0};
  if (keys->key() == Qt::Key_Up) arrow = {0, -step};
  if (keys->key() == Qt::Key_Down) arrow = {0, step};
  const bool activate = activatesControl(keys);
  const bool menuKey = keys->key() == Qt::Key_Menu ||
                       (keys->key() == Qt::Key_F10 && keys->modifiers() & Qt::ShiftModifier);

  if (widget == controls_.button && keys->key() != Qt::Key_Space && activate) {
    static_cast<QAbstractButton*>(widget)->click();  // Enter as well as the button's own Space
    return true;
  }
  if (widget == controls_.info && activate) {
    actions_.instructions();
    return true;
  }
  if (widget == controls_.table && !arrow.isNull()) {
    moveKeyboardPoint(arrow);
    return true;
  }
  if (widget == controls_.table && activate) {
    placeInstrument();
    return true;
  }
  for (int i = 1; i <= AssemblyModel::kInstruments; ++i) {
    if (widget == controls_.instruments[i] && !arrow.isNull()) {
      moveInstrument(i, arrow);
      return true;
    }
  }
  for (int k = 1; k <= AssemblyModel::kCables; ++k) {
    for (int p = 1; p <= 2; ++p) {
      if (widget == controls_.plugs[k][p] && (activate || menuKey)) {
        openMenu(k, p);
        return true;
      }
    }
  }
  return false;
}

// A click on the table at the keyboard point; the reader hears what was put down and where.
void KeyboardWiring::placeInstrument() {
  const QPointF at = QPointF(controls_.table->keyboardPoint()) * kTwipsPerPixel;
  // Every instrument put down takes the next place in the stacking order.
  std::array<int, AssemblyModel::kInstruments + 1> putDown{};
  for (int i = 1; i <= AssemblyModel::kInstruments; ++i) putDown[i] = model_.instrument(i).z;
  model_.pointerOverTable(at.x(), at.y());
  model_.placeInstrument();
  actions_.sync();
  for (int i = 1; i <= AssemblyModel::kInstruments; ++i) {
    if (model_.instrument(i).z == putDown[i]) continue;
    const QSizeF table = QSizeF(controls_.table->size()) * kTwipsPerPixel;
    announce(controls_.table, QStringLiteral("%1 поставлен на стол %2.")
                                  .arg(QString::fromUtf8(kNames[i]),
                                       placeOnTable(model_.instrumentRect(i).center(), table)));
    return;
  }
  announce(controls_.table,
           QStringLiteral(
               "Прибор не поставлен: сначала выберите на панели приборов один из приборов схемы."));
}

void KeyboardWiring::moveKeyboardPoint(QPoint step) {
  const QRect table = controls_.table->rect();
  const QPoint to = controls_.table->keyboardPoint() + step;
  controls_.table->setKeyboardPoint(
      {std::clamp(to.x(), 0, table.width() - 1), std::clamp(to.y(), 0, table.height() - 1)});
}

// A press in the middle of the instrument and a drop on the table a step away. The instrument
// stays on the table: its middle never leaves it.
void KeyboardWiring::moveInstrument(int i, QPoint step) {
  const QRectF box = model_.instrumentRect(i);
  const QPointF to = box.topLeft() + QPointF(step) * kTwipsPerPixel;
  const QRectF table(QPointF(), QSizeF(controls_.table->size()) * kTwipsPerPixel);
  if (!table.contains(to + QPointF(box.width() / 2, box.height() / 2))) return;
  model_.pressInstrument(i, box.width() / 2, box.height() / 2);
  model_.dropOnTable(to.x() + model_.XЗахв, to.y() + model_.YЗахв);
  actions_.sync();
}

void KeyboardWiring::openMenu(int k, int p) {
  menu_->clear();
  const auto add = [&](const QString& text, int to) {
    QAction* action = menu_->addAction(text);
    connect(action, &QAction::triggered, this, [this, k, p, to] { movePlug(k, p, to); });
    return action;
  };
  for (int i = 1; i <= AssemblyModel::kInstruments; ++i)
    if (model_.instrument(i).Visible) add(QString::fromUtf8(kNames[i]), i);
  add(QStringLiteral("Вход модулятора"), kInput);
  add(QStringLiteral("Выход модулятора"), kOutput);
  menu_->addSeparator();
  add(QStringLiteral("Вынуть"), kTakeOut)
      ->setEnabled(plugState(k, p) != QStringLiteral("свободен"));
  menu_->setAccessibleName(QStringLiteral("Куда подключить ") + plugName(k, p));
  QWidget* plug = controls_.plugs[k][p];
  // Inside the plug for the reader: the menu and its first item are heard at once, without the
  // window, the table and the plug around them, and so is the plug when the menu closes. Orca
  // names no popup menu itself: the news says it.
  if (menu_->parentWidget() != plug) menu_->setParent(plug, menu_->windowFlags());
  announce(plug, QStringLiteral("Меню: ") + lowerFirst(menu_->accessibleName()));
  menu_->popup(plug->mapToGlobal(QPoint(0, plug->height())));
  menu_->setActiveAction(menu_->actions().constFirst());
}

// The same press, drag over and drop as the mouse's at the chosen place.
void KeyboardWiring::movePlug(int k, int p, int to) {
  const QRectF plug = model_.plugRect(k, p);
  model_.pressPlug(k, p, plug.width() / 2, plug.height() / 2);
  DragFeedback sound = DragFeedback::Silent;
  if (to >= 1) {
    // Inside the instrument, away from the corner where its sockets take the plug.
    const QRectF box = model_.instrumentRect(to);
    sound = model_.dragOverInstrument(to, box.width() / 2, box.height() / 4);
    model_.dropOnInstrument(to);
  } else if (to == kInput || to == kOutput) {
    // Below the label ЧМ at half the modulator's height lies the input, above it the output.
    const QRectF m = model_.modulatorRect();
    sound = model_.dragOverModulator(m.width() / 2, m.height() * (to == kInput ? 0.75 : 0.25));
    model_.dropOnModulator();
  } else {
    model_.dropOnTable(homes_[k][p].x() + model_.XЗахв, homes_[k][p].y() + model_.YЗахв);
  }
  if (sound == DragFeedback::Beep) actions_.beep();
  actions_.sync();
  controls_.plugs[k][p]->setFocus(Qt::OtherFocusReason);  // moving it between parents took it
}
