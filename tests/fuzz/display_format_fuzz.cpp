// Any number through any placeholder pattern: no failure, and for ordinary numbers the text
// reads back as the number rounded to the pattern's decimals.
#include <QLocale>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "types/display_format.h"
#include "types/number_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < sizeof(double)) return 0;
  double value;
  std::memcpy(&value, data, sizeof value);
  const QString pattern = QString::fromUtf8(reinterpret_cast<const char*>(data) + sizeof value,
                                            static_cast<qsizetype>(size - sizeof value));
  const QLocale c(QLocale::C);
  (void)formatNumber(value, pattern, c);
  (void)formatNumber(value, pattern, QLocale(QLocale::Russian));

  // The system's patterns, checked against the value.
  static const char* const kPatterns[] = {"###.##", "##.##", "###.#", "###.# мВт", "##.## МГц"};
  if (!std::isfinite(value) || std::abs(value) > 1e12) return 0;
  for (const char* p : kPatterns) {
    const QString pat = QString::fromUtf8(p);
    const QString text = formatNumber(value, pat, c);
    const int decimals = pat.section(QLatin1Char('.'), 1).count(QLatin1Char('#'));
    const double step = std::pow(10.0, -decimals);
    const double back = numberFromText(text);
    if (!text.contains(QLatin1Char('.'))) std::abort();  // the separator is always written
    if (std::abs(back - value) > step / 2 + std::abs(value) * 1e-13 + 1e-300) std::abort();
    if (text.startsWith(QLatin1String("0")) || text.startsWith(QLatin1String("-0"))) std::abort();
  }
  return 0;
}
