#include <gtest/gtest.h>

#include "state/work_state.h"

namespace {

// Worked examples to four decimals, each value rounded to Currency as soon as it is computed.
TEST(BandCalculation, WorkedExamples) {
  const struct {
    std::int16_t channels, meanPowerPerChannel;      // -, µW
    double deviationPerChannel, upperFrequency;      // kHz, kHz
    double meanPower, effective, peak, index, band;  // mW, MHz, MHz, -, MHz
  } rows[] = {
      // The band screen's defaults: pk 32 µW, Δfk 200 kHz, F2 2596 kHz.
      {60, 32, 200, 2596, 1.92, 0.2771, 0.9227, 0.3554, 10.1327},
      {1320, 32, 200, 2596, 42.24, 1.2998, 4.3283, 1.6673, 20.5525},
      {1920, 32, 200, 2596, 61.44, 1.5677, 5.2204, 2.0109, 22.9954},
      // The mean power in single precision: 1.92f x 32767 = 62912.63671875, not 62912.64.
      {1920, 32767, 200, 2596, 62912.6367, 50.1648, 167.0488, 64.3485, 380.9386},
      // A negative mean power or index has no root: it is taken as 0, never as NaN; no upper
      // frequency, no index.
      {60, -32, 200, 2596, -1.92, 0, 0, 0, 5.192},                    // 2 F2 (1 + 0 + 0) / 1000
      {60, 32, -200, 2596, 1.92, -0.2771, -0.9227, -0.3554, 3.3468},  // 5192 x 0.6446 / 1000
      {60, 32, 200, 0, 1.92, 0.2771, 0.9227, 0, 0}};
  for (const auto& row : rows) {
    ModЧМ state;
    std::tie(state.Рез.N, state.Рез.pk, state.Рез.dfk, state.Рез.F2) = std::tuple(
        row.channels, row.meanPowerPerChannel, row.deviationPerChannel, row.upperFrequency);
    state.РасчетПолосы();
    const Результат& r = state.Рез;
    EXPECT_EQ(
        std::tuple(r.Рср.raw(), r.dfэфф.raw(), r.dfпик.raw(), r.mf.raw(), r.Пчм.raw()),
        std::tuple(Currency(row.meanPower).raw(), Currency(row.effective).raw(),
                   Currency(row.peak).raw(), Currency(row.index).raw(), Currency(row.band).raw()))
        << "N " << row.channels << ", pk " << row.meanPowerPerChannel << ", dfk "
        << row.deviationPerChannel << ", F2 " << row.upperFrequency;
  }
}

}  // namespace
