#pragma once

#include <QString>
#include <cstdint>
#include <optional>

// The number that a text starts with: leading blanks, an optional sign, digits with an optional
// point and more digits. Empty or non-numeric text gives 0 ("12.5abc" -> 12.5, "-.5" -> -0.5).
double numberFromText(const QString& text);

// Conversion to a 16-bit integer: rounded to a whole number, halves to the even neighbour;
// nothing when the value is NaN or does not fit.
std::optional<std::int16_t> toInt16(double value);

// Rounding to a whole number with halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
double roundHalfEven(double value);

// A number as text with a sign position: a blank before a non-negative number, the minus sign
// before a negative one (550 -> " 550", -3 -> "-3", 0.5 -> " .5"). Up to 15 significant digits.
QString numberWithSignBlank(double value);

// The same text without the sign blank (550 -> "550").
QString numberPlain(double value);
