#pragma once

#include <QString>
#include <cstdint>
#include <functional>

#include "state/result_record.h"

// The shared work state: every variable that more than one screen needs lives here for the
// whole run, under the system's own names. Default-constructed is the state at start-up.
struct ModЧМ {
  ModЧМ();

  Результат Рез;

  // Variant parameters of the modulator (set by ВыбратьВариант).
  double ГраницаЛин = 0;  // index up to which the modulator is linear
  double КоэфНелин = 0;   // coefficient of the non-linear growth of the input amplitude
  double КоэфUвх = 0;     // input amplitude per unit of modulation index, mV

  // Arguments, working cells and result of the Bessel series (shared by bench and viewer).
  double ФактN = 0;
  double ФактK = 0;
  double ПроизвNK = 0;
  double СуммаРяда = 0;
  double Порядок = 0;
  double ИндексМод = 0;
  double КвПолуарг = 0;
  double НомЧлена = 0;
  double Jn = 0;
  double Знак = 0;
  double ЗнакK = 0;
  double Член = 0;

  double Fmod = 0;  // modulating frequency of the bench generator, kHz

  std::int16_t Предв = 0;       // non-zero: the main window opens the report
  std::int16_t НомПрибора = 0;  // instrument last chosen, 1..6; 0 before the first choice
  QString ВидОбъекта;           // "Приборы" or "Кабели": what is handled on the table
  QString ИмяФайла;             // results file chosen in the open dialog
  QString Заголовок;            // caption of the main window

  // Every uniform draw in [0, 1) goes through here. The default re-seeds a generator from the
  // clock before each draw, as the variant draw requires; tests put in their own source.
  std::function<double()> rnd;

  // The module routines.
  void ВыбратьВариант();
  void ФункцияБесселя();
  void РасчетПолосы();
  FileStatus ЗаписатьРезультат();
  FileStatus СчитатьРезультат();
};
