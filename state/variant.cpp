#include <array>

#include "state/work_state.h"
#include "types/number_text.h"

namespace {

struct ModulatorParameters {
  double boundary;      // ГраницаЛин
  double nonlinearity;  // КоэфНелин
  double inputFactor;   // КоэфUвх, mV
};

// Row k1 = 0..10 of the variant table.
constexpr std::array<ModulatorParameters, 11> kModulators{{
    {2.7, 13, 14},
    {5, 10, 11.5},
    {3, 11, 10},
    {7, 12, 12},
    {3.5, 14, 10.5},
    {9, 15, 9.5},
    {6, 20, 9},
    {10, 12, 12.5},
    {4, 11, 8.5},
    {3, 9, 11},
    {4, 15.5, 14.5},
}};

// Row k2 = 0..10: number of telephone channels.
constexpr std::array<std::int16_t, 11> kChannels{1320, 60,   120,  300,  600, 720,
                                                 1020, 1320, 1920, 1020, 720};

// k = a uniform number in [0, 1) x 10, rounded half to even: 0..10, the ends half as likely.
int drawIndex(const std::function<double()>& rnd) {
  const int k = static_cast<int>(roundHalfEven(rnd() * 10));
  return k < 0 ? 0 : k > 10 ? 10 : k;
}

}  // namespace

void ModЧМ::ВыбратьВариант() {
  const int k1 = drawIndex(rnd);
  const ModulatorParameters& modulator = kModulators[k1];
  ГраницаЛин = modulator.boundary;
  КоэфНелин = modulator.nonlinearity;
  КоэфUвх = modulator.inputFactor;

  // The code keeps the first digit of each draw: " 5" -> field " 5", then "5" + "3" -> "53".
  Рез.Вариант = numberWithSignBlank(k1);
  const int k2 = drawIndex(rnd);
  Рез.N = kChannels[k2];
  Рез.Вариант = Рез.Вариант.toQString().trimmed() + numberPlain(k2);
}
