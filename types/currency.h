#pragma once

#include <compare>
#include <cstdint>
#include <optional>

// Fixed-point decimal with four places: a signed 64-bit integer holding the value x 10 000.
class Currency {
 public:
  static constexpr std::int64_t kScale = 10000;

  constexpr Currency() = default;
  // Rounds to four decimals, halves to the even neighbour. NaN reads as 0 and values beyond
  // the range saturate; use fromDouble() where such a value must be refused instead.
  Currency(double value);  // NOLINT: a number converts to Currency as an assignment does

  // The value rounded as above, or nothing when it is NaN, infinite or out of range.
  static std::optional<Currency> fromDouble(double value);
  static constexpr Currency fromRaw(std::int64_t raw) {
    Currency c;
    c.raw_ = raw;
    return c;
  }

  constexpr std::int64_t raw() const { return raw_; }
  double toDouble() const { return static_cast<double>(raw_) / kScale; }

  // The exact product of two Currency values, rounded back to four decimals (half to even).
  Currency operator*(Currency other) const;
  constexpr Currency operator+(Currency other) const { return fromRaw(raw_ + other.raw_); }
  constexpr Currency operator-(Currency other) const { return fromRaw(raw_ - other.raw_); }
  constexpr Currency operator-() const { return fromRaw(-raw_); }

  constexpr auto operator<=>(const Currency&) const = default;

 private:
  std::int64_t raw_ = 0;
};
