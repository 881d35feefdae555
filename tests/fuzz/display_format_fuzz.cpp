// Any number through any placeholder pattern: no failure; through the program's own patterns an
// ordinary number shows with the separator, without a leading zero, and reads back as itself
// rounded to the pattern's decimals.
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
  (void)formatNumber(value, pattern, QLocale::c());
  (void)formatNumber(value, pattern, QLocale(QLocale::Russian));
  if (!std::isfinite(value) || std::abs(value) > 1e12) return 0;
  for (const char* p : {"###.##", "##.##", "###.#", "###.# мВт", "##.## МГц"}) {
    const QString text = formatNumber(value, QString::fromUtf8(p), QLocale::c());
    const double step = std::pow(10.0, -QString::fromUtf8(p).section(u'.', 1).count(u'#'));
    if (!text.contains(u'.') || text.startsWith(u"0") || text.startsWith(u"-0")) std::abort();
    if (std::abs(numberFromText(text) - value) > step / 2 + std::abs(value) * 1e-13 + 1e-300)
      std::abort();
  }
  return 0;
}
