#include "teacher/results_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

QString withSeparator(QString text, const QLocale& locale) {
  return text.replace(QLatin1Char('.'), locale.decimalPoint());
}

}  // namespace

QString singleText(float value, const QLocale& locale) {
  if (std::isnan(value)) return QStringLiteral("NaN");
  if (std::isinf(value)) return value > 0 ? QStringLiteral("inf") : QStringLiteral("-inf");
  char buffer[32];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  return withSeparator(QString::fromLatin1(buffer, end - buffer), locale);
}

QString currencyText(Currency value, const QLocale& locale) {
  // raw / 10 000 written out exactly, without trailing zeros.
  const std::int64_t raw = value.raw();
  const bool negative = raw < 0;
  const auto magnitude =
      negative ? 0 - static_cast<std::uint64_t>(raw) : static_cast<std::uint64_t>(raw);
  QString text = QString::number(magnitude / 10000);
  QString fraction = QStringLiteral("%1").arg(magnitude % 10000, 4, 10, QLatin1Char('0'));
  while (fraction.endsWith(QLatin1Char('0'))) fraction.chop(1);
  if (!fraction.isEmpty()) text += QLatin1Char('.') + fraction;
  if (negative) text.prepend(QLatin1Char('-'));
  return withSeparator(text, locale);
}

QString withoutPadding(const QString& field) {
  qsizetype end = field.size();
  while (end > 0 && (field[end - 1] == QLatin1Char(' ') || field[end - 1].isNull())) --end;
  return field.left(end);
}

bool isControlCharacter(QChar c) {
  const char16_t code = c.unicode();
  return code < 0x20 || (code >= 0x7F && code <= 0x9F);
}

bool hasControlCharacters(const QString& text) {
  return std::any_of(text.begin(), text.end(), isControlCharacter);
}

QString shownText(const QString& text) {
  if (!hasControlCharacters(text)) return text;
  QString shown;
  for (const QChar c : text) {
    if (isControlCharacter(c)) {
      shown += QStringLiteral("\\x") +
               QString::number(c.unicode(), 16).toUpper().rightJustified(2, QLatin1Char('0'));
    } else {
      shown += c;
    }
  }
  return shown;
}

QString shownField(const QString& field) { return shownText(withoutPadding(field)); }
