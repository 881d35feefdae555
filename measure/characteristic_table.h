#pragma once

#include <QLineF>
#include <QPointF>
#include <QString>
#include <vector>

struct Результат;

// Rows of the characteristic table: one per null of the carrier or of the first side pair.
inline constexpr int kCharacteristicRows = 14;

// One computed row, as the work record stores it (single precision).
struct CharacteristicRow {
  float reading = 0;      // u вх, the millivoltmeter reading, mV
  float amplitude = 0;    // U вх = 1.41 u вх, the amplitude of the input voltage, mV
  float deviation = 0;    // Δf = 0.5 mf, MHz
  float slope = 0;        // S = Δf / U вх, MHz/V; 0 when it does not exist
  bool hasSlope = false;  // false for a zero amplitude: the slope is then not a number
};

// A value as the work record stores it: a single; what a single cannot hold (and what is not a
// number) becomes 0.
float storedSingle(double value);

// Whether the work record can hold the reading and the amplitude made from it: both finite
// singles. The table refuses a reading it cannot hold rather than store another number.
bool readingFits(double reading);

// A reading and the row's modulation index give the row. Every stored value is a finite single
// (a value a single cannot hold is stored as 0), so nothing infinite reaches the work record.
CharacteristicRow computeCharacteristicRow(double reading, double modulationIndex);

// Stores a computed row as row `row` (1..14) of the work record.
void storeCharacteristicRow(Результат& record, int row, const CharacteristicRow& values);

// The measured characteristic in volts and MHz: the origin, then rows 1..`rows` in row order
// (not sorted). The mirror image through the origin is the same list negated. Values a plot
// cannot draw (not finite, absurdly large) are held at the origin or the edge of reason.
std::vector<QPointF> characteristicPoints(const Результат& record, int rows);
// The idealized characteristic: the straight line through the origin and the point of row 1,
// from -14 to +14 times that point.
QLineF idealizedCharacteristic(const Результат& record);
// The plotted points in words for a screen reader, as pairs "U вх; Δf" (V, MHz) in the system
// locale's numbers, the origin first.
QString characteristicPointsText(const std::vector<QPointF>& points);
