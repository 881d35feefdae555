#pragma once

#include "screen/lab_screen.h"

class PictureBox;
class QLabel;
class QScrollBar;

// The Bessel function viewer: J_0..J_10 over 0..20 with a grid, the five thin curves of
// orders 0..4 and the order chosen by the scrollbar highlighted. It works on the shared
// series cells: ИндексМод is the abscissa of every point, Порядок the highlighted order.
class FrmБессель : public LabScreen {
 public:
  explicit FrmБессель(Navigation& hub);
  void load() override;

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void Form_Activate();
  void picБессель_Paint();
  void HScrlПорядок_Change();
  void ОсиБессель();
  void КриваяJn();
  void ПоказатьПорядок();

  PictureBox* picБессель = nullptr;
  QScrollBar* HScrlПорядок = nullptr;
  QLabel* Label2 = nullptr;
};
