#include "model/bessel_series.h"

#include <cmath>

#include "state/work_state.h"

// J_n(x) by its power series, over the shared cells (x = ИндексМод, n = Порядок):
//   J_n(x) = (x/2)^n / n! * sum_{k>=0} (-1)^k (x/2)^(2k) / (k! (n+1)(n+2)...(n+k)).
// The loop adds the terms k >= 1 to СуммаРяда (which the caller zeroes) until the first term
// whose magnitude is not above 1e-9 (absolute), that term included; the k = 0 term is the
// "+ 1" of the last line. For x up to 25 the terms grow to about 1e9 before they decay, which
// still leaves the sum within 2e-6 of J_n in double precision.
void ModЧМ::ФункцияБесселя() {
  КвПолуарг = std::pow(ИндексМод / 2, 2);
  НомЧлена = 0;
  ФактK = 1;
  ПроизвNK = 1;
  ЗнакK = 1;
  do {
    НомЧлена = НомЧлена + 1;
    ФактK = ФактK * НомЧлена;
    ПроизвNK = ПроизвNK * (НомЧлена + Порядок);
    ЗнакK = ЗнакK * Знак;
    Член = ((std::pow(КвПолуарг, НомЧлена) * ЗнакK) / ФактK) / ПроизвNK;
    СуммаРяда = СуммаРяда + Член;
  } while (std::fabs(Член) > 1e-9);
  Jn = std::pow(ИндексМод / 2, Порядок) * (СуммаРяда + 1) / ФактN;
}

void evaluateBessel(ModЧМ& state) {
  state.СуммаРяда = 0;
  state.ФактN = 1;
  state.Знак = -1;
  if (state.Порядок > 1) {
    for (state.НомЧлена = 1; state.НомЧлена <= state.Порядок; state.НомЧлена = state.НомЧлена + 1) {
      state.ФактN = state.ФактN * state.НомЧлена;
    }
  }
  state.ФункцияБесселя();
}
