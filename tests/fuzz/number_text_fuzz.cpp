// Any text reads as a finite number; conversions of that number never fail.
#include <QString>
#include <cmath>
#include <cstdlib>

#include "types/number_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString text =
      QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const double value = numberFromText(text);
  if (!std::isfinite(value)) std::abort();
  if (text.trimmed().isEmpty() && value != 0) std::abort();
  if (const auto small = toInt16(value)) {
    if (std::abs(*small - value) > 0.5) std::abort();
  }
  const QString shown = numberWithSignBlank(value);
  if (shown.isEmpty() || (value >= 0 && shown[0] != QLatin1Char(' '))) std::abort();
  return 0;
}
