#include <gtest/gtest.h>

#include "app/work_state.h"

namespace {

struct BandCase {
  std::int16_t channels;
  double meanPower, effective, peak, index, band;  // mW, MHz, MHz, -, MHz
};

class BandCalculation : public ::testing::TestWithParam<BandCase> {};

// The defaults of the band screen: pk 32 µW, Δfk 200 kHz, F2 2596 kHz.
TEST_P(BandCalculation, WorkedExamplesToFourDecimals) {
  ModЧМ state;
  state.Рез.N = GetParam().channels;
  state.Рез.pk = 32;
  state.Рез.dfk = 200;
  state.Рез.F2 = 2596;
  state.РасчетПолосы();
  EXPECT_EQ(state.Рез.Рср, Currency(GetParam().meanPower));
  EXPECT_EQ(state.Рез.dfэфф, Currency(GetParam().effective));
  EXPECT_EQ(state.Рез.dfпик, Currency(GetParam().peak));
  EXPECT_EQ(state.Рез.mf, Currency(GetParam().index));
  EXPECT_EQ(state.Рез.Пчм, Currency(GetParam().band));
}

INSTANTIATE_TEST_SUITE_P(Channels, BandCalculation,
                         ::testing::Values(BandCase{60, 1.92, 0.2771, 0.9227, 0.3554, 10.1327},
                                           BandCase{1320, 42.24, 1.2998, 4.3283, 1.6673, 20.5525},
                                           BandCase{1920, 61.44, 1.5677, 5.2204, 2.0109, 22.9954}));

TEST(BandCalculation, NegativeInputsStoreNoNotANumber) {
  ModЧМ state;
  state.Рез.N = 60;
  state.Рез.pk = -32;  // negative mean power: its root is taken as 0
  state.Рез.dfk = 200;
  state.Рез.F2 = 2596;
  state.РасчетПолосы();
  EXPECT_EQ(state.Рез.Рср, Currency(-1.92));
  EXPECT_EQ(state.Рез.dfэфф, Currency(0));
  EXPECT_EQ(state.Рез.Пчм, Currency(5.192));  // 2 F2 (1 + 0 + 0) / 1000

  state.Рез.pk = 32;
  state.Рез.dfk = -200;  // negative index: its root is taken as 0
  state.РасчетПолосы();
  EXPECT_EQ(state.Рез.mf, Currency(-0.3554));
  EXPECT_EQ(state.Рез.Пчм, Currency(3.3468));  // 5192 x 0.6446 / 1000
}

TEST(BandCalculation, ZeroUpperFrequencyGivesAZeroIndex) {
  ModЧМ state;
  state.Рез.N = 60;
  state.Рез.pk = 32;
  state.Рез.dfk = 200;
  state.Рез.F2 = 0;
  state.РасчетПолосы();
  EXPECT_EQ(state.Рез.mf, Currency(0));
  EXPECT_EQ(state.Рез.Пчм, Currency(0));
}

}  // namespace
