#include <gtest/gtest.h>

#include "app/work_state.h"

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
      // A negative mean power or index has no root: it is taken as 0, never as NaN.
      {60, -32, 200, 2596, -1.92, 0, 0, 0, 5.192},                    // 2 F2 (1 + 0 + 0) / 1000
      {60, 32, -200, 2596, 1.92, -0.2771, -0.9227, -0.3554, 3.3468},  // 5192 x 0.6446 / 1000
      {60, 32, 200, 0, 1.92, 0.2771, 0.9227, 0, 0},  // no upper frequency: no index
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message()
                 << "N " << row.channels << ", pk " << row.meanPowerPerChannel << ", dfk "
                 << row.deviationPerChannel << ", F2 " << row.upperFrequency);
    ModЧМ state;
    state.Рез.N = row.channels;
    state.Рез.pk = row.meanPowerPerChannel;
    state.Рез.dfk = row.deviationPerChannel;
    state.Рез.F2 = row.upperFrequency;
    state.РасчетПолосы();
    EXPECT_EQ(state.Рез.Рср.raw(), Currency(row.meanPower).raw());
    EXPECT_EQ(state.Рез.dfэфф.raw(), Currency(row.effective).raw());
    EXPECT_EQ(state.Рез.dfпик.raw(), Currency(row.peak).raw());
    EXPECT_EQ(state.Рез.mf.raw(), Currency(row.index).raw());
    EXPECT_EQ(state.Рез.Пчм.raw(), Currency(row.band).raw());
  }
}

}  // namespace
