#pragma once

#include <array>
#include <cstdint>

#include "screen/lab_screen.h"

class ImageBox;
class NumberBox;
class QGroupBox;
class QLabel;
class QPushButton;

// The FM band calculation, the last stage of the work: the band occupied by an FM signal that
// carries N telephone channels, two questions to the student, a channel count of the student's
// choice, and the end of the work.
class РасчЧМ : public LabScreen {
 public:
  explicit РасчЧМ(Navigation& hub);
  void load() override;

 private:
  void buildInputs();
  void buildResults();
  void buildChannelChoice();

  void txtГрЧаст_Enter(int index);
  void Txtрк_Enter();
  void Txtdfk_Enter();
  void TxtN_Enter();
  void refuse(const QString& text);

  void ПоказРасчета();
  void Command2_Click();
  void CmdДальше_Click();
  void mnuПорядок_Click();
  void ПодсказкаN();
  void КонецРаботы();

  std::int16_t ВводN = 0;  // 1 once a channel count was confirmed in "N ТЛФ"

  QGroupBox* Frame1;
  NumberBox* Txtрк;
  NumberBox* Txtdfk;
  std::array<NumberBox*, 3> txtГрЧаст{};  // elements 1 and 2: F1 and F2
  QLabel* LblN;
  QPushButton* Command2;
  QGroupBox* Frame2;
  QLabel* LblРср;
  QLabel* Lbldfэ;
  QLabel* Lbldfп;
  QLabel* Lblmf;
  QLabel* LblП;
  std::array<ImageBox*, 5> formulas{};  // Img56, Img55, Img54, Img58, Img57
  QGroupBox* FraN;
  NumberBox* TxtN;
};
