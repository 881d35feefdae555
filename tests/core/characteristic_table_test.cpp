#include "measure/characteristic_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "records/result_record.h"

namespace {

// Amplitude = reading x 1.41, deviation = index x 0.5 MHz, slope in MHz/V (checked to 0.005)
// only where the amplitude is not 0; every value a finite single.
TEST(CharacteristicRow, IsComputedInSinglesWithTheSlopeOnlyWhereItExists) {
  const struct {
    double reading, index;
    float amplitude, deviation;
    bool hasSlope;
    double slope;
  } rows[] = {{10, 2.408, 14.1f, 1.204f, true, 85.39},
              {150, 20.82, 211.5f, 10.41f, true, 49.22},
              {0, 2.408, 0, 1.204f, false, 0},
              {1e40, 3.832, 0, 1.916f, false, 0},  // a reading no single can hold counts as none
              // so small that the slope would overflow a single
              {1e-40, 3.832, 1.41e-40f, 1.916f, false, 0}};
  for (const auto& c : rows) {
    SCOPED_TRACE(c.reading);
    const CharacteristicRow row = computeCharacteristicRow(c.reading, c.index);
    EXPECT_FLOAT_EQ(row.amplitude, c.amplitude);
    EXPECT_FLOAT_EQ(row.deviation, c.deviation);
    EXPECT_EQ(row.hasSlope, c.hasSlope);
    EXPECT_NEAR(row.slope, c.slope, 0.005);
    for (float value : {row.reading, row.amplitude, row.deviation, row.slope})
      EXPECT_TRUE(std::isfinite(value));
  }
}

TEST(CharacteristicPoints, RunFromTheOriginInRowOrderAndStayDrawable) {
  Результат record;
  record.ХарUвх[1] = 14.1f;
  record.Харdf[1] = 1.204f;
  record.ХарUвх[2] = std::numeric_limits<float>::quiet_NaN();  // a damaged results file
  record.Харdf[2] = std::numeric_limits<float>::infinity();
  record.ХарUвх[3] = 3e38f;
  record.Харdf[3] = 2.76f;
  const std::vector<QPointF> points = characteristicPoints(record, 3);
  ASSERT_EQ(points.size(), 4u);
  EXPECT_EQ(points[0], QPointF(0, 0));
  EXPECT_NEAR(points[1].x(), 0.0141, 1e-7);
  EXPECT_NEAR(points[1].y(), 1.204, 1e-7);
  EXPECT_EQ(points[2], QPointF(0, 0));
  EXPECT_EQ(points[3], QPointF(1000, 2.76f));  // held at 1e6 mV
  EXPECT_EQ(characteristicPoints(record, 40).size(), 15u);

  const QLineF ideal = idealizedCharacteristic(record);
  EXPECT_NEAR(ideal.x2(), 14 * 0.0141, 1e-6);
  EXPECT_NEAR(ideal.y2(), 14 * 1.204, 1e-5);
  EXPECT_EQ(ideal.p1(), -ideal.p2());
}

}  // namespace
