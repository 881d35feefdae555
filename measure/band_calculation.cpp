#include <cmath>

#include "state/work_state.h"

namespace {

// A result as Currency; a value that is not a number (the root of a negative mean power or
// index, a division by a zero frequency) is stored as 0 rather than as garbage.
Currency currencyOrZero(double value) { return Currency::fromDouble(value).value_or(Currency()); }

double squareRoot(double value) { return value < 0 ? std::nan("") : std::sqrt(value); }

}  // namespace

// The band occupied by an FM signal that carries N telephone channels. Every quantity is
// rounded to Currency (four decimals, half to even) as soon as it is computed.
void ModЧМ::РасчетПолосы() {
  Результат& r = Рез;
  // Mean power of the multichannel signal, mW (pk in µW); computed in single precision.
  const float meanPower = static_cast<float>(r.N) / 1000.0f * static_cast<float>(r.pk);
  r.Рср = currencyOrZero(meanPower);
  // Effective and peak deviation, MHz (dfk in kHz).
  r.dfэфф = currencyOrZero(r.dfk.toDouble() * squareRoot(r.Рср.toDouble()) / 1000);
  r.dfпик = currencyOrZero(r.dfэфф.toDouble() * 3.33);
  // Modulation index: 1000 x dfпик is an exact Currency product; the quotient is floating.
  const Currency peakKhz = Currency(1000) * r.dfпик;
  r.mf = r.F2.raw() == 0 ? Currency() : currencyOrZero(peakKhz.toDouble() / r.F2.toDouble());
  // Band, MHz: Carson's rule with the root term, 2 F2 (1 + mf + sqrt(mf)).
  const Currency root = currencyOrZero(squareRoot(r.mf.toDouble()));
  const Currency product = (Currency(2) * r.F2) * (Currency(1) + r.mf + root);
  r.Пчм = currencyOrZero(product.toDouble() / 1000);
}
