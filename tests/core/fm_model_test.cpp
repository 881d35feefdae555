#include "model/fm_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>

#include "app/work_state.h"
#include "model/bessel_plot.h"

namespace {

const QLocale kRussian(QLocale::Russian, QLocale::Russia);
const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);

// Variant row 0 (КоэфНелин 13, КоэфUвх 14) at the generator's starting 550 kHz.
ModЧМ variant(double index, double boundary = 2.7) {
  ModЧМ state;
  state.ГраницаЛин = boundary;
  state.КоэфНелин = 13;
  state.КоэфUвх = 14;
  state.Fmod = 550;
  state.ИндексМод = index;
  return state;
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

TEST(Millivoltmeter, ShowsTheReadingThroughItsPattern) {
  const std::tuple<int, float, const char*, const char*> rows[] = {
      {0, 14, ",", "."},           // zero: the separator only
      {10, 14, "1,", "1."},        // 0.1 x 14 / 1.41 = 0.993
      {500, 0, ",", "."},          // КоэфU not yet computed
      {240, 9.5, "16,2", "16.2"},  // 2.4 x 9.5 / 1.41 = 16.17
      {2500, 14.48077f, "256,8", "256.8"}};
  for (const auto& [control, factor, russian, english] : rows) {
    const double reading = millivoltReading(variant(indexFromAmplitude(control)), factor);
    EXPECT_EQ(millivoltText(reading, kRussian), QString::fromUtf8(russian));
    EXPECT_EQ(millivoltText(reading, kEnglish), QString::fromUtf8(english));
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

TEST(Spectrum, PairsLieAtMultiplesOfFmodOver250) {
  const SpectrumHeights heights{0.5, 0.4, 0.3, 0.2, 0.1};
  std::vector<double> xs;
  for (const SpectrumLine& line : spectrumLines(heights, 1000)) {
    EXPECT_EQ(line.height, heights[static_cast<std::size_t>(std::fabs(line.x) / 4)]);
    xs.push_back(line.x);
  }
  std::sort(xs.begin(), xs.end());
  EXPECT_EQ(xs, (std::vector<double>{-16, -12, -8, -4, 0, 4, 8, 12, 16}));
  EXPECT_EQ(spectrumLines(heights, 550)[8].x, -8.8);
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
  EXPECT_EQ(tickLabel(0.1 + 0.2, kRussian), QStringLiteral(" 0,3"));
  EXPECT_EQ(tickLabel(0.1 + 0.2, kEnglish), QStringLiteral(" 0.3"));
  EXPECT_EQ(tickLabel(-0.7, kRussian), QStringLiteral("-0,7"));
  EXPECT_EQ(tickLabel(0.9999999999999999, kRussian), QStringLiteral(" 1"));
  EXPECT_EQ(tickLabel(0, kRussian), QStringLiteral(" 0"));
}

}  // namespace
