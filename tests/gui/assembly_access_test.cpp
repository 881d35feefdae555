// The palette and the mounting table by keyboard alone, and as a screen reader hears them.

#include <QAccessible>

#include "platform/access.h"
#include "support/assembly.h"
#include "support/lab.h"

namespace {
using enum ScreenId;

// Everything the table's model holds but the last pointer positions.
QString tableState(const AssemblyModel& m) {
  QString text;
  QDebug out(&text);  // each value goes into the text as it is written
  for (int i = 1; i <= 5; ++i)
    out << m.instrument(i).Left << m.instrument(i).Top << m.instrument(i).Visible;
  for (int k = 1; k <= 5; ++k) {
    for (const AssemblyModel::Plug& plug : {m.plug(k, 1), m.plug(k, 2)})
      out << plug.Left << plug.Top << plug.container << plug.z << plug.Tag << plug.Picture;
    const AssemblyModel::Line& l = m.Кабель(k);
    out << l.X1 << l.Y1 << l.X2 << l.Y2 << m.СоедПрибора[k] << m.ВхКабеля(k) << m.ВыхКабеля(k);
  }
  out << m.НомКабеля << m.НомШтеккера << m.СторонаЧМ << m.ПриборШтеккера << m.XРазъема << m.YРазъема
      << m.ПриборыВх << m.ПриборыВых << m.СоедЧМ << m.СторонаПрибора;
  return text;
}

TEST_F(ScreenTest, TheKeysAssembleTheTableAsTheMouseDoes) {
  auto* screen = dynamic_cast<FrmМонтаж*>(reach(Assembly));
  AssemblyDriver mouse(screen, state);
  mouse.showWhole();
  for (int i = 1; i <= 5; ++i) mouse.place(i, AssemblyDriver::kSpots[i - 1]);
  mouse.wireEverything();
  const QString byMouse = tableState(screen->model());
  restart();
  screen = dynamic_cast<FrmМонтаж*>(reach(Assembly));
  assembleByKeyboard(hub->find(MainWindow), screen);
  EXPECT_EQ(tableState(screen->model()), byMouse);
  EXPECT_EQ(assemblyFaults(screen->model()), QStringList());
  EXPECT_EQ(desktop.beepCount(), 10);  // one drag-over per connection
}

// From the first palette picture round the chain, with the role a screen reader announces and
// a focus mark that shows where the keys go (none before a key has moved the focus).
TEST_F(ScreenTest, TabReachesEveryControlOfThePaletteAndTheTableNamedAndMarked) {
  auto* screen = dynamic_cast<FrmМонтаж*>(reach(Assembly));
  EXPECT_FALSE(child(Assembly, "Lblинф.focus")->isVisible());
  assembleByKeyboard(hub->find(MainWindow), screen);
  // clang-format off
  const QStringList chain = u"ImgПрибор(1) ImgПрибор(2) ImgПрибор(3) ImgПрибор(5) ImgПрибор(4) ImgПрибор(6) Lblинф PicСтол "
      "PicПрибор(1) PicПрибор(2) PicПрибор(3) PicПрибор(4) PicПрибор(5) PicРазъем1(1) PicРазъем2(1) PicРазъем1(2) "
      "PicРазъем2(2) PicРазъем1(3) PicРазъем2(3) PicРазъем1(4) PicРазъем2(4) PicРазъем1(5) PicРазъем2(5) CmdДальше"_qs.split(' ');
  const std::map<QString, QAccessible::Role> roles{{"ImgПр", QAccessible::RadioButton}, {"Lblин", QAccessible::Button},
      {"PicСт", QAccessible::Graphic}, {"PicПр", QAccessible::Graphic}, {"PicРа", QAccessible::ButtonMenu}, {"CmdДа", QAccessible::Button}};
  // clang-format on
  tabTo(child(MainWindow, "ImgПрибор(1)"));
  for (const QString& name : chain) {
    SCOPED_TRACE(name.toStdString());
    QWidget* control = QApplication::focusWidget();
    ASSERT_EQ(control->objectName(), name);
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(control);
    EXPECT_EQ(std::tuple(reader->role(), reader->state().focused),
              std::tuple(roles.at(name.left(5)), true));
    EXPECT_NE(reader->text(QAccessible::Name), "");
    const QImage marked = control->grab().toImage();
    QTest::keyClick(control, Qt::Key_Tab);
    EXPECT_NE(control->grab().toImage(), marked);
  }
  EXPECT_EQ(QApplication::focusWidget()->objectName(), "ImgПрибор(1)");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
  EXPECT_EQ(QApplication::focusWidget()->objectName(), "CmdДальше");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);  // the check, as a click gives it
  EXPECT_EQ(desktop.messages().back().text, "Монтаж сделан правильно. Продолжить работу? ");
  tabTo(child(Assembly, "Lblинф")), QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
  EXPECT_EQ(desktop.messages().back().title, "Информация");
}

