#pragma once

#include <QString>
#include <vector>

#include "state/result_record.h"

// Whether the readings u вх of the characteristic could have come from the bench. Row i was read
// where the i-th null of the spectrum lies: the zeros of J0 and J1 in the order the amplitude
// control meets them. The bench shows u = mf · КоэфU(mf) / 1.41 for the modulator of its variant;
// a reading fits a modulator when the bench shows it (within the ±0.05 mV the display rounds
// to) for an index the student can set within ±0.1 of the zero.

inline constexpr int kReadingRows = 14;
inline constexpr int kModulatorCount = 11;    // k1 = 0..10 of the variant table
inline constexpr int kAmplitudeSteps = 2500;  // the amplitude control runs 0..2500, index 0..25

// The zero of row 1..14 (index 0 unused).
extern const double kSpectrumNulls[kReadingRows + 1];

// What the millivoltmeter shows for modulator k1 (0..10) at the amplitude control's position
// 0..kAmplitudeSteps.
double benchReading(int k1, int control);

// A reading that the file holds: rows 1..14 with a finite non-zero u вх.
bool readingFilled(const Результат& record, int row);

// Whether `reading` (mV) in row 1..14 can be shown by the bench with modulator k1 (0..10).
bool readingFits(int k1, int row, float reading);

// The lowest and highest reading the bench shows for modulator k1 around the zero of `row`.
struct ReadingRange {
  double low, high;
};
ReadingRange readingRange(int k1, int row);

struct ReadingsVerdict {
  std::vector<int> filledRows;
  std::vector<int> modulators;  // the modulators that fit the most filled rows, ascending;
                                // empty when no row is filled or no row fits any modulator
  int fittedRows = 0;           // how many filled rows each of them fits
  std::vector<int> strayRows;   // filled rows that fit none of `modulators`
};
ReadingsVerdict checkReadings(const Результат& record);

// The modulators as a teacher reads them: "5", "3, 7".
QString modulatorsText(const std::vector<int>& modulators);
