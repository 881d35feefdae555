#include "types/number_text.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

double numberFromText(const QString& text) {
  const QByteArray latin = text.toLatin1();
  const char* p = latin.constData();
  while (*p == ' ' || *p == '\t') ++p;
  std::string number;
  if (*p == '+' || *p == '-') number += *p++;
  bool digits = false;
  while (*p >= '0' && *p <= '9') {
    number += *p++;
    digits = true;
  }
  if (*p == '.') {
    number += *p++;
    while (*p >= '0' && *p <= '9') {
      number += *p++;
      digits = true;
    }
  }
  if (!digits) return 0.0;
  // from_chars reads a point whatever the process locale says (strtod would stop at the point
  // under ru_RU.UTF-8, where the separator is a comma); it takes no plus sign.
  const char* first = number.data();
  if (*first == '+') ++first;
  double value = 0.0;
  const auto result = std::from_chars(first, number.data() + number.size(), value);
  if (result.ec != std::errc()) return 0.0;  // beyond double's range
  return std::isfinite(value) ? value : 0.0;
}

double roundHalfEven(double value) { return std::nearbyint(value); }

std::optional<std::int16_t> toInt16(double value) {
  if (std::isnan(value)) return std::nullopt;
  const double rounded = roundHalfEven(value);
  if (rounded < std::numeric_limits<std::int16_t>::min() ||
      rounded > std::numeric_limits<std::int16_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int16_t>(rounded);
}

QString numberPlain(double value) {
  QString text = QString::number(std::abs(value), 'g', 15);
  if (text.startsWith(QLatin1String("0."))) text.remove(0, 1);  // ".5", no leading zero
  return value < 0 ? QLatin1Char('-') + text : text;
}

QString numberWithSignBlank(double value) {
  const QString text = numberPlain(value);
  return value < 0 ? text : QLatin1Char(' ') + text;
}
