#include <gtest/gtest.h>

#include <QLocale>
#include <cmath>
#include <limits>

#include "types/currency.h"
#include "types/display_format.h"
#include "types/number_text.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

TEST(Currency, RoundsToFourDecimalsHalfToEven) {
  const std::pair<double, std::int64_t> rows[] = {
      {2596, 25960000},
      {1.92, 19200},
      // x 10000 gives exact halves: 312.5 and 937.5 go to the even neighbour
      {0.03125, 312},
      {0.09375, 938},
      {-0.03125, -312},
      {-0.09375, -938},
      {0.00015, 1},  // a little less than that in binary
      {0.27712812921, 2771},
      {-1.23456, -12346},
      {kNaN, 0}};
  for (const auto& [value, raw] : rows) EXPECT_EQ(Currency(value).raw(), raw) << value;

  // Products are exact, then rounded half to even: 0.00005 -> 0, 0.00015 -> 0.0002.
  EXPECT_EQ((Currency::fromRaw(1) * Currency(0.5)).raw(), 0);
  EXPECT_EQ((Currency::fromRaw(3) * Currency(0.5)).raw(), 2);
  EXPECT_EQ((Currency::fromRaw(-3) * Currency(0.5)).raw(), -2);
  EXPECT_EQ((Currency(5192) * Currency(1.9516)).raw(), 101327072);  // 10132.70720 exactly

  for (double refused : {kNaN, kInfinity, 1e16}) EXPECT_FALSE(Currency::fromDouble(refused));
  EXPECT_EQ(Currency::fromDouble(-2.5)->raw(), -25000);
}

TEST(NumberText, ReadsTheLongestLeadingNumber) {
  const std::pair<const char*, double> rows[] = {
      {"", 0},     {"abc", 0},    {"10", 10}, {"12.5abc", 12.5}, {"1.2.3", 1.2},
      {".5", 0.5}, {"-.5", -0.5}, {"  7", 7}, {"-", 0},          {".", 0},
      {"5.", 5},   {"3-4", 3},    {"+2", 2},  {"1,5", 1},        {"мВ 5", 0}};
  for (const auto& [text, value] : rows)
    EXPECT_EQ(numberFromText(QString::fromUtf8(text)), value) << text;
}

TEST(NumberText, ToInt16RoundsHalvesToEvenAndRefusesOverflow) {
  const std::pair<double, std::optional<std::int16_t>> rows[] = {
      {32.5, 32},         {33.5, 34},       {-2.5, -2},
      {-3.5, -4},         {32767.4, 32767}, {32767.5, {}},  // rounds to 32768
      {-32768.5, -32768}, {40000, {}},      {kNaN, {}}};
  for (const auto& [value, expected] : rows) EXPECT_EQ(toInt16(value), expected) << value;
}

TEST(NumberText, WritesABlankForTheSign) {
  const std::pair<double, const char*> rows[] = {
      {550, " 550"}, {1320, " 1320"}, {-3, "-3"}, {0, " 0"}, {0.5, " .5"}};
  for (const auto& [value, text] : rows) EXPECT_EQ(numberWithSignBlank(value), text) << value;
  EXPECT_EQ(numberPlain(10), "10");
}

TEST(DisplayFormat, ShowsAsThePatternSays) {
  const QLocale c(QLocale::C);
  const QLocale russian(QLocale::Russian, QLocale::Russia);
  const struct {
    double value;
    const char* pattern;
    const char* text;  // with a point as the separator
  } rows[] = {{12, "###.##", "12."},
              {0.5, "###.##", ".5"},
              {0, "###.##", "."},
              {0.347, "##.##", ".35"},
              {12.5, "###.##", "12.5"},
              {14.1, "###.##", "14.1"},
              {1.204, "##.##", "1.2"},
              {85.390071, "##.##", "85.39"},
              {0.993, "###.#", "1."},
              {0.04, "###.#", "."},
              {0.05, "###.#", ".1"},
              {999.96, "###.#", "1000."},
              {0.996, "##.##", "1."},
              {1.005, "##.##", "1.01"},
              {0.125, "##.##", ".13"},
              {-0.5, "##.##", "-.5"},
              {-0.001, "##.##", "."},
              {12345.678, "###.#", "12345.7"},
              {0.00347, "##.####", ".0035"},
              {1.92, "###.# мВт", "1.9 мВт"},
              {0.2771, "##.## МГц", ".28 МГц"},
              {0.3554, "##.## ", ".36 "},
              {20.5525, "##.## МГц", "20.55 МГц"},
              {kInfinity, "##.##", ""}};
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.value << " " << row.pattern);
    const QString pattern = QString::fromUtf8(row.pattern);
    const QString text = QString::fromUtf8(row.text);
    EXPECT_EQ(formatNumber(row.value, pattern, c), text);
    EXPECT_EQ(formatNumber(row.value, pattern, russian), QString(text).replace(u'.', u','));
  }
}

}  // namespace