// Cable 1 wired by keys and taken out again: what a screen reader hears of its plugs, the
// modulator and the table, and the bookkeeping the mouse gives for the same moves (plug tags,
// the generator's tokens, the input list, the terminal marks, cable 1's input record).
TEST_F(ScreenTest, TheTablesWordsFollowTheModel) {
  auto* screen = dynamic_cast<FrmМонтаж*>(reach(Assembly));
  AssemblyDriver table(screen, state);
  table.showWhole();
  const AssemblyModel& m = screen->model();
  const struct {
    std::function<void()> act;
    std::vector<const char*> heard;
    const char* bookkeeping;
  } rows[] = {
      {[] {},
       {"Кабель 1, разъём 1: свободен", "Вход: ничего не подключено. Выход: ничего не подключено.",
        "Рис. 1. Схема исследования модуляционной характеристики\nГенератор стандартных сигналов,",
        "На столе: исследуемый частотный модулятор. Кабель 1: разъём 1 свободен, разъём 2 свободен. Кабель 2:"},
       "10 20 |||"},
      {[&] {
         tabTo(child(MainWindow, "ImgПрибор(1)")),
             QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
         tabTo(table.table()), QTest::keyClick(table.table(), Qt::Key_Enter);
       },
       {"На столе: исследуемый частотный модулятор, генератор стандартных сигналов.",
        "Генератор стандартных сигналов поставлен на стол слева вверху.", "Кабели не подключены."},
       "10 20 |||"},
      {[&] {
         plugByKeys(table.plug(1, 1), "Генератор стандартных сигналов");
         // The menu is read as a part of its plug, not as a window of its own.
         QAccessibleInterface* menu =
             QAccessible::queryAccessibleInterface(table.plug(1, 1)->findChild<QMenu*>());
         EXPECT_EQ(menu->parent()->object(), table.plug(1, 1));
         EXPECT_EQ(menu->child(0)->text(QAccessible::Name), "Генератор стандартных сигналов");
       },
       {"Меню: куда подключить кабель 1, разъём 1",
        "Кабель 1, разъём 1: подключён к генератору стандартных сигналов",
        "Подключены: кабель 1, разъём 1.",
        "Кабель 1: разъём 1 подключён к генератору стандартных сигналов, разъём 2 свободен."},
       "11 20 11|Генератор||"},
      {[&] { plugByKeys(table.plug(1, 2), "Вход модулятора"); },
       {"Кабель 1, разъём 2: подключён к входу модулятора",
        "Вход: кабель 1, разъём 2. Выход: ничего не подключено.",
        "разъём 2 подключён к входу модулятора."},
       "11 20 11|Генератор|Вхд|1Вхд2"},
      {[&] {  // a step to the right: the generator takes its plug, the cable's end follows
         const double left = m.instrumentRect(1).left();
         tabTo(table.instrument(1)), QTest::keyClick(table.instrument(1), Qt::Key_Right);
         EXPECT_EQ(m.instrumentRect(1).left(), left + 150);
         EXPECT_EQ(m.Кабель(1).X1, m.instrumentRect(1).right());
       },
       {"Подключены: кабель 1, разъём 1."},
       "11 20 11|Генератор|Вхд|1Вхд2"},
      {[&] { plugByKeys(table.plug(1, 1), "Вынуть"); },
       {"Кабель 1, разъём 1: свободен"},
       "10 20 ||Вхд|1Вхд2"},
      {[&] { plugByKeys(table.plug(1, 2), "Вынуть"); },
       {"Кабель 1, разъём 2: свободен", "Вход: ничего не подключено."},
       "10 20 |||Вхд"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(&row - rows);
    row.act();
    QStringList said;
    for (const char* name : {"PicРазъем1(1)", "PicРазъем2(1)", "PicИссл4п(0)", "PicСтол",
                             "PicПрибор(1)", "PicСхема"}) {
      QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(child(Assembly, name));
      said << reader->text(QAccessible::Name) << reader->text(QAccessible::Description);
    }
    said << lastNews(table.table());
    for (const char* words : row.heard) EXPECT_TRUE(said.join('\n').contains(words)) << words;
    const QStringList lists{m.СоедПрибора[1], m.ПриборыВх, m.СоедЧМ, m.ВхКабеля(1)};
    EXPECT_EQ(m.plug(1, 1).Tag + ' ' + m.plug(1, 2).Tag + ' ' + lists.join('|'), row.bookkeeping);
  }
  // Taken out, the plugs lie in their stack again, as at the start.
  EXPECT_EQ(std::pair(m.plugRect(1, 1).topLeft(), m.plugRect(1, 2).topLeft()),
            std::pair(QPointF(285, 4035), QPointF(2430, 4035)));
}
}  // namespace
