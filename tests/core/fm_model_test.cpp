#include "model/fm_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "app/work_state.h"
#include "model/bessel_plot.h"

namespace {

const QLocale kRussian(QLocale::Russian, QLocale::Russia);
const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);

ModЧМ variant(double boundary, double nonlinearity, double linearFactor) {
  ModЧМ state;
  state.ГраницаЛин = boundary;
  state.КоэфНелин = nonlinearity;
  state.КоэфUвх = linearFactor;
  state.Fmod = 550;
  return state;
}

TEST(ModulationIndex, IsTheControlValueOverAHundredInSinglePrecision) {
  EXPECT_EQ(indexFromAmplitude(0), 0.0f);
  EXPECT_EQ(indexFromAmplitude(10), 0.1f);
  EXPECT_EQ(indexFromAmplitude(2500), 25.0f);
  EXPECT_EQ(double(indexFromAmplitude(270)), 2.7000000476837158);  // above the double 2.7
}

struct FactorRow {
  int control;
  double boundary;
  bool nonlinear;
};

class InputFactor : public ::testing::TestWithParam<FactorRow> {};

// The boundary test is strict, on the single-precision index widened to double.
TEST_P(InputFactor, TakesTheNonlinearTermOnlyAboveTheBoundary) {
  ModЧМ state = variant(GetParam().boundary, 13, 14);
  state.ИндексМод = indexFromAmplitude(GetParam().control);
  const double index = state.ИндексМод;
  const float expected =
      GetParam().nonlinear ? static_cast<float>(14 + index * index / 1300) : 14.0f;
  EXPECT_EQ(inputFactor(state), expected) << GetParam().control;
}

INSTANTIATE_TEST_SUITE_P(Boundary, InputFactor,
                         ::testing::Values(FactorRow{300, 3, false}, FactorRow{310, 3, true},
                                           FactorRow{270, 2.7, true}, FactorRow{260, 2.7, false},
                                           FactorRow{2500, 10, true}, FactorRow{0, 2.7, false}));

struct ReadingRow {
  int control;
  float factor;
  const char* russian;
  const char* english;
};

class Millivoltmeter : public ::testing::TestWithParam<ReadingRow> {};

TEST_P(Millivoltmeter, ShowsTheReadingThroughItsPattern) {
  ModЧМ state = variant(9, 15, 9.5);
  state.ИндексМод = indexFromAmplitude(GetParam().control);
  const double reading = millivoltReading(state, GetParam().factor);
  EXPECT_EQ(millivoltText(reading, kRussian), QString::fromUtf8(GetParam().russian));
  EXPECT_EQ(millivoltText(reading, kEnglish), QString::fromUtf8(GetParam().english));
}

INSTANTIATE_TEST_SUITE_P(
    Readings, Millivoltmeter,
    ::testing::Values(ReadingRow{0, 14, ",", "."},           // zero: the separator only
                      ReadingRow{10, 14, "1,", "1."},        // 0.1 x 14 / 1.41 = 0.993
                      ReadingRow{500, 0, ",", "."},          // КоэфU not yet computed
                      ReadingRow{240, 9.5, "16,2", "16.2"},  // 2.4 x 9.5 / 1.41 = 16.17
                      ReadingRow{2500, 14.48077f, "256,8", "256.8"}));

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

TEST(Oscillograms, LfTraceHas41PointsAcrossTheScreenWithTheLinearAmplitude) {
  ModЧМ state = variant(2.7, 13, 14);
  state.ИндексМод = 5;  // above the boundary: the trace still uses КоэфUвх
  const Trace trace = lfTrace(state);
  EXPECT_EQ(trace.start, QPointF(-10, 0));
  ASSERT_EQ(trace.points.size(), 41u);
  EXPECT_EQ(trace.points.front(), QPointF(-10, 0));
  EXPECT_EQ(trace.points.back().x(), 10);
  const double amplitude = 5 * 14 / 200.0;
  EXPECT_DOUBLE_EQ(trace.points.back().y(), amplitude * std::sin(40 * 550 / 2000.0));
  double peak = 0;
  for (const QPointF& p : trace.points) peak = std::max(peak, std::fabs(p.y()));
  EXPECT_LE(peak, amplitude);
  EXPECT_GT(peak, 0.95 * amplitude);
}

TEST(Oscillograms, HfTraceHas400PointsEndingNear995) {
  ModЧМ state = variant(2.7, 13, 14);
  state.ИндексМод = 25;
  state.Fmod = 1000;
  const Trace trace = hfTrace(state);
  ASSERT_EQ(trace.points.size(), 400u);
  EXPECT_EQ(trace.points.front().x(), -10);
  EXPECT_NEAR(trace.points.back().x(), 9.95, 1e-9);
  EXPECT_DOUBLE_EQ(trace.points.front().y(), 0.7 * std::sin(3.14));
  for (const QPointF& p : trace.points) ASSERT_LE(std::fabs(p.y()), 0.7);
  // The carrier advances 0.15 rad per point whatever the modulation: the last point's phase.
  const double t = 399 * 1000 / 20000.0;
  EXPECT_NEAR(trace.points.back().y(), 0.7 * std::sin(3.14 + 399 * 0.15 + 2.5 * std::sin(t)), 1e-9);
}

