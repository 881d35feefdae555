#pragma once

#include <QCursor>
#include <QPointF>
#include <array>
#include <map>
#include <memory>

#include "assembly/assembly_model.h"
#include "screen/lab_screen.h"

class DragTracker;
class KeyboardWiring;
class MountingTable;
class PictureControl;
class QLabel;
class QSvgRenderer;

// The mounting table, inside the main window: the student puts the instruments on the table and
// wires them to the modulator with five cables; "Монтаж окончен" checks the circuit.
class FrmМонтаж : public LabScreen {
 public:
  explicit FrmМонтаж(Navigation& hub);
  ~FrmМонтаж() override;
  // Throws PictureError when a picture or pointer file is missing.
  void load() override;

  const AssemblyModel& model() const { return model_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // What lies under the pointer, as far as the mouse events of the table go.
  struct Control {
    enum Kind { Inert, Table, Instrument, Modulator, Plug } kind = Inert;
    int index = 0;  // instrument, or cable of a plug
    int plug = 0;   // 1 or 2
    QWidget* widget = nullptr;
  };

  void buildPanel();
  void buildTable();
  void layOut();
  void loadPictures();
  std::shared_ptr<QSvgRenderer> picture(const QString& name) const;

  void showInstructions();
  void checkAssembly();
  bool pressed(const Control& control, QMouseEvent* event);
  void dragOver(QPointF globalPos);
  void drop(QPointF globalPos);
  Control controlAt(QPointF globalPos) const;
  QPointF twipsIn(const QWidget* widget, QPointF globalPos) const;
  // Makes the controls show what the model holds.
  void syncTable();

  AssemblyModel model_;
  std::map<QString, std::shared_ptr<QSvgRenderer>> pictures_;
  std::map<const QWidget*, Control> controls_;

  QWidget* panel_ = nullptr;
  PictureControl* scheme_ = nullptr;
  QLabel* intro_ = nullptr;
  QLabel* info_ = nullptr;
  MountingTable* table_ = nullptr;
  PictureControl* modulator_ = nullptr;
  std::array<PictureControl*, AssemblyModel::kInstruments + 1> instruments_{};
  std::array<std::array<PictureControl*, 3>, AssemblyModel::kCables + 1> plugs_{};
  std::array<QObject*, AssemblyModel::kCables + 1> lines_{};
  QWidget* button_ = nullptr;
  DragTracker* drag_ = nullptr;
  KeyboardWiring* keyboard_ = nullptr;  // the keys and the screen reader's words

  QCursor handCursor_;  // "Рука.ICO"
  QCursor grabCursor_;  // "РукаВз.ico"
  QPointF lastDragOver_;
  bool dragOverSeen_ = false;
  bool tablePressed_ = false;
  bool infoPressed_ = false;
};
