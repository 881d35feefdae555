#include "types/display_format.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {

// Significant digits a value is written with before it is rounded for display: 15 for a
// double, 7 for a single (the digits it was typed and stored with, not those of the double it
// widens to: 4.935f is 4.93499994... and must show as 4.94).
constexpr int kDoubleDigits = 15;
constexpr int kSingleDigits = 7;

// Digits of |value| to `significant` places and the position of the decimal point in them:
// value = 0.d1d2...dn x 10^pointPosition.
struct DecimalDigits {
  std::string digits;
  int pointPosition = 0;
};

DecimalDigits decimalDigits(double magnitude, int significant) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                    std::chars_format::scientific, significant - 1);
  const std::string text(buffer, result.ptr);  // d.dddddddddddddde+XX
  const auto e = text.find('e');
  DecimalDigits out;
  out.digits = text.substr(0, 1) + text.substr(2, e - 2);
  out.pointPosition = std::stoi(text.substr(e + 1)) + 1;
  return out;
}

// Integer and fraction digits of |value| rounded to `decimals` places, halves away from zero.
std::pair<std::string, std::string> roundedParts(double magnitude, int decimals, int significant) {
  if (magnitude == 0.0) return {"", ""};
  DecimalDigits d = decimalDigits(magnitude, significant);
  // Keep the digits down to the wanted decimal place, then round on the next one.
  const int keep = d.pointPosition + decimals;
  std::string kept;
  if (keep <= 0) {
    const bool roundUp = keep == 0 && d.digits[0] >= '5';
    if (!roundUp) return {"", ""};
    kept = "1";
    d.pointPosition = 1 - decimals;
  } else {
    kept = d.digits.substr(0, std::min<size_t>(keep, d.digits.size()));
    kept.resize(keep, '0');
    if (static_cast<size_t>(keep) < d.digits.size() && d.digits[keep] >= '5') {
      int i = keep - 1;
      while (i >= 0 && kept[i] == '9') kept[i--] = '0';
      if (i >= 0) {
        ++kept[i];
      } else {
        kept.insert(kept.begin(), '1');
        ++d.pointPosition;
      }
    }
  }
  // Place the point: pointPosition digits before it (padding with zeros as needed).
  std::string integer, fraction;
  if (d.pointPosition > 0) {
    integer = kept.substr(0, std::min<size_t>(d.pointPosition, kept.size()));
    integer.resize(d.pointPosition, '0');
    if (static_cast<size_t>(d.pointPosition) < kept.size()) fraction = kept.substr(d.pointPosition);
  } else {
    fraction = std::string(-d.pointPosition, '0') + kept;
  }
  while (!integer.empty() && integer.front() == '0') integer.erase(integer.begin());
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  return {integer, fraction};
}

QString formatDigits(double value, const QString& pattern, const QLocale& locale, int significant) {
  // The placeholder part: leading '#' and at most one point.
  qsizetype end = 0;
  int decimals = 0;
  bool afterPoint = false;
  while (end < pattern.size()) {
    const QChar c = pattern[end];
    if (c == QLatin1Char('#')) {
      if (afterPoint) ++decimals;
    } else if (c == QLatin1Char('.') && !afterPoint) {
      afterPoint = true;
    } else {
      break;
    }
    ++end;
  }
  const QString suffix = pattern.mid(end);
  if (!std::isfinite(value)) return QString() + suffix;

  const auto [integer, fraction] = roundedParts(std::abs(value), decimals, significant);
  QString text = QString::fromStdString(integer);
  if (afterPoint) text += locale.decimalPoint() + QString::fromStdString(fraction);
  if (value < 0 && !(integer.empty() && fraction.empty())) text.prepend(QLatin1Char('-'));
  return text + suffix;
}

}  // namespace

QString formatNumber(double value, const QString& pattern, const QLocale& locale) {
  return formatDigits(value, pattern, locale, kDoubleDigits);
}

QString formatSingle(float value, const QString& pattern, const QLocale& locale) {
  return formatDigits(value, pattern, locale, kSingleDigits);
}
