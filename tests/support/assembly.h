#pragma once

#include <QApplication>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTest>

#include "assembly/assembly_screen.h"
#include "assembly/mounting_table.h"
#include "support/assembly_faults.h"
#include "support/lab.h"

// Works the mounting table with the mouse, as the student does: palette choices go into the
// shared state (as the main window's palette puts them), the rest is pressing, moving and
// releasing the mouse over the real controls.
class AssemblyDriver {
 public:
  // Where the five instruments are placed on the table (table pixels).
  static constexpr QPoint kSpots[] = {{120, 60}, {120, 150}, {250, 215}, {560, 60}, {610, 180}};
  AssemblyDriver(FrmМонтаж* screen, ModЧМ& state) : screen_(screen), state_(state) {}
  QWidget* control(const QString& name) const { return screen_->findChild<QWidget*>(name); }
  QWidget* table() const { return control(QStringLiteral("PicСтол")); }
  QWidget* instrument(int i) const { return control(QStringLiteral("PicПрибор(%1)").arg(i)); }
  QWidget* plug(int k, int p) const { return control(QString("PicРазъем%1(%2)").arg(p).arg(k)); }
  void place(int i, QPoint at) {
    state_.НомПрибора = static_cast<std::int16_t>(i), state_.ВидОбъекта = "Приборы";
    QTest::mouseClick(table(), Qt::LeftButton, {}, at), settleEvents();
  }
  void drag(QWidget* from, QPoint fromPos, QWidget* to, QPoint toPos) {
    const QPoint start = from->mapToGlobal(fromPos), end = to->mapToGlobal(toPos);
    QTest::mousePress(from, Qt::LeftButton, {}, fromPos);
    QTest::mouseMove(table(), table()->mapFromGlobal((start + end) / 2));
    QTest::mouseMove(to, toPos);
    QTest::mouseRelease(to, Qt::LeftButton, {}, toPos);
    settleEvents();
  }
  // Into an instrument away from its plugs' corner.
  void plugInto(int k, int p, int i) {
    drag(plug(k, p), {10, 8}, instrument(i),
         {instrument(i)->width() / 2, instrument(i)->height() / 4});
  }
  // The cables as the scheme shows them, the instruments already on the table: below the label
  // ЧМ the modulator's input, above it its output.
  void wireEverything() {
    QWidget* modulator = control(QStringLiteral("PicИссл4п(0)"));
    for (int k = 1; k <= 5; ++k) {
      plugInto(k, k <= 3 ? 1 : 2, k);
      drag(plug(k, k <= 3 ? 2 : 1), {10, 8}, modulator, k <= 3 ? QPoint(45, 100) : QPoint(10, 30));
    }
  }
  // The whole table at its design size in the main window.
  void showWhole() {
    screen_->window()->resize(900, 640);
    if (auto* frame = qobject_cast<QMdiSubWindow*>(screen_->parentWidget()))
      frame->setGeometry(QRect(QPoint(), frame->size() - screen_->size() + QSize(800, 520)));
    settleEvents();
  }

 private:
  FrmМонтаж* screen_;
  ModЧМ& state_;
};

// Presses Tab until the control has the focus, at most a round of the chain. (The offscreen
// platform leaves a closed menu the active window; a desktop does not.)
inline void tabTo(QWidget* control) {
  if (!control->isActiveWindow()) control->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(control->window()));
  for (int n = 0; n < 40 && QApplication::focusWidget() != control; ++n)
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), control) << control->objectName().toStdString();
}

// Opens the focused plug's menu with Enter and picks the item by arrow keys and Enter.
inline void plugByKeys(QWidget* plug, const QString& item) {
  tabTo(plug), QTest::keyClick(plug, Qt::Key_Return);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr);
  for (int n = 0; n < 9 && !(menu->activeAction() && menu->activeAction()->text() == item); ++n)
    QTest::keyClick(menu, Qt::Key_Down);
  QTest::keyClick(menu, Qt::Key_Return), settleEvents();
}

// Puts the five instruments from the main window's palette on the table and wires every
// cable as the scheme shows, with key events only.
inline void assembleByKeyboard(QWidget* mainWindow, FrmМонтаж* screen) {
  ModЧМ unused;  // the table at the size the mouse road gives it, so the spots are the same
  AssemblyDriver(screen, unused).showWhole();
  auto control = [&](QString s, int n) { return mainWindow->findChild<QWidget*>(s.arg(n)); };
  auto* table = dynamic_cast<MountingTable*>(screen->findChild<QWidget*>("PicСтол"));
  for (int i = 1; i <= 5; ++i) {
    tabTo(control("ImgПрибор(%1)", i)), QTest::keyClick(control("ImgПрибор(%1)", i), Qt::Key_Space);
    tabTo(table);
    const QPoint spot = AssemblyDriver::kSpots[i - 1];
    for (int n = 0; n < 200 && table->keyboardPoint() != spot; ++n) {
      const QPoint d = spot - table->keyboardPoint();
      const Qt::Key x = d.x() > 0 ? Qt::Key_Right : Qt::Key_Left,
                    y = d.y() > 0 ? Qt::Key_Down : Qt::Key_Up;
      QTest::keyClick(table, d.x() ? x : y,
                      std::abs(d.x() ? d.x() : d.y()) < 10 ? Qt::ControlModifier : Qt::NoModifier);
    }
    QTest::keyClick(table, Qt::Key_Return);
  }
  for (int k = 1; k <= 5; ++k) {
    const auto plug = [&](int p) { return control(QStringLiteral("PicРазъем%1(%2)").arg(p), k); };
    plugByKeys(plug(k <= 3 ? 1 : 2), control("PicПрибор(%1)", k)->accessibleName());
    plugByKeys(plug(k <= 3 ? 2 : 1), k <= 3 ? "Вход модулятора" : "Выход модулятора");
  }
}
