#pragma once

#include <QLabel>
#include <QMdiSubWindow>
#include <QTest>
#include <QWidget>

#include "app/work_state.h"
#include "assembly/assembly_screen.h"
#include "support/screen_capture.h"

// Works the mounting table with the mouse, as the student does: palette choices go into the
// shared state (as the main window's palette puts them), everything else is pressing, moving and
// releasing the mouse over the real controls.
class AssemblyDriver {
 public:
  AssemblyDriver(FrmМонтаж* screen, ModЧМ& state) : screen_(screen), state_(state) {}

  QWidget* control(const QString& name) const { return screen_->findChild<QWidget*>(name); }
  QWidget* table() const { return control(QStringLiteral("PicСтол")); }
  QWidget* modulator() const { return control(QStringLiteral("PicИссл4п(0)")); }
  QWidget* instrument(int i) const { return control(QStringLiteral("PicПрибор(%1)").arg(i)); }
  QWidget* plug(int k, int p) const {
    return control(QStringLiteral("PicРазъем%1(%2)").arg(p).arg(k));
  }

  // Palette icon i, then a click on the table at `at` (table pixels).
  void place(int i, QPoint at) {
    state_.НомПрибора = static_cast<std::int16_t>(i);
    state_.ВидОбъекта = QStringLiteral("Приборы");
    QTest::mouseClick(table(), Qt::LeftButton, {}, at);
    settleEvents();
  }

  // Press on `from` at `fromPos`, a move half way, a move to `toPos` on `to`, release there.
  void drag(QWidget* from, QPoint fromPos, QWidget* to, QPoint toPos,
            Qt::MouseButton button = Qt::LeftButton) {
    const QPoint start = from->mapToGlobal(fromPos);
    const QPoint end = to->mapToGlobal(toPos);
    QTest::mousePress(from, button, {}, fromPos);
    QWidget* area = table();
    QTest::mouseMove(area, area->mapFromGlobal((start + end) / 2));
    QTest::mouseMove(to, toPos);
    QTest::mouseRelease(to, button, {}, toPos);
    settleEvents();
  }

  // A free spot of an instrument, away from the corner where its plugs sit.
  static QPoint freeSpot(QWidget* w) { return {w->width() / 2, w->height() / 4}; }
  void plugInto(int k, int p, int i) {
    drag(plug(k, p), {10, 8}, instrument(i), freeSpot(instrument(i)));
  }
  // Below the label ЧМ is the input, above it the output.
  void plugToInput(int k, int p) { drag(plug(k, p), {10, 8}, modulator(), {45, 100}); }
  void plugToOutput(int k, int p) { drag(plug(k, p), {10, 8}, modulator(), {10, 30}); }

  // All five instruments on the table, wired as the scheme shows.
  void assembleEverything() {
    place(1, {120, 60});
    place(2, {120, 150});
    place(3, {250, 215});
    place(4, {560, 60});
    place(5, {610, 180});
    plugInto(1, 1, 1);
    plugToInput(1, 2);
    plugInto(2, 1, 2);
    plugToInput(2, 2);
    plugInto(3, 1, 3);
    plugToInput(3, 2);
    plugToOutput(4, 1);
    plugInto(4, 2, 4);
    plugToOutput(5, 1);
    plugInto(5, 2, 5);
  }

  // Lets the main window show the whole table at its design size.
  void showWhole() {
    QWidget* main = screen_->window();
    main->resize(900, 640);
    if (auto* frame = qobject_cast<QMdiSubWindow*>(screen_->parentWidget())) {
      frame->move(0, 0);
      frame->resize(frame->size() - screen_->size() + QSize(800, 520));
    }
    settleEvents();
  }

 private:
  FrmМонтаж* screen_;
  ModЧМ& state_;
};
