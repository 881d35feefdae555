#include "bench/instrument_texts.h"

#include <QLocale>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace {

constexpr double kUnitsPerDivision = 0.2;
constexpr double kScreenHalfWidth = 10;  // the graticule spans x = -10..10

QString number(double value, int decimals) {
  return QLocale::system().toString(value, 'f', decimals);
}

QString divisions(double units) { return number(std::fabs(units) / kUnitsPerDivision, 1); }

// The abscissas where the polyline changes sign, by linear interpolation between its points; a
// point exactly on zero counts once, where the sign on its other side differs.
std::vector<double> zeroCrossings(const Trace& trace) {
  std::vector<double> crossings;
  double lastX = 0, lastY = 0;
  bool haveSign = false;
  for (const QPointF& p : trace.points) {
    if (p.y() == 0) continue;
    if (haveSign && (p.y() > 0) != (lastY > 0))
      crossings.push_back(lastX + (p.x() - lastX) * lastY / (lastY - p.y()));
    lastX = p.x(), lastY = p.y(), haveSign = true;
  }
  return crossings;
}

}  // namespace

QString spectrumText(const SpectrumHeights& heights, double fmod) {
  QStringList parts{QStringLiteral("Несущая: %1 дел.").arg(divisions(heights[0]))};
  for (int n = 1; n < kSpectrumOrders; ++n) {
    QString part = QStringLiteral("%1-я пара: %2 дел.").arg(n).arg(divisions(heights[n]));
    if (n * fmod / 250 > kScreenHalfWidth) part += QStringLiteral(" (за краем экрана)");
    parts << part;
  }
  return parts.join(QStringLiteral("; "));
}

QString spectrumNews(const SpectrumHeights& heights) {
  return QStringLiteral("несущая %1; 1-я пара %2; 2-я пара %3")
      .arg(divisions(heights[0]), divisions(heights[1]), divisions(heights[2]));
}

QString traceText(const Trace& trace) {
  double amplitude = 0;
  for (const QPointF& p : trace.points) amplitude = std::max(amplitude, std::fabs(p.y()));
  if (amplitude / kUnitsPerDivision < 0.05) return QStringLiteral("Прямая линия: сигнала нет");
  return QStringLiteral("Амплитуда: %1 дел.; периодов на экране: около %2")
      .arg(divisions(amplitude), number(zeroCrossings(trace).size() / 2.0, 1));
}

QString besselText(int order, const Trace& curve) {
  QStringList zeros;
  for (const double x : zeroCrossings(curve)) zeros << number(x, 2);
  const QString where = zeros.isEmpty() ? QStringLiteral("не пересекает ноль")
                                        : QStringLiteral("пересекает ноль при mf: ") +
                                              zeros.join(QStringLiteral("; "));
  return QStringLiteral("Порядок %1; кривая %2").arg(order).arg(where);
}
