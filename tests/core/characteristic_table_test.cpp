#include "measure/characteristic_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "state/result_record.h"
#include "types/display_format.h"

namespace {

// Amplitude = reading x 1.41, deviation = index x 0.5 MHz, slope in MHz/V (to 0.005) only where
// the amplitude is not 0; every value a finite single. A reading no single can hold counts as
// none; the last one is so small that the slope would overflow a single.
TEST(CharacteristicRow, IsComputedInSinglesWithTheSlopeOnlyWhereItExists) {
  const std::tuple<double, double, float, float, double> rows[] = {
      {10, 2.408, 14.1f, 1.204f, 85.39},
      {150, 20.82, 211.5f, 10.41f, 49.22},
      {0, 2.408, 0, 1.204f, 0},
      {1e40, 3.832, 0, 1.916f, 0},
      {1e-40, 3.832, 1.41e-40f, 1.916f, 0}};
  for (const auto& [reading, index, amplitude, deviation, slope] : rows) {
    SCOPED_TRACE(reading);
    const CharacteristicRow row = computeCharacteristicRow(reading, index);
    EXPECT_FLOAT_EQ(row.amplitude, amplitude);
    EXPECT_FLOAT_EQ(row.deviation, deviation);
    EXPECT_EQ(row.hasSlope, slope != 0);
    EXPECT_NEAR(row.slope, slope, 0.005);
    for (float value : {row.reading, row.amplitude, row.deviation, row.slope})
      EXPECT_TRUE(std::isfinite(value));
  }
}

// Readings as the table shows them: 1.41 x 3.5 = 4.935 and 0.5 x 18.07 = 9.035 lie exactly on a
// half and round up; 1.41 x 3.4 = 4.794 lies below one.
TEST(CharacteristicRow, ShowsTheRowsDecimalValues) {
  const std::tuple<double, double, const char*, const char*> rows[] = {
      {3.5, 18.07, "4.94", "9.04"},    {41.5, 11.79, "58.52", "5.9"}, {0.5, 2.408, ".71", "1.2"},
      {3.4, 14.93, "4.79", "7.47"},    {2.5, 5.52, "3.53", "2.76"},   {7.5, 8.654, "10.58", "4.33"},
      {100.5, 7.016, "141.71", "3.51"}};
  for (const auto& [reading, index, amplitude, deviation] : rows) {
    const CharacteristicRow row = computeCharacteristicRow(reading, index);
    EXPECT_EQ(formatSingle(row.amplitude, "###.##", QLocale::c()), amplitude) << reading;
    EXPECT_EQ(formatSingle(row.deviation, "##.##", QLocale::c()), deviation) << index;
  }
}

// From the origin in row order, in volts and MHz; a damaged results file still gives points a
// painter can draw (NaN as 0, a huge value held at 1e6 mV).
TEST(CharacteristicPoints, RunFromTheOriginInRowOrderAndStayDrawable) {
  Результат record;
  std::tie(record.ХарUвх[1], record.Харdf[1]) = std::pair(14.1f, 1.204f);
  std::tie(record.ХарUвх[2], record.Харdf[2]) =
      std::pair(std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity());
  std::tie(record.ХарUвх[3], record.Харdf[3]) = std::pair(3e38f, 2.76f);
  const std::vector<QPointF> points = characteristicPoints(record, 3);
  ASSERT_EQ(points.size(), 4u);
  EXPECT_EQ(points[0], QPointF(0, 0));
  EXPECT_NEAR(QLineF(points[1], QPointF(0.0141, 1.204)).length(), 0, 1e-7);
  EXPECT_EQ(points[2], QPointF(0, 0));
  EXPECT_EQ(points[3], QPointF(1000, 2.76f));
  EXPECT_EQ(characteristicPoints(record, 40).size(), 15u);
  const QLineF ideal = idealizedCharacteristic(record);  // 14 times row 1, through the origin
  EXPECT_NEAR(QLineF(ideal.p2(), QPointF(14 * 0.0141, 14 * 1.204)).length(), 0, 1e-5);
  EXPECT_EQ(ideal.p1(), -ideal.p2());
}

}  // namespace
