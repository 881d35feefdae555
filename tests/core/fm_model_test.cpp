#include "model/fm_model.h"

#include <gtest/gtest.h>

#include <QLineF>
#include <algorithm>
#include <cmath>
#include <tuple>

#include "model/bessel_plot.h"
#include "model/bessel_series.h"
#include "state/work_state.h"

namespace {

// Variant row 0 (КоэфНелин 13, КоэфUвх 14) at the generator's starting 550 kHz.
ModЧМ variant(double index, double boundary = 2.7, double fmod = 550) {
  ModЧМ state;
  std::tie(state.ГраницаЛин, state.КоэфНелин, state.КоэфUвх, state.Fmod, state.ИндексМод) =
      std::tuple(boundary, 13, 14, fmod, index);
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

// Tabulated values to the digits given, the zeros the bench's stages are about, and the ranges
// the screens use against the standard library: the bench's orders 0..4 up to its largest index
// 25, the viewer's orders 0..10 up to 20. (The rounding of the terms, which grow to about 1e9
// before they decay, is multiplied by (x/2)^n / n!: for order 10 near x = 25, a point no screen
// evaluates, it reaches 2.6e-6.)
TEST(BesselSeries, MatchesTablesTheZerosAndTheLibrary) {
  const std::tuple<int, double, double, double> rows[] = {{0, 0, 1, 0},
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
                                                          {0, 2.404825557695773, 0, 1e-9},
                                                          {1, 3.831705970207512, 0, 1e-9}};
  for (const auto& [order, x, value, tolerance] : rows)
    EXPECT_NEAR(bessel(order, x), value, tolerance) << "J" << order << "(" << x << ")";
  for (const auto& [lastOrder, lastHundredths] : {std::pair{4, 2500}, {10, 2000}})
    for (int order = 0; order <= lastOrder; ++order)
      for (int step = 0; step <= lastHundredths; ++step)
        ASSERT_NEAR(bessel(order, step / 100.0), std::cyl_bessel_j(order, step / 100.0), 2e-6)
            << "J" << order << "(" << step / 100.0 << ")";
}

// The boundary test is strict, on the single-precision index (control / 100) widened to double:
// control 270 gives 2.7000000477, already above a boundary of 2.7. Above it КоэфU = КоэфUвх +
// mf² / (100 КоэфНелин); the millivoltmeter reads index x КоэфU / 1.41 whatever the modulating
// frequency.
TEST(Millivoltmeter, ReadsTheInputThroughTheVariantsFactorAtAnyFrequency) {
  const std::tuple<int, double, bool> boundaries[] = {
      {300, 3, false}, {310, 3, true}, {270, 2.7, true}, {260, 2.7, false}, {2500, 10, true}};
  for (const auto& [control, boundary, nonlinear] : boundaries) {
    const double index = indexFromAmplitude(control);
    const float expected = nonlinear ? static_cast<float>(14 + index * index / 1300) : 14.0f;
    EXPECT_EQ(inputFactor(variant(index, boundary)), expected) << control;
  }
  const std::tuple<int, double, const char*> readings[] = {
      {0, 0, ","},                   // zero: the separator only
      {10, 0.992908, "1,"},          // 0.1 x 14 / 1.41
      {260, 25.815603, "25,8"},      // 2.6 x 14 / 1.41
      {1000, 99.836334, "99,8"},     // linear would read 99.3
      {2500, 256.751223, "256,8"}};  // linear would read 248.2
  for (const auto& [control, reading, text] : readings) {
    for (double fmod : {100, 550, 1000}) {
      const ModЧМ state = variant(indexFromAmplitude(control), 2.7, fmod);
      const double shown = millivoltReading(state, inputFactor(state));
      EXPECT_NEAR(shown, reading, 1e-3) << control << " at " << fmod << " kHz";
      EXPECT_EQ(shown, state.ИндексМод * double(inputFactor(state)) / 1.41);  // not in singles
      EXPECT_EQ(millivoltText(shown, QLocale(QLocale::Russian)), QString::fromUtf8(text));
    }
  }
}

// At index 25 (above the boundary: the LF trace still uses КоэфUвх) and 550 kHz. The HF carrier
// advances 0.15 rad per point from 3.14 whatever the modulation.
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
    EXPECT_NEAR(QLineF(trace.points.back(), last).length(), 0, 1e-9);
  }
}

// The heights are |J0..J4| at the index (the order is left at 5); the pairs lie at ±n Fmod / 250:
// at 1000 kHz 4 apart, at 550 kHz 2.2 apart.
TEST(Spectrum, HasTheBesselMagnitudesAtMultiplesOfFmodOver250) {
  ModЧМ state = variant(0);
  EXPECT_EQ(spectrumHeights(state), (SpectrumHeights{1, 0, 0, 0, 0}));
  EXPECT_EQ(state.Порядок, 5);
  state.ИндексМод = 25;
  const SpectrumHeights heights = spectrumHeights(state);
  EXPECT_NEAR(heights[1], 0.1254, 5e-5);  // J1(25) is negative
  EXPECT_NEAR(heights[4], 0.1323, 5e-5);
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

// The viewer's curve: 400 points of the series from x = 0 by a running sum of 0.05, which leaves
// the index just above 20; its labels hide the sum's rounding and use the locale's separator.
TEST(BesselViewer, SweepsItsCurveAndLabelsItsTicks) {
  ModЧМ state;
  state.Порядок = 2;
  const Trace curve = besselCurve(state);
  EXPECT_EQ(curve.start, QPointF(0, 0));
  ASSERT_EQ(curve.points.size(), 400u);
  EXPECT_NEAR(curve.points.back().x(), 19.95, 1e-9);
  EXPECT_TRUE(state.ИндексМод > 20 && state.ИндексМод < 20.001) << state.ИндексМод;
  for (const QPointF& p : curve.points) ASSERT_NEAR(p.y(), std::cyl_bessel_j(2, p.x()), 2e-6);
  state.Порядок = 0;
  EXPECT_EQ(besselCurve(state).start, QPointF(0, 1));
  const std::pair<double, const char*> labels[] = {
      {0.1 + 0.2, " 0,3"}, {-0.7, "-0,7"}, {0.9999999999999999, " 1"}, {0, " 0"}};
  for (const auto& [value, text] : labels)
    EXPECT_EQ(tickLabel(value, QLocale(QLocale::Russian)), text) << value;
  EXPECT_EQ(tickLabel(0.1 + 0.2, QLocale(QLocale::English)), QStringLiteral(" 0.3"));
}

}  // namespace
