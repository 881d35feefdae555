#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "model/fm_model.h"
#include "screen/lab_screen.h"

class ClickableLabel;
class PictureBox;
class QLabel;
class QPushButton;
class QScrollBar;
class ValueLabel;

// The research bench: a generator with amplitude and frequency controls, a millivoltmeter, the
// LF and HF oscilloscopes and the spectrum analyzer around the FM modulator under test, with
// the three stages of the work in its menu.
class FrmИсслЧМ1 : public LabScreen {
 public:
  explicit FrmИсслЧМ1(Navigation& hub);
  void load() override;

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void buildGenerator();
  void buildMillivoltmeter();
  void buildLfOscilloscope();
  void buildHfOscilloscope();
  void buildSpectrumAnalyzer();
  void buildMenu();

  // An instrument with a power switch: its screen and switch, its flag, its graticule, the scale
  // labels shown while it is on, and the paint procedure that draws its trace at once when it is
  // switched on (none: the next change or repaint draws it).
  struct Instrument {
    PictureBox* screen;
    ClickableLabel* power;
    std::int16_t FrmИсслЧМ1::*on;
    ScreenScale scale;
    std::vector<GridLine> (*graticule)();
    std::vector<QLabel*> scales;
    void (FrmИсслЧМ1::*paintAtSwitchOn)();
  };

  void Form_Activate();
  // The index of the amplitude control: every handler that draws or reads starts from it, since
  // the viewer sweeps the shared ИндексМод without the bench being activated again.
  void takeIndexFromAmplitude();
  void HScrUвх_Change();
  void HScrFmod_Change();
  void switchPower(const Instrument& instrument);
  void PicОсцНЧ_Paint();
  void PicОсцВЧ_Paint();
  void PicСпектр_Paint();
  void mnuЭтап_Click(int index);
  void mnuБесс_Click();

  void Показания();
  void РасчКоэфU();
  void ПостроитьСпектр();
  // An instrument screen's text alternative: what it shows now.
  void describeScreen(PictureBox* screen, const QString& text);
  void describeGenerator();

  QScrollBar* HScrUвх = nullptr;
  QScrollBar* HScrFmod = nullptr;
  ValueLabel* LblFm = nullptr;
  ValueLabel* LblUвх = nullptr;
  PictureBox* PicОсцНЧ = nullptr;
  PictureBox* PicОсцВЧ = nullptr;
  PictureBox* PicСпектр = nullptr;
  QLabel* LblYНЧ = nullptr;
  QLabel* LblYСА = nullptr;
  QLabel* LblХСА = nullptr;
  ClickableLabel* LblВклНЧ = nullptr;
  ClickableLabel* LblвклВЧ = nullptr;
  ClickableLabel* LblвклСА = nullptr;
  QLabel* Label6 = nullptr;
  QPushButton* CmdNext = nullptr;
  std::array<QAction*, 3> mnuЭтап{};
  std::vector<Instrument> instruments_;  // LF and HF oscilloscopes, spectrum analyzer

  std::int16_t ВклНЧ = 0;  // LF oscilloscope on
  std::int16_t ВклВЧ = 0;  // HF oscilloscope on
  std::int16_t ВклСА = 0;  // spectrum analyzer on
  float КоэфU = 0;         // input amplitude per unit index, mV

  // The spectrum last computed, which a repaint of the analyzer's screen shows again.
  std::vector<SpectrumLine> spectrum_;
  SpectrumHeights heights_{};
};
