#pragma once

#include <array>
#include <cstdint>

#include "screen/lab_screen.h"

class PictureBox;
class QGroupBox;
class QLabel;
class QPushButton;
class ReadingCell;

// The modulation characteristic: the student types the millivoltmeter readings noted at the
// nulls of the carrier and of the first side pair; each row gets its amplitude, deviation and
// slope, and the characteristic is plotted with its mirror through the origin.
class frmХарЧМ1 : public LabScreen {
 public:
  explicit frmХарЧМ1(Navigation& hub);
  void load() override;

  // Lays the table out from the row height and the column width.
  void ВидЭкрана();
  // Empties the table and leaves only row 1 open.
  void Новый();
  void optВариант_Click(std::int16_t Index);

 private:
  void createTable();
  void showRow(int row);
  void Text1_Confirmed(int Index);  // Enter or Down arrow in a reading cell
  void Text1_LostFocus(int Index);
  void РасчетСтроки(std::int16_t Index);
  void PicХар_Paint();
  void CmdИХ_Click();
  void CmdДальше_Click();
  void CmdEnd_Click();
  void mnuПредв_Click();

  std::int16_t ЧислоСтрок = 1;    // rows open for input (15 after a refused opening)
  std::int16_t ФлагИХ = 0;        // 1 once the idealized characteristic is asked for
  std::int16_t ВысСтроки = 325;   // row height, twips
  std::int16_t ШирСтолбца = 855;  // column width, twips

  QWidget* Picture2;
  QGroupBox* fraТаблица;
  std::array<QLabel*, 6> Label1{};  // column headers 0..5
  QLabel* Label9;                   // the Δ before "f" in header 3
  // Rows 1..14 (element 0 unused): row number, reading cell, U вх, Δf, mf, S.
  std::array<QLabel*, 15> Label3{};
  std::array<ReadingCell*, 15> Text1{};
  std::array<QLabel*, 15> Label5{};
  std::array<QLabel*, 15> Label6{};
  std::array<QLabel*, 15> Label7{};
  std::array<QLabel*, 15> Label8{};
  // The six controls of a row, in the order above.
  std::array<QWidget*, 6> rowCells(int row) const;
  QPushButton* CmdИХ;
  QPushButton* CmdДальше;
  QPushButton* CmdEnd;
  PictureBox* Picture1;
  PictureBox* PicХар;
};
