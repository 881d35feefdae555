#pragma once

#include <QWidget>

class AssemblyModel;

// The white mounting table: it draws the cable lines where the model has their ends; the
// instruments, plugs and the modulator are its child controls and lie over the lines. It also
// keeps the point where Enter puts the chosen instrument.
class MountingTable : public QWidget {
 public:
  MountingTable(QWidget* parent, const AssemblyModel& model);

  QPoint keyboardPoint() const { return keyboardPoint_; }  // pixels of the table
  void setKeyboardPoint(QPoint at);  // shown by a cross while the table has the focus

 protected:
  void paintEvent(QPaintEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  const AssemblyModel& model_;
  QWidget* pointMark_;
  QPoint keyboardPoint_{150, 100};  // in the free left part of the table at its design size
};
