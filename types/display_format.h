#pragma once

#include <QLocale>
#include <QString>

// A number shown through a pattern of digit placeholders such as "###.##" or "##.## МГц": the
// value is rounded to as many decimals as there are '#' after the point (halves away from zero,
// on the value's 15 significant digits), written without a leading zero before the separator
// and without trailing zeros after it; the separator is always written (the locale's); the
// characters after the placeholders are copied. 12 -> "12.", 0.5 -> ".5", 0 -> ".".
QString formatNumber(double value, const QString& pattern,
                     const QLocale& locale = QLocale::system());

// The same for a single-precision value: it is first written with its own 7 significant digits
// and that decimal is rounded, so 4.935f shows as "4.94" although the double it widens to is
// 4.93499994...
QString formatSingle(float value, const QString& pattern,
                     const QLocale& locale = QLocale::system());
