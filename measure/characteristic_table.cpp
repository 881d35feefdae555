#include "measure/characteristic_table.h"

#include <QLocale>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <limits>

#include "state/result_record.h"

namespace {

// A stored value as a plot coordinate. A record read from a file may hold anything; a value far
// outside any plot is held at a bound that the painter still handles (1e6 mV, 1e6 MHz).
double plotValue(float value) {
  constexpr double kBound = 1e6;
  if (!std::isfinite(value)) return 0;
  return std::clamp<double>(value, -kBound, kBound);
}

QPointF rowPoint(const Результат& record, int row) {
  return {plotValue(record.ХарUвх[row]) / 1000, plotValue(record.Харdf[row])};
}

}  // namespace

float storedSingle(double value) {
  if (!std::isfinite(value) || std::abs(value) > std::numeric_limits<float>::max()) return 0;
  return static_cast<float>(value);
}

bool readingFits(double reading) {
  constexpr double kMostSingle = std::numeric_limits<float>::max();
  return std::isfinite(reading) && std::abs(reading) <= kMostSingle &&
         std::abs(static_cast<double>(static_cast<float>(reading)) * 1.41) <= kMostSingle;
}

CharacteristicRow computeCharacteristicRow(double reading, double modulationIndex) {
  CharacteristicRow row;
  row.reading = storedSingle(reading);
  // The millivoltmeter shows the effective value; the amplitude is √2 of it, taken as 1.41.
  row.amplitude = storedSingle(static_cast<double>(row.reading) * 1.41);
  // At a null of J0 or J1 the index is known; Δf = mf · F with the table's F = 0.5 MHz.
  row.deviation = storedSingle(modulationIndex * 0.5);
  // The slope in MHz per volt, computed in single precision.
  const float amplitudeVolts = row.amplitude / 1000.0f;
  const float slope = row.deviation / amplitudeVolts;
  row.hasSlope = amplitudeVolts != 0.0f && std::isfinite(slope);
  row.slope = row.hasSlope ? slope : 0.0f;
  return row;
}

void storeCharacteristicRow(Результат& record, int row, const CharacteristicRow& values) {
  if (row < 1 || row > kCharacteristicRows) return;
  record.Харuвх[row] = values.reading;
  record.ХарUвх[row] = values.amplitude;
  record.Харdf[row] = values.deviation;
  record.ХарS[row] = values.slope;
}

std::vector<QPointF> characteristicPoints(const Результат& record, int rows) {
  rows = std::clamp(rows, 0, kCharacteristicRows);
  std::vector<QPointF> points{QPointF(0, 0)};
  for (int row = 1; row <= rows; ++row) points.push_back(rowPoint(record, row));
  return points;
}

QLineF idealizedCharacteristic(const Результат& record) {
  const QPointF first = rowPoint(record, 1);
  return {-14 * first, 14 * first};
}

QString characteristicPointsText(const std::vector<QPointF>& points) {
  const QLocale locale = QLocale::system();
  QStringList pairs;
  for (const QPointF& p : points)
    pairs << locale.toString(p.x(), 'f', 3) + QStringLiteral("; ") + locale.toString(p.y(), 'f', 2);
  return QStringLiteral("Точки характеристики (U вх, В; Δf, МГц): ") +
         pairs.join(QStringLiteral(" | ")) +
         QStringLiteral(". Те же точки с обратными знаками дают вторую половину кривой");
}
