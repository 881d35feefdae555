#pragma once

#include <QMdiSubWindow>
#include <QTest>

#include "assembly/assembly_screen.h"
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

// The whole table put together with the keyboard: the five instruments from the palette, then
// every cable as the scheme shows it.
// Temporary: works with the mouse for now; replaced at merge by the key-only version.
inline void assembleByKeyboard(QWidget* mainWindow, FrmМонтаж* screen) {
  ModЧМ unused;
  AssemblyDriver table(screen, unused);
  table.showWhole();
  for (int i = 1; i <= 5; ++i) {
    QTest::mouseClick(mainWindow->findChild<QWidget*>(QStringLiteral("ImgПрибор(%1)").arg(i)),
                      Qt::LeftButton, {}, QPoint(8, 8));
    QTest::mouseClick(table.table(), Qt::LeftButton, {}, AssemblyDriver::kSpots[i - 1]);
  }
  table.wireEverything();
}
