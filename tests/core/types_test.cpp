#include <gtest/gtest.h>

#include <QLocale>
#include <clocale>
#include <cmath>
#include <limits>
#include <string>

#include "types/currency.h"
#include "types/display_format.h"
#include "types/number_text.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Four decimals, halves to even: x 10000 gives the exact halves 312.5 and 937.5, and 0.00015 is a
// little less than that in binary. Products are exact, then rounded the same way.
TEST(Currency, RoundsToFourDecimalsHalfToEven) {
  const std::pair<double, std::int64_t> rows[] = {
      {2596, 25960000}, {1.92, 19200}, {0.03125, 312},        {0.09375, 938},     {-0.03125, -312},
      {-0.09375, -938}, {0.00015, 1},  {0.27712812921, 2771}, {-1.23456, -12346}, {kNaN, 0}};
  for (const auto& [value, raw] : rows) EXPECT_EQ(Currency(value).raw(), raw) << value;
  const std::tuple<std::int64_t, double, std::int64_t> products[] = {
      {1, 0.5, 0}, {3, 0.5, 2}, {-3, 0.5, -2}, {51920000, 1.9516, 101327072}};
  for (const auto& [raw, factor, product] : products)
    EXPECT_EQ((Currency::fromRaw(raw) * Currency(factor)).raw(), product) << raw << " x " << factor;
  for (double refused : {kNaN, kInfinity, 1e16}) EXPECT_FALSE(Currency::fromDouble(refused));
  EXPECT_EQ(Currency::fromDouble(-2.5)->raw(), -25000);
}

// The longest leading number of a text, with a point whatever the process locale (a Russian
// desktop's C library reads a comma); to 16 bits with halves to even, nothing on overflow; and
// back to text with a blank for the sign.
TEST(NumberText, ReadsConvertsAndWritesNumbers) {
  const std::pair<std::string, double> texts[] = {
      {"", 0},           {"abc", 0},         {"10", 10},
      {"12.5abc", 12.5}, {"1.2.3", 1.2},     {".5", 0.5},
      {"-.5", -0.5},     {"  7", 7},         {"-", 0},
      {".", 0},          {"5.", 5},          {"3-4", 3},
      {"+2", 2},         {"1,5", 1},         {"мВ 5", 0},
      {"17.9", 17.9},    {"0.0002", 0.0002}, {"4" + std::string(400, '0'), 0}};
  for (const char* locale : {"C", "ru_RU.UTF-8"}) {
    ASSERT_NE(std::setlocale(LC_ALL, locale), nullptr) << locale << " is not installed";
    for (const auto& [text, value] : texts)
      EXPECT_EQ(numberFromText(QString::fromStdString(text)), value) << locale << ": " << text;
  }
  std::setlocale(LC_ALL, "C");
  const std::pair<double, std::optional<std::int16_t>> wholes[] = {
      {32.5, 32},    {33.5, 34},         {-2.5, -2},  {-3.5, -4}, {32767.4, 32767},
      {32767.5, {}}, {-32768.5, -32768}, {40000, {}}, {kNaN, {}}};
  for (const auto& [value, expected] : wholes) EXPECT_EQ(toInt16(value), expected) << value;
  const std::pair<double, const char*> shown[] = {
      {550, " 550"}, {1320, " 1320"}, {-3, "-3"}, {0, " 0"}, {0.5, " .5"}};
  for (const auto& [value, text] : shown) EXPECT_EQ(numberWithSignBlank(value), text) << value;
  EXPECT_EQ(numberPlain(10), "10");
}

// As many decimals as '#' after the point, halves away from zero, no leading zero, no trailing
// zeros, the separator always (the locale's), the pattern's tail copied.
TEST(DisplayFormat, ShowsAsThePatternSays) {
  // clang-format off
  const std::tuple<double, const char*, const char*> rows[] = {
      {12, "###.##", "12."}, {0.5, "###.##", ".5"}, {0, "###.##", "."}, {0.347, "##.##", ".35"},
      {12.5, "###.##", "12.5"}, {1.204, "##.##", "1.2"}, {85.390071, "##.##", "85.39"},
      {0.993, "###.#", "1."}, {0.04, "###.#", "."}, {0.05, "###.#", ".1"},
      {999.96, "###.#", "1000."}, {0.996, "##.##", "1."}, {1.005, "##.##", "1.01"},
      {0.125, "##.##", ".13"}, {-0.5, "##.##", "-.5"}, {-0.001, "##.##", "."},
      {12345.678, "###.#", "12345.7"}, {0.00347, "##.####", ".0035"},
      {1.92, "###.# мВт", "1.9 мВт"}, {0.3554, "##.## ", ".36 "},
      {20.5525, "##.## МГц", "20.55 МГц"}, {kInfinity, "##.##", ""}};
  // clang-format on
  for (const auto& [value, pattern, text] : rows) {
    const QString expected = QString::fromUtf8(text);
    EXPECT_EQ(formatNumber(value, QString::fromUtf8(pattern), QLocale::c()), expected) << value;
    EXPECT_EQ(formatNumber(value, QString::fromUtf8(pattern), QLocale(QLocale::Russian)),
              QString(expected).replace(u'.', u','))
        << value;
  }
}

// A single shows from its own decimal digits: 4.935f is 4.93499994 in binary but was typed or
// computed as 4.935, so it shows 4.94 (halves away from zero); as a double it shows 4.93.
TEST(DisplayFormat, ShowsASingleFromItsOwnDecimalDigits) {
  const std::tuple<float, const char*, const char*> rows[] = {
      {4.935f, "###.##", "4.94"},    {4.9349f, "###.##", "4.93"},  {58.515f, "###.##", "58.52"},
      {0.705f, "###.##", ".71"},     {-4.935f, "###.##", "-4.94"}, {9.995f, "##.##", "10."},
      {9.9949f, "##.##", "9.99"},    {0.005f, "##.##", ".01"},     {0.0049f, "##.##", "."},
      {0.25f, "###.# мВт", ".3 мВт"}};
  for (const auto& [value, pattern, text] : rows)
    EXPECT_EQ(formatSingle(value, QString::fromUtf8(pattern), QLocale::c()),
              QString::fromUtf8(text))
        << value;
  EXPECT_EQ(formatNumber(double(4.935f), "###.##", QLocale::c()), "4.93");
}

}  // namespace
