#include "model/fm_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>

#include "app/work_state.h"
#include "model/bessel_plot.h"
#include "model/bessel_series.h"

namespace {

const QLocale kRussian(QLocale::Russian, QLocale::Russia);

// Variant row 0 (КоэфНелин 13, КоэфUвх 14) at the generator's starting 550 kHz.
ModЧМ variant(double index, double boundary = 2.7, double fmod = 550) {
  ModЧМ state;
  state.ГраницаЛин = boundary;
  state.КоэфНелин = 13;
  state.КоэфUвх = 14;
  state.Fmod = fmod;
  state.ИндексМод = index;
  return state;
}

// J_n(x) through the shared cells of one state that every call reuses, as the screens do.
double bessel(int order, double x) {
  static ModЧМ state;
  state.Порядок = order;
  state.ИндексМод = x;
  evaluateBessel(state);
  return state.Jn;
}

TEST(BesselSeries, MatchesTabulatedValuesAndTheZeros) {
  const std::tuple<int, double, double, double> rows[] = {
      // order, x, value, half a unit of the last digit given
      {0, 0, 1, 0},
      {1, 0, 0, 0},
      {4, 0, 0, 0},
      {0, 1, 0.765198, 5e-7},
      {1, 1, 0.440051, 5e-7},
      {2, 1, 0.114903, 5e-7},
      {3, 1, 0.019563, 5e-7},
      {4, 1, 0.002477, 5e-7},
      {0, 25, 0.0963, 5e-5},
      {1, 25, -0.1254, 5e-5},
      {4, 25, 0.1323, 5e-5},
      // The zeros the bench's stages are about.
      {0, 2.404825557695773, 0, 1e-9},
      {1, 3.831705970207512, 0, 1e-9}};
  for (const auto& [order, x, value, tolerance] : rows)
    EXPECT_NEAR(bessel(order, x), value, tolerance) << "J" << order << "(" << x << ")";
}

// The ranges the screens use, against the standard library: the bench's orders 0..4 up to its
// largest index 25, the viewer's orders 0..10 up to 20. (The rounding of the terms, which grow to
// about 1e9 before they decay, is multiplied by (x/2)^n / n!: for order 10 near x = 25, a point
// no screen evaluates, it reaches 2.6e-6.)
TEST(BesselSeries, StaysWithinTwoMillionthsOfTheLibraryOverTheScreensRanges) {
  for (const auto& [lastOrder, lastHundredths] : {std::pair{4, 2500}, {10, 2000}}) {
    for (int order = 0; order <= lastOrder; ++order) {
      for (int step = 0; step <= lastHundredths; ++step) {
        const double x = step / 100.0;
        ASSERT_NEAR(bessel(order, x), std::cyl_bessel_j(order, x), 2e-6)
            << "J" << order << "(" << x << ")";
      }
    }
  }
}

// The boundary test is strict, on the single-precision index (control / 100) widened to
// double: control 270 gives 2.7000000477, already above a boundary of 2.7.
TEST(InputFactor, TakesTheNonlinearTermOnlyAboveTheBoundary) {
  const std::tuple<int, double, bool> rows[] = {{300, 3, false},  {310, 3, true},
                                                {270, 2.7, true}, {260, 2.7, false},
                                                {2500, 10, true}, {0, 2.7, false}};
  for (const auto& [control, boundary, nonlinear] : rows) {
    const double index = indexFromAmplitude(control);
    const float expected = nonlinear ? static_cast<float>(14 + index * index / 1300) : 14.0f;
    EXPECT_EQ(inputFactor(variant(index, boundary)), expected) << control;
  }
}

// Index x КоэфU / 1.41; above the boundary 2.7 КоэфU = 14 + mf² / 1300. The modulating frequency
// does not change the reading.
TEST(Millivoltmeter, ReadsTheInputThroughTheVariantsFactorAtAnyFrequency) {
  const std::tuple<int, double, const char*> rows[] = {
      {0, 0, ","},                   // zero: the separator only
      {10, 0.992908, "1,"},          // 0.1 x 14 / 1.41
      {260, 25.815603, "25,8"},      // 2.6 x 14 / 1.41
      {1000, 99.836334, "99,8"},     // linear would read 99.3
      {2500, 256.751223, "256,8"}};  // linear would read 248.2
  for (const auto& [control, reading, text] : rows) {
    for (double fmod : {100, 550, 1000}) {
      SCOPED_TRACE(testing::Message() << control << " at " << fmod << " kHz");
      const ModЧМ state = variant(indexFromAmplitude(control), 2.7, fmod);
      const double shown = millivoltReading(state, inputFactor(state));
      EXPECT_NEAR(shown, reading, 1e-3);
      EXPECT_EQ(millivoltText(shown, kRussian), QString::fromUtf8(text));
    }
  }
}

TEST(Graticules, HaveTheirLinesAndRedZeroLinesFromTheRunningSums) {
  const auto oscilloscope = oscilloscopeGraticule();
  ASSERT_EQ(oscilloscope.size(), 12u + 11u);
  EXPECT_NEAR(oscilloscope[11].from.y(), 1.2, 1e-12);  // the running sum still reaches 1.2
  EXPECT_TRUE(oscilloscope[5].zero && oscilloscope[12 + 5].zero);  // y ~ 1e-16 and x = 0
  const auto spectrum = spectrumGraticule();
  ASSERT_EQ(spectrum.size(), 9u + 9u);
  EXPECT_TRUE(spectrum[2].from.y() == 0.0 && spectrum[2].zero);  // this sum meets 0 exactly
  EXPECT_EQ(std::count_if(spectrum.begin(), spectrum.end(), [](auto& l) { return l.zero; }), 2);
}

// At index 25 (above the boundary: the LF trace still uses КоэфUвх) and 550 kHz. The HF
// carrier advances 0.15 rad per point from 3.14 whatever the modulation.
TEST(Oscillograms, HaveTheirPointCountsAndEndPoints) {
  const std::tuple<Trace (*)(const ModЧМ&), std::size_t, QPointF, QPointF> rows[] = {
      {lfTrace, 41, {-10, 0}, {10, 25 * 14 / 200.0 * std::sin(40 * 550 / 2000.0)}},
      {hfTrace,
       400,
       {-10, 0.7 * std::sin(3.14)},
       {9.95, 0.7 * std::sin(3.14 + 399 * 0.15 + 2.5 * std::sin(399 * 550 / 20000.0))}}};
  for (const auto& [draw, points, first, last] : rows) {
    const Trace trace = draw(variant(25));
    EXPECT_EQ(trace.start, QPointF(-10, 0));
    ASSERT_EQ(trace.points.size(), points);
    EXPECT_EQ(trace.points.front(), first);
    EXPECT_NEAR(trace.points.back().x(), last.x(), 1e-9);
    EXPECT_NEAR(trace.points.back().y(), last.y(), 1e-9);
  }
}

TEST(Spectrum, HeightsAreMagnitudesOfTheBesselFunctionsAndLeaveTheOrderAtFive) {
  ModЧМ state = variant(0);
  EXPECT_EQ(spectrumHeights(state), (SpectrumHeights{1, 0, 0, 0, 0}));
  EXPECT_EQ(state.Порядок, 5);  // the loop counter past 0..4
  state.ИндексМод = 25;
  const SpectrumHeights heights = spectrumHeights(state);
  EXPECT_NEAR(heights[1], 0.1254, 5e-5);  // J1(25) is negative
  EXPECT_NEAR(heights[4], 0.1323, 5e-5);
}

// 250 kHz per unit of the screen: at 1000 kHz the pairs lie 4 apart, at 550 kHz 2.2 apart.
TEST(Spectrum, PairsLieAtMultiplesOfFmodOver250) {
  const SpectrumHeights heights{0.5, 0.4, 0.3, 0.2, 0.1};
  for (const auto& [fmod, step] : {std::pair{1000.0, 4.0}, {550.0, 2.2}}) {
    std::vector<std::pair<double, double>> lines;  // x, height
    for (const SpectrumLine& line : spectrumLines(heights, fmod))
      lines.emplace_back(line.x, line.height);
    std::sort(lines.begin(), lines.end());
    ASSERT_EQ(lines.size(), 9u);
    for (int n = -4; n <= 4; ++n) {
      EXPECT_NEAR(lines[n + 4].first, n * step, 1e-12) << fmod << " kHz, pair " << n;
      EXPECT_EQ(lines[n + 4].second, heights[std::abs(n)]) << fmod << " kHz, pair " << n;
    }
  }
}

TEST(BesselCurve, Sweeps400PointsOfTheSeriesAndLeavesTheIndexAboveTwenty) {
  ModЧМ state;
  state.Порядок = 2;
  const Trace curve = besselCurve(state);
  EXPECT_EQ(curve.start, QPointF(0, 0));
  ASSERT_EQ(curve.points.size(), 400u);
  EXPECT_NEAR(curve.points.back().x(), 19.95, 1e-9);
  EXPECT_GT(state.ИндексМод, 20);
  EXPECT_LT(state.ИндексМод, 20.001);
  for (const QPointF& p : curve.points) ASSERT_NEAR(p.y(), std::cyl_bessel_j(2, p.x()), 2e-6);
  state.Порядок = 0;
  EXPECT_EQ(besselCurve(state).start, QPointF(0, 1));
}

TEST(TickLabels, HideTheRunningSumsRoundingAndUseTheLocalesSeparator) {
  const std::pair<double, const char*> rows[] = {
      {0.1 + 0.2, " 0,3"}, {-0.7, "-0,7"}, {0.9999999999999999, " 1"}, {0, " 0"}};
  for (const auto& [value, text] : rows) EXPECT_EQ(tickLabel(value, kRussian), text) << value;
  EXPECT_EQ(tickLabel(0.1 + 0.2, QLocale(QLocale::English)), QStringLiteral(" 0.3"));
}

}  // namespace
