#include <gtest/gtest.h>

#include <QLocale>
#include <cmath>
#include <limits>

#include "types/currency.h"
#include "types/display_format.h"
#include "types/fixed_text.h"
#include "types/number_text.h"

namespace {

// ---- Currency -------------------------------------------------------------------------------

struct CurrencyCase {
  double value;
  std::int64_t raw;
};

class CurrencyFromDouble : public ::testing::TestWithParam<CurrencyCase> {};

TEST_P(CurrencyFromDouble, RoundsToFourDecimalsHalfToEven) {
  EXPECT_EQ(Currency(GetParam().value).raw(), GetParam().raw) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(Values, CurrencyFromDouble,
                         ::testing::Values(CurrencyCase{2596, 25960000}, CurrencyCase{1.92, 19200},
                                           // x 10000 gives exact halves: 312.5, 937.5
                                           CurrencyCase{0.03125, 312},    // half -> even 312
                                           CurrencyCase{0.09375, 938},    // half -> even 938
                                           CurrencyCase{-0.03125, -312},  // negative half
                                           CurrencyCase{-0.09375, -938},
                                           // 0.00015 is a little less than that in binary
                                           CurrencyCase{0.00015, 1},
                                           CurrencyCase{0.27712812921, 2771},
                                           CurrencyCase{-1.23456, -12346},
                                           CurrencyCase{std::nan(""), 0}));

TEST(Currency, ProductIsExactThenRoundedHalfToEven) {
  EXPECT_EQ((Currency(1000) * Currency(0.9227)).raw(), 9227000);
  // 0.0001 x 0.5 = 0.00005 -> 0 (even); 0.0003 x 0.5 = 0.00015 -> 0.0002 (even)
  EXPECT_EQ((Currency::fromRaw(1) * Currency(0.5)).raw(), 0);
  EXPECT_EQ((Currency::fromRaw(3) * Currency(0.5)).raw(), 2);
  EXPECT_EQ((Currency::fromRaw(-3) * Currency(0.5)).raw(), -2);
  EXPECT_EQ((Currency(5192) * Currency(1.9516)).raw(), 101327072);  // 10132.70720 exactly
  EXPECT_DOUBLE_EQ(Currency(10.1327).toDouble(), 10.1327);
}

TEST(Currency, FromDoubleRefusesWhatCannotBeHeld) {
  EXPECT_FALSE(Currency::fromDouble(std::nan("")).has_value());
  EXPECT_FALSE(Currency::fromDouble(std::numeric_limits<double>::infinity()).has_value());
  EXPECT_FALSE(Currency::fromDouble(1e16).has_value());
  EXPECT_EQ(Currency::fromDouble(-2.5)->raw(), -25000);
}

// ---- Number from text and 16-bit conversion -------------------------------------------------

struct TextCase {
  const char* text;
  double value;
};

class NumberFromText : public ::testing::TestWithParam<TextCase> {};

TEST_P(NumberFromText, ReadsTheLongestLeadingNumber) {
  EXPECT_DOUBLE_EQ(numberFromText(QString::fromUtf8(GetParam().text)), GetParam().value)
      << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Texts, NumberFromText,
                         ::testing::Values(TextCase{"", 0}, TextCase{"abc", 0}, TextCase{"10", 10},
                                           TextCase{"12.5abc", 12.5}, TextCase{"1.2.3", 1.2},
                                           TextCase{".5", 0.5}, TextCase{"-.5", -0.5},
                                           TextCase{"  7", 7}, TextCase{"-", 0}, TextCase{".", 0},
                                           TextCase{"5.", 5}, TextCase{"3-4", 3}, TextCase{"+2", 2},
                                           TextCase{"1,5", 1}, TextCase{"мВ 5", 0}));

TEST(ToInt16, RoundsHalvesToEvenAndRefusesOverflow) {
  EXPECT_EQ(toInt16(32.5), 32);
  EXPECT_EQ(toInt16(33.5), 34);
  EXPECT_EQ(toInt16(-2.5), -2);
  EXPECT_EQ(toInt16(-3.5), -4);
  EXPECT_EQ(toInt16(32767.4), 32767);
  EXPECT_FALSE(toInt16(32767.5).has_value());  // rounds to 32768
  EXPECT_EQ(toInt16(-32768.5), -32768);        // half to even stays in range
  EXPECT_FALSE(toInt16(40000).has_value());
  EXPECT_FALSE(toInt16(std::nan("")).has_value());
}

TEST(NumberWithSignBlank, WritesABlankForTheSign) {
  EXPECT_EQ(numberWithSignBlank(550), " 550");
  EXPECT_EQ(numberWithSignBlank(1320), " 1320");
  EXPECT_EQ(numberWithSignBlank(-3), "-3");
  EXPECT_EQ(numberWithSignBlank(0), " 0");
  EXPECT_EQ(numberWithSignBlank(0.5), " .5");
  EXPECT_EQ(numberPlain(10), "10");
}

// ---- Display formats ------------------------------------------------------------------------

struct FormatCase {
  double value;
  const char* pattern;
  const char* text;  // with a point as the separator
};

class DisplayFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(DisplayFormat, ShowsAsThePatternSays) {
  const QLocale c(QLocale::C);
  EXPECT_EQ(formatNumber(GetParam().value, QString::fromUtf8(GetParam().pattern), c),
            QString::fromUtf8(GetParam().text))
      << GetParam().value << " " << GetParam().pattern;
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, DisplayFormat,
    ::testing::Values(FormatCase{12, "###.##", "12."}, FormatCase{0.5, "###.##", ".5"},
                      FormatCase{0, "###.##", "."}, FormatCase{0.347, "##.##", ".35"},
                      FormatCase{12.5, "###.##", "12.5"}, FormatCase{14.1, "###.##", "14.1"},
                      FormatCase{1.204, "##.##", "1.2"}, FormatCase{85.390071, "##.##", "85.39"},
                      FormatCase{0.993, "###.#", "1."}, FormatCase{0.04, "###.#", "."},
                      FormatCase{0.05, "###.#", ".1"}, FormatCase{999.96, "###.#", "1000."},
                      FormatCase{0.996, "##.##", "1."}, FormatCase{1.005, "##.##", "1.01"},
                      FormatCase{0.125, "##.##", ".13"}, FormatCase{-0.5, "##.##", "-.5"},
                      FormatCase{-0.001, "##.##", "."}, FormatCase{12345.678, "###.#", "12345.7"},
                      FormatCase{0.00347, "##.####", ".0035"},
                      FormatCase{1.92, "###.# мВт", "1.9 мВт"},
                      FormatCase{0.2771, "##.## МГц", ".28 МГц"},
                      FormatCase{0.3554, "##.## ", ".36 "},
                      FormatCase{20.5525, "##.## МГц", "20.55 МГц"},
                      FormatCase{std::numeric_limits<double>::infinity(), "##.##", ""}));

TEST(DisplayFormat, UsesTheLocalesSeparator) {
  const QLocale russian(QLocale::Russian, QLocale::Russia);
  EXPECT_EQ(formatNumber(14.1, "###.##", russian), "14,1");
  EXPECT_EQ(formatNumber(0, "###.#", russian), ",");
  EXPECT_EQ(formatNumber(10.1327, QString::fromUtf8("##.## МГц"), russian),
            QString::fromUtf8("10,13 МГц"));
}

// ---- Fixed-length text ----------------------------------------------------------------------

TEST(FixedText, AssignmentIsLeftAlignedCutAndPadded) {
  FixedText<20> surname;
  EXPECT_TRUE(surname.isBlank());
  EXPECT_EQ(surname.toQString(), QString(20, ' '));

  surname = QString::fromUtf8("Иванов");
  EXPECT_EQ(surname.toQString(), QString::fromUtf8("Иванов") + QString(14, ' '));
  EXPECT_FALSE(surname.isBlank());
  EXPECT_EQ(static_cast<unsigned char>(surname.bytes()[0]), 0xC8);  // "И" in Windows-1251

  surname = QString::fromUtf8("Константинопольский-Ш");  // 21 characters
  EXPECT_EQ(surname.toQString(), QString::fromUtf8("Константинопольский-"));

  FixedText<5> answer = QString::fromUtf8("Да");
  EXPECT_EQ(answer.toQString(), QString::fromUtf8("Да   "));

  FixedText<3> blanks = QStringLiteral("   ");
  EXPECT_TRUE(blanks.isBlank());
}

TEST(FixedText, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  FixedText<6> text = QString::fromUtf8("Aé€漢😀Ё");
  // é and the CJK character and the emoji are not in Windows-1251; € and Ё are.
  EXPECT_EQ(text.toQString(), QString::fromUtf8("A?€??Ё"));
  EXPECT_EQ(static_cast<unsigned char>(text.bytes()[2]), 0x88);
  EXPECT_EQ(static_cast<unsigned char>(text.bytes()[5]), 0xA8);
}

}  // namespace
