#include "model/bessel_plot.h"

#include "model/bessel_series.h"
#include "state/work_state.h"

Trace besselCurve(ModЧМ& state) {
  Trace curve{{0, state.Порядок == 0 ? 1.0 : 0.0}, {}};
  curve.points.reserve(400);
  for (state.ИндексМод = 0; state.ИндексМод <= 20; state.ИндексМод = state.ИндексМод + 0.05) {
    evaluateBessel(state);
    curve.points.emplace_back(state.ИндексМод, state.Jn);
  }
  return curve;
}

QString tickLabel(double value, const QLocale& locale) {
  const QString number = locale.toString(value, 'g', 15);
  return value < 0 ? number : QLatin1Char(' ') + number;
}
