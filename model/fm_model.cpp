#include "model/fm_model.h"

#include <cmath>

#include "model/bessel_series.h"
#include "state/work_state.h"
#include "types/display_format.h"

float indexFromAmplitude(int controlValue) { return static_cast<float>(controlValue / 100.0); }

float inputFactor(const ModЧМ& state) {
  // The single-precision index is compared widened: control value 270 gives 2.7000000477,
  // which is already above a boundary of 2.7.
  if (state.ИндексМод > state.ГраницаЛин) {
    return static_cast<float>(state.КоэфUвх +
                              std::pow(state.ИндексМод, 2) / (100 * state.КоэфНелин));
  }
  return static_cast<float>(state.КоэфUвх);
}

double millivoltReading(const ModЧМ& state, float inputFactor) {
  return state.ИндексМод * inputFactor / 1.41;  // the lab's own constant, not sqrt(2)
}

QString millivoltText(double reading, const QLocale& locale) {
  return formatNumber(reading, QStringLiteral("###.#"), locale);
}

std::vector<GridLine> oscilloscopeGraticule() {
  std::vector<GridLine> lines;
  // Division 0.2 by a running sum: it passes zero only within 1e-16, hence |y| < 0.1.
  for (double y = -1; y <= 1.2; y += 0.2) {
    lines.push_back({{-10, y}, {10, y}, std::fabs(y) < 0.1});
  }
  for (int x = -10; x <= 10; x += 2) lines.push_back({{double(x), -1}, {double(x), 1}, x == 0});
  return lines;
}

std::vector<GridLine> spectrumGraticule() {
  std::vector<GridLine> lines;
  for (double y = -0.4; y <= 1.2; y += 0.2) lines.push_back({{-10, y}, {10, y}, y == 0});
  for (int x = -8; x <= 8; x += 2) lines.push_back({{double(x), -0.4}, {double(x), 1.0}, x == 0});
  return lines;
}

Trace lfTrace(const ModЧМ& state) {
  Trace trace{{-10, 0}, {}, true};
  const double amplitude = state.ИндексМод * state.КоэфUвх / 200;
  double t = 0;
  for (double x = -10; x <= 10; x += 0.5) {
    trace.points.emplace_back(x, amplitude * std::sin(t));
    t += state.Fmod / 2000;
  }
  return trace;
}

Trace hfTrace(const ModЧМ& state) {
  Trace trace{{-10, 0}, {}};
  double carrierPhase = 3.14;  // the lab's own starting phase
  double t = 0;
  for (double x = -10; x <= 10; x += 0.05) {
    trace.points.emplace_back(x,
                              0.7 * std::sin(carrierPhase + (state.ИндексМод / 10) * std::sin(t)));
    carrierPhase += 0.15;
    t += state.Fmod / 20000;
  }
  return trace;
}

SpectrumHeights spectrumHeights(ModЧМ& state) {
  SpectrumHeights heights{};
  for (state.Порядок = 0; state.Порядок <= kSpectrumOrders - 1; state.Порядок = state.Порядок + 1) {
    evaluateBessel(state);
    heights[static_cast<std::size_t>(state.Порядок)] = std::fabs(state.Jn);
  }
  return heights;
}

std::vector<SpectrumLine> spectrumLines(const SpectrumHeights& heights, double fmod) {
  std::vector<SpectrumLine> lines{{0, 0.0, heights[0]}};
  for (int n = 1; n < kSpectrumOrders; ++n) {
    const double x = n * fmod / 250;
    lines.push_back({n, x, heights[n]});
    lines.push_back({n, -x, heights[n]});
  }
  return lines;
}
