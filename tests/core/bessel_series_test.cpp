#include "model/bessel_series.h"

#include <gtest/gtest.h>

#include <cmath>

#include "app/work_state.h"

namespace {

double besselThroughSharedCells(int order, double x) {
  ModЧМ state;
  state.Порядок = order;
  state.ИндексМод = x;
  evaluateBessel(state);
  return state.Jn;
}

struct KnownValue {
  int order;
  double x;
  double value;
  double tolerance;  // half a unit of the last digit given
};

class BesselSeriesKnownValues : public ::testing::TestWithParam<KnownValue> {};

TEST_P(BesselSeriesKnownValues, MatchTheTabulatedDigits) {
  const KnownValue& row = GetParam();
  EXPECT_NEAR(besselThroughSharedCells(row.order, row.x), row.value, row.tolerance)
      << "J" << row.order << "(" << row.x << ")";
}

INSTANTIATE_TEST_SUITE_P(
    Values, BesselSeriesKnownValues,
    ::testing::Values(KnownValue{0, 0, 1, 0}, KnownValue{1, 0, 0, 0}, KnownValue{4, 0, 0, 0},
                      KnownValue{0, 1, 0.765198, 5e-7}, KnownValue{1, 1, 0.440051, 5e-7},
                      KnownValue{2, 1, 0.114903, 5e-7}, KnownValue{3, 1, 0.019563, 5e-7},
                      KnownValue{4, 1, 0.002477, 5e-7}, KnownValue{0, 25, 0.0963, 5e-5},
                      KnownValue{1, 25, -0.1254, 5e-5}, KnownValue{4, 25, 0.1323, 5e-5},
                      // The zeros the bench's stages are about.
                      KnownValue{0, 2.404825557695773, 0, 1e-9},
                      KnownValue{1, 3.831705970207512, 0, 1e-9}));

// The ranges the screens use, against the standard library: the bench's orders 0..4 up to
// its largest index 25, the viewer's orders 0..10 up to 20. (The rounding of the terms, which
// grow to about 1e9 before they decay, is multiplied by (x/2)^n / n!: for order 10 near x = 25,
// a point no screen evaluates, it reaches 2.6e-6.)
struct Range {
  int lastOrder;
  int lastHundredths;
};

class BesselSeriesAgainstLibrary : public ::testing::TestWithParam<Range> {};

TEST_P(BesselSeriesAgainstLibrary, StaysWithinTwoMillionths) {
  double worst = 0;
  for (int order = 0; order <= GetParam().lastOrder; ++order) {
    for (int step = 0; step <= GetParam().lastHundredths; ++step) {
      const double x = step / 100.0;
      const double error =
          std::fabs(besselThroughSharedCells(order, x) - std::cyl_bessel_j(order, x));
      worst = std::max(worst, error);
      ASSERT_LT(error, 2e-6) << "J" << order << "(" << x << ")";
    }
  }
  EXPECT_GT(worst, 0);  // the series is a series, not the library function
}

INSTANTIATE_TEST_SUITE_P(Screens, BesselSeriesAgainstLibrary,
                         ::testing::Values(Range{4, 2500}, Range{10, 2000}));

// Every call site runs the protocol, which resets what an earlier evaluation left behind.
TEST(BesselSeries, TheProtocolResetsTheCellsOfTheEvaluationBefore) {
  ModЧМ state;
  state.Порядок = 4;
  state.ИндексМод = 10;
  evaluateBessel(state);
  EXPECT_EQ(state.ФактN, 24);
  EXPECT_EQ(state.Знак, -1);
  EXPECT_LE(std::fabs(state.Член), 1e-9);  // the term that ended the loop

  const double j4 = state.Jn;
  state.Порядок = 0;
  state.ИндексМод = 1;
  evaluateBessel(state);
  EXPECT_EQ(state.ФактN, 1);
  EXPECT_NEAR(state.Jn, 0.765198, 5e-7);
  state.Порядок = 4;
  state.ИндексМод = 10;
  evaluateBessel(state);
  EXPECT_EQ(state.Jn, j4);
}

}  // namespace
