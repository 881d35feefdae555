#include <gtest/gtest.h>

#include <deque>

#include "state/work_state.h"

namespace {

// A source that hands out the given numbers in turn.
std::function<double()> sequence(std::deque<double> numbers) {
  return [numbers]() mutable {
    const double next = numbers.front();
    numbers.pop_front();
    return next;
  };
}

// The first draw x 10, rounded half to even (2.5 -> 2, 3.5 -> 4), picks the modulator's row k1,
// the second the channel row k2; the code keeps the first digit of each (k = 10 gives "1").
TEST(Variant, EachDrawPicksItsRowAndTheCodeKeepsTheirFirstDigits) {
  const std::tuple<double, double, double, double, double, std::int16_t, const char*> rows[] = {
      {0.0, 0.3, 2.7, 13, 14, 300, "03"},     {0.1, 0.4, 5, 10, 11.5, 600, "14"},
      {0.25, 0.5, 3, 11, 10, 720, "25"},      {0.3, 0.6, 7, 12, 12, 1020, "36"},
      {0.35, 0.7, 3.5, 14, 10.5, 1320, "47"}, {0.5, 0.8, 9, 15, 9.5, 1920, "58"},
      {0.6, 0.9, 6, 20, 9, 1020, "69"},       {0.7, 0.99, 10, 12, 12.5, 720, "71"},
      {0.8, 0.01, 4, 11, 8.5, 1320, "80"},    {0.9, 0.1, 3, 9, 11, 60, "91"},
      {0.96, 0.2, 4, 15.5, 14.5, 120, "12"}};
  for (const auto& [first, second, boundary, nonlinearity, factor, channels, code] : rows) {
    SCOPED_TRACE(testing::Message() << first << ", " << second);
    ModЧМ state;
    state.rnd = sequence({first, second});
    state.ВыбратьВариант();
    EXPECT_EQ(std::tuple(state.ГраницаЛин, state.КоэфНелин, state.КоэфUвх, state.Рез.N),
              std::tuple(boundary, nonlinearity, factor, channels));
    EXPECT_EQ(state.Рез.Вариант.toQString(), QString::fromLatin1(code));
  }
  ModЧМ state;  // every draw replaces the last one
  state.rnd = sequence({0.0, 0.1, 0.7, 0.8});
  state.ВыбратьВариант();
  state.ВыбратьВариант();
  EXPECT_EQ(std::tuple(state.ГраницаЛин, state.Рез.N), std::tuple(10.0, std::int16_t{1920}));
  EXPECT_EQ(state.Рез.Вариант.toQString(), QStringLiteral("78"));
}

}  // namespace
