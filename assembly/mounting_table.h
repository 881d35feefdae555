#pragma once

#include <QWidget>

class AssemblyModel;

// The white mounting table: it draws the cable lines where the model has their ends; the
// instruments, plugs and the modulator are its child controls and lie over the lines.
class MountingTable : public QWidget {
 public:
  MountingTable(QWidget* parent, const AssemblyModel& model);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const AssemblyModel& model_;
};
