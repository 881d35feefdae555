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
