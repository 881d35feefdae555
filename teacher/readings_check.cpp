#include "teacher/readings_check.h"

#include <QStringList>
#include <algorithm>
#include <array>
#include <cmath>

#include "model/fm_model.h"
#include "state/work_state.h"

const double kSpectrumNulls[kReadingRows + 1] = {0,       2.4048,  3.8317,  5.5201,  7.0156,
                                                 8.6537,  10.1735, 11.7915, 13.3237, 14.9309,
                                                 16.4706, 18.0711, 19.6159, 21.2116, 22.7601};

namespace {

constexpr double kIndexSpread = 0.1;     // how far from the zero the student may stop
constexpr double kReadingSpread = 0.05;  // half a step of the display's last digit
// A reading is kept as a single: 21.4 is stored as 21.3999996.
constexpr double kSingleSlack = 1e-5;

// What the millivoltmeter shows at every position of the amplitude control, for each modulator:
// the bench's own variant draw, made to land on k1, and its own reading.
using Readings = std::array<double, kAmplitudeSteps + 1>;

const std::array<Readings, kModulatorCount>& benchReadings() {
  static const auto table = [] {
    std::array<Readings, kModulatorCount> readings{};
    for (int k1 = 0; k1 < kModulatorCount; ++k1) {
      ModЧМ state;
      // k1 is the draw × 10 rounded; 0.999 stands for the top of [0, 1).
      state.rnd = [k1] { return k1 < 10 ? k1 / 10.0 : 0.999; };
      state.ВыбратьВариант();
      for (int control = 0; control <= kAmplitudeSteps; ++control) {
        state.ИндексМод = indexFromAmplitude(control);
        readings[k1][control] = millivoltReading(state, inputFactor(state));
      }
    }
    return readings;
  }();
  return table;
}

// The control positions whose index lies within the spread of the row's zero.
std::pair<int, int> controlsAround(int row) {
  const double zero = kSpectrumNulls[row];
  return {static_cast<int>(std::ceil((zero - kIndexSpread) * 100 - 1e-9)),
          static_cast<int>(std::floor((zero + kIndexSpread) * 100 + 1e-9))};
}

bool validRow(int row) { return row >= 1 && row <= kReadingRows; }

}  // namespace

double benchReading(int k1, int control) {
  return benchReadings()[std::clamp(k1, 0, kModulatorCount - 1)]
                        [std::clamp(control, 0, kAmplitudeSteps)];
}

bool readingFilled(const Результат& record, int row) {
  if (!validRow(row)) return false;
  const float reading = record.Харuвх[row];
  return std::isfinite(reading) && reading != 0;
}

bool readingFits(int k1, int row, float reading) {
  if (k1 < 0 || k1 >= kModulatorCount || !validRow(row) || !std::isfinite(reading)) return false;
  const Readings& shown = benchReadings()[k1];
  const auto [first, last] = controlsAround(row);
  for (int control = first; control <= last; ++control) {
    if (std::abs(reading - shown[control]) <= kReadingSpread + kSingleSlack) return true;
  }
  return false;
}

ReadingRange readingRange(int k1, int row) {
  const Readings& shown = benchReadings()[k1];
  const auto [first, last] = controlsAround(row);
  ReadingRange range{shown[first], shown[first]};
  for (int control = first; control <= last; ++control) {
    range.low = std::min(range.low, shown[control]);
    range.high = std::max(range.high, shown[control]);
  }
  return range;
}

ReadingsVerdict checkReadings(const Результат& record) {
  ReadingsVerdict verdict;
  for (int row = 1; row <= kReadingRows; ++row) {
    if (readingFilled(record, row)) verdict.filledRows.push_back(row);
  }
  std::array<int, kModulatorCount> fitted{};
  for (int k1 = 0; k1 < kModulatorCount; ++k1) {
    for (int row : verdict.filledRows) fitted[k1] += readingFits(k1, row, record.Харuвх[row]);
    verdict.fittedRows = std::max(verdict.fittedRows, fitted[k1]);
  }
  if (verdict.fittedRows > 0) {
    for (int k1 = 0; k1 < kModulatorCount; ++k1) {
      if (fitted[k1] == verdict.fittedRows) verdict.modulators.push_back(k1);
    }
  }
  for (int row : verdict.filledRows) {
    bool fits = false;
    for (int k1 : verdict.modulators) fits = fits || readingFits(k1, row, record.Харuвх[row]);
    if (!fits) verdict.strayRows.push_back(row);
  }
  return verdict;
}

QString modulatorsText(const std::vector<int>& modulators) {
  QStringList numbers;
  for (int k1 : modulators) numbers << QString::number(k1);
  return numbers.join(QStringLiteral(", "));
}
