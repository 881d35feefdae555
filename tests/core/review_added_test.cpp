#include <gtest/gtest.h>

#include "measure/characteristic_table.h"
#include "types/display_format.h"

namespace {

const QLocale c = QLocale::c();

// A single is shown from its own decimal digits: 4.935f is 4.93499994... in binary, yet it was
// typed (or computed) as 4.935 and shows as 4.94. Expected texts are the decimal values rounded
// by hand, halves away from zero.
TEST(SingleDisplay, RoundsTheSinglesOwnDecimal) {
  struct Row {
    float value;
    const char* pattern;
    const char* shown;
  };
  const Row rows[] = {
      {4.935f, "###.##", "4.94"},     {4.9349f, "###.##", "4.93"},  {58.515f, "###.##", "58.52"},
      {0.705f, "###.##", ".71"},      {-4.935f, "###.##", "-4.94"}, {9.995f, "##.##", "10."},
      {9.9949f, "##.##", "9.99"},     {0.005f, "##.##", ".01"},     {0.0049f, "##.##", "."},
      {0.25f, "###.# мВт", ".3 мВт"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.value << " " << row.pattern);
    EXPECT_EQ(formatSingle(row.value, QString::fromUtf8(row.pattern), c).toStdString(), row.shown);
  }
  // A double keeps its 15 digits: the widened single is a hair below the half.
  EXPECT_EQ(formatNumber(static_cast<double>(4.935f), "###.##", c).toStdString(), "4.93");
}

// Readings typed into the characteristic: U вх = 1.41 u вх and Δf = 0.5 mf as the row stores
// them, shown as the table shows them. 1.41 × 3.5 = 4.935 and 0.5 × 18.07 = 9.035 lie exactly
// on a half; 1.41 × 3.4 = 4.794 lies below one.
TEST(SingleDisplay, CharacteristicRowsShowTheirDecimalValues) {
  struct Row {
    double reading;
    double index;
    const char* amplitude;
    const char* deviation;
  };
  const Row rows[] = {
      {3.5, 18.07, "4.94", "9.04"},     {41.5, 11.79, "58.52", "5.9"},
      {0.5, 2.408, ".71", "1.2"},       {3.4, 14.93, "4.79", "7.47"},
      {2.5, 5.52, "3.53", "2.76"},      {7.5, 8.654, "10.58", "4.33"},
      {100.5, 7.016, "141.71", "3.51"}, {10, 2.408, "14.1", "1.2"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.reading << " at mf " << row.index);
    const CharacteristicRow computed = computeCharacteristicRow(row.reading, row.index);
    EXPECT_EQ(formatSingle(computed.amplitude, "###.##", c).toStdString(), row.amplitude);
    EXPECT_EQ(formatSingle(computed.deviation, "##.##", c).toStdString(), row.deviation);
  }
}

}  // namespace
