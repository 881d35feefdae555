#pragma once

#include <QObject>
#include <QPointF>
#include <array>
#include <functional>

#include "assembly/assembly_model.h"

class MountingTable;
class PictureControl;
class QMenu;
class QWidget;

// The mounting table without a mouse and read aloud. Tab reaches "Порядок работы", the table,
// the instruments on it, the plugs and the button; the keys run the same model operations as the
// mouse: Enter on the table is a click there, an arrow on an instrument is a short drag of it,
// and a terminal chosen from a plug's menu is a press on the plug, a drag over that terminal and
// a drop there. Every control gets a Russian accessible name, role and description made from the
// model, renewed whenever the table changes.
class KeyboardWiring : public QObject {
 public:
  struct Controls {
    QWidget* info;  // "Порядок работы"
    QWidget* scheme;
    MountingTable* table;
    PictureControl* modulator;
    std::array<PictureControl*, AssemblyModel::kInstruments + 1> instruments;      // [1..5]
    std::array<std::array<PictureControl*, 3>, AssemblyModel::kCables + 1> plugs;  // [k][p]
    QWidget* button;  // "Монтаж окончен"
  };
  struct Actions {
    std::function<void()> sync;          // the controls show the model again
    std::function<void()> beep;          // a drag-over's sound
    std::function<void()> instructions;  // the "Порядок работы" message
    std::function<bool()> dragging;      // whether the mouse is dragging something now
  };

  KeyboardWiring(QWidget* screen, AssemblyModel& model, const Controls& controls, Actions actions);

  // Names, descriptions and the Tab order after a change of the table.
  void refresh();

  // Where a plug goes from its menu: an instrument 1..5, a terminal of the modulator, or back to
  // where it lay at the start (taken out).
  static constexpr int kInput = -1, kOutput = -2, kTakeOut = 0;
  void movePlug(int k, int p, int to);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void openMenu(int k, int p);
  void moveInstrument(int i, QPoint step);
  void moveKeyboardPoint(QPoint step);
  void placeInstrument();
  QString plugState(int k, int p) const;
  QString tableText() const;

  AssemblyModel& model_;
  Controls controls_;
  Actions actions_;
  QMenu* menu_;
  std::array<std::array<QPointF, 3>, AssemblyModel::kCables + 1> homes_{};  // where plugs lie first
};
