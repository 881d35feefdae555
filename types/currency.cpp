#include "types/currency.h"

#include <cmath>
#include <limits>

namespace {
// 2^63 as a double: the first scaled value that no longer fits.
constexpr double kRawLimit = 9223372036854775808.0;
}  // namespace

std::optional<Currency> Currency::fromDouble(double value) {
  // nearbyint under the default rounding mode rounds halves to even.
  const double scaled = std::nearbyint(value * kScale);
  if (!std::isfinite(scaled) || scaled >= kRawLimit || scaled < -kRawLimit) return std::nullopt;
  return fromRaw(static_cast<std::int64_t>(scaled));
}

Currency::Currency(double value) {
  if (std::isnan(value)) return;
  if (const auto rounded = fromDouble(value)) {
    raw_ = rounded->raw_;
  } else {
    raw_ = value > 0 ? std::numeric_limits<std::int64_t>::max()
                     : std::numeric_limits<std::int64_t>::min();
  }
}

Currency Currency::operator*(Currency other) const {
  const __int128 product = static_cast<__int128>(raw_) * other.raw_;
  __int128 quotient = product / kScale;
  const __int128 remainder = product % kScale;
  const __int128 twice = remainder < 0 ? -2 * remainder : 2 * remainder;
  if (twice > kScale || (twice == kScale && quotient % 2 != 0)) {
    quotient += product < 0 ? -1 : 1;
  }
  constexpr __int128 kMax = std::numeric_limits<std::int64_t>::max();
  constexpr __int128 kMin = std::numeric_limits<std::int64_t>::min();
  return fromRaw(static_cast<std::int64_t>(quotient > kMax   ? kMax
                                           : quotient < kMin ? kMin
                                                             : quotient));
}