TEST(Spectrum, AtZeroIndexOnlyTheCarrierStandsAtFullHeight) {
  ModЧМ state = variant(2.7, 13, 14);
  state.ИндексМод = 0;
  const SpectrumHeights heights = spectrumHeights(state);
  EXPECT_EQ(heights, (SpectrumHeights{1, 0, 0, 0, 0}));
  EXPECT_EQ(state.Порядок, 5);  // the loop counter past 0..4
}

TEST(Spectrum, HeightsAreMagnitudesOfTheBesselFunctions) {
  ModЧМ state = variant(2.7, 13, 14);
  state.ИндексМод = 25;
  const SpectrumHeights heights = spectrumHeights(state);
  EXPECT_NEAR(heights[1], 0.1254, 5e-5);  // J1(25) is negative
  EXPECT_NEAR(heights[4], 0.1323, 5e-5);
  state.ИндексМод = indexFromAmplitude(240);
  EXPECT_LT(spectrumHeights(state)[0], 0.003);  // the carrier's first zero
  state.ИндексМод = indexFromAmplitude(383);
  EXPECT_LT(spectrumHeights(state)[1], 0.001);  // the first pair's
}

TEST(Spectrum, PairsLieAtMultiplesOfFmodOver250AndFallOffTheScreenBeyondTen) {
  const SpectrumHeights heights{0.5, 0.4, 0.3, 0.2, 0.1};
  const auto lines = spectrumLines(heights, 1000);
  ASSERT_EQ(lines.size(), 9u);
  EXPECT_EQ(lines[0].x, 0);
  EXPECT_EQ(lines[0].height, 0.5);
  std::vector<double> onScreen, offScreen;
  for (const SpectrumLine& line : lines) {
    EXPECT_EQ(line.height, heights[line.order]);
    EXPECT_EQ(std::fabs(line.x), line.order * 4.0);
    (std::fabs(line.x) <= kSpectrumScreen.right ? onScreen : offScreen).push_back(line.x);
  }
  EXPECT_EQ(onScreen.size(), 5u);  // carrier and the pairs at ±4 and ±8
  std::sort(offScreen.begin(), offScreen.end());
  EXPECT_EQ(offScreen, (std::vector<double>{-16, -12, 12, 16}));
  EXPECT_EQ(spectrumLines(heights, 550)[8].x, -8.8);
}

TEST(BesselCurve, Sweeps400PointsFromItsStartAndLeavesTheIndexAboveTwenty) {
  ModЧМ state;
  state.Порядок = 0;
  const Trace j0 = besselCurve(state);
  EXPECT_EQ(j0.start, QPointF(0, 1));
  ASSERT_EQ(j0.points.size(), 400u);
  EXPECT_NEAR(j0.points.back().x(), 19.95, 1e-9);
  EXPECT_GT(state.ИндексМод, 20);
  EXPECT_LT(state.ИндексМод, 20.001);
  // The zeros of J0 near 2.405, 5.520 and 8.654.
  std::vector<double> zeros;
  for (std::size_t i = 1; i < j0.points.size() && zeros.size() < 3; ++i) {
    if ((j0.points[i - 1].y() > 0) != (j0.points[i].y() > 0)) zeros.push_back(j0.points[i].x());
  }
  ASSERT_EQ(zeros.size(), 3u);
  EXPECT_NEAR(zeros[0], 2.405, 0.05);
  EXPECT_NEAR(zeros[1], 5.520, 0.05);
  EXPECT_NEAR(zeros[2], 8.654, 0.05);

  state.Порядок = 3;
  EXPECT_EQ(besselCurve(state).start, QPointF(0, 0));
}

TEST(TickLabels, HideTheRunningSumsRoundingAndUseTheLocalesSeparator) {
  EXPECT_EQ(tickLabel(0.1 + 0.2, kRussian), QStringLiteral(" 0,3"));
  EXPECT_EQ(tickLabel(0.1 + 0.2, kEnglish), QStringLiteral(" 0.3"));
  EXPECT_EQ(tickLabel(-0.7, kRussian), QStringLiteral("-0,7"));
  EXPECT_EQ(tickLabel(0.9999999999999999, kRussian), QStringLiteral(" 1"));
  EXPECT_EQ(tickLabel(0, kRussian), QStringLiteral(" 0"));
  EXPECT_EQ(tickLabel(15, kRussian), QStringLiteral(" 15"));
}

}  // namespace
