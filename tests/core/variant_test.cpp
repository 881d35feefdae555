#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <random>
#include <set>

#include "app/work_state.h"

namespace {

// A source that hands out the given numbers in turn.
std::function<double()> sequence(std::deque<double> numbers) {
  return [numbers]() mutable {
    const double next = numbers.front();
    numbers.pop_front();
    return next;
  };
}

struct ModulatorRow {
  double draw;
  double boundary, nonlinearity, inputFactor;
};

class VariantModulator : public ::testing::TestWithParam<ModulatorRow> {};

TEST_P(VariantModulator, FirstDrawSetsTheModulatorParameters) {
  ModЧМ state;
  state.rnd = sequence({GetParam().draw, 0.0});
  state.ВыбратьВариант();
  EXPECT_DOUBLE_EQ(state.ГраницаЛин, GetParam().boundary);
  EXPECT_DOUBLE_EQ(state.КоэфНелин, GetParam().nonlinearity);
  EXPECT_DOUBLE_EQ(state.КоэфUвх, GetParam().inputFactor);
}

// Draws picked so that x 10 lands on each k1 (0.25 -> 2.5 -> 2 and 0.35 -> 3.5 -> 4: halves to
// even).
INSTANTIATE_TEST_SUITE_P(
    Rows, VariantModulator,
    ::testing::Values(ModulatorRow{0.0, 2.7, 13, 14}, ModulatorRow{0.1, 5, 10, 11.5},
                      ModulatorRow{0.25, 3, 11, 10}, ModulatorRow{0.3, 7, 12, 12},
                      ModulatorRow{0.35, 3.5, 14, 10.5}, ModulatorRow{0.5, 9, 15, 9.5},
                      ModulatorRow{0.6, 6, 20, 9}, ModulatorRow{0.7, 10, 12, 12.5},
                      ModulatorRow{0.8, 4, 11, 8.5}, ModulatorRow{0.9, 3, 9, 11},
                      ModulatorRow{0.96, 4, 15.5, 14.5}));

struct ChannelRow {
  double draw;
  int channels;
};

class VariantChannels : public ::testing::TestWithParam<ChannelRow> {};

TEST_P(VariantChannels, SecondDrawSetsTheChannelCount) {
  ModЧМ state;
  state.rnd = sequence({0.5, GetParam().draw});
  state.ВыбратьВариант();
  EXPECT_EQ(state.Рез.N, GetParam().channels);
}

INSTANTIATE_TEST_SUITE_P(Rows, VariantChannels,
                         ::testing::Values(ChannelRow{0.01, 1320}, ChannelRow{0.1, 60},
                                           ChannelRow{0.2, 120}, ChannelRow{0.3, 300},
                                           ChannelRow{0.4, 600}, ChannelRow{0.5, 720},
                                           ChannelRow{0.6, 1020}, ChannelRow{0.7, 1320},
                                           ChannelRow{0.8, 1920}, ChannelRow{0.9, 1020},
                                           ChannelRow{0.99, 720}));

struct CodeRow {
  double first, second;
  const char* code;
};

class VariantCode : public ::testing::TestWithParam<CodeRow> {};

TEST_P(VariantCode, KeepsTheFirstDigitOfEachDraw) {
  ModЧМ state;
  state.rnd = sequence({GetParam().first, GetParam().second});
  state.ВыбратьВариант();
  EXPECT_EQ(state.Рез.Вариант.toQString(), QString::fromLatin1(GetParam().code));
}

INSTANTIATE_TEST_SUITE_P(Codes, VariantCode,
                         ::testing::Values(CodeRow{0.5, 0.3, "53"}, CodeRow{0.0, 0.99, "01"},
                                           CodeRow{0.99, 0.3, "13"}, CodeRow{0.1, 0.3, "13"},
                                           CodeRow{0.99, 0.99, "11"}, CodeRow{0.0, 0.0, "00"}));

TEST(Variant, EveryDrawReplacesTheLastOne) {
  ModЧМ state;
  state.rnd = sequence({0.0, 0.1, 0.7, 0.8});
  state.ВыбратьВариант();
  state.ВыбратьВариант();
  EXPECT_DOUBLE_EQ(state.ГраницаЛин, 10);
  EXPECT_EQ(state.Рез.N, 1920);
  EXPECT_EQ(state.Рез.Вариант.toQString(), QStringLiteral("78"));
}

TEST(Variant, ChancesOverManyDraws) {
  std::mt19937_64 generator(20261206);
  std::uniform_real_distribution<double> uniform(0.0, 1.0);
  ModЧМ state;
  state.rnd = [&] { return uniform(generator); };
  const std::set<int> allowed{60, 120, 300, 600, 720, 1020, 1320, 1920};
  std::map<double, int> boundaries;
  std::map<int, int> channels;
  constexpr int kDraws = 200000;
  for (int i = 0; i < kDraws; ++i) {
    state.ВыбратьВариант();
    ASSERT_TRUE(allowed.count(state.Рез.N)) << state.Рез.N;
    ++channels[state.Рез.N];
    ++boundaries[state.КоэфUвх];  // КоэфUвх tells the rows apart
  }
  // k1 = 0 (КоэфUвх 14) and k1 = 10 (14.5) each about one time in twenty; k1 = 5 one in ten.
  EXPECT_NEAR(boundaries[14] / double(kDraws), 0.05, 0.004);
  EXPECT_NEAR(boundaries[14.5] / double(kDraws), 0.05, 0.004);
  EXPECT_NEAR(boundaries[9.5] / double(kDraws), 0.10, 0.004);
  EXPECT_NEAR(channels[1020] / double(kDraws), 0.20, 0.005);
  EXPECT_NEAR(channels[1320] / double(kDraws), 0.15, 0.005);
  EXPECT_NEAR(channels[720] / double(kDraws), 0.15, 0.005);
  EXPECT_NEAR(channels[60] / double(kDraws), 0.10, 0.005);
}

TEST(Variant, DefaultSourceGivesNumbersInTheUnitInterval) {
  ModЧМ state;
  for (int i = 0; i < 1000; ++i) {
    const double x = state.rnd();
    ASSERT_GE(x, 0.0);
    ASSERT_LT(x, 1.0);
  }
}

}  // namespace
