#pragma once

#include <QLocale>
#include <QString>

#include "types/currency.h"

// Numbers of a results file as text: the shortest decimal text that reads back as the same
// single (what the student typed, for a reading), a Currency with up to four decimals.
// `locale` gives the decimal separator; the default writes a point.
QString singleText(float value, const QLocale& locale = QLocale::c());
QString currencyText(Currency value, const QLocale& locale = QLocale::c());

// A text field without the blanks that pad it on the right.
QString withoutPadding(const QString& field);

// A results file is the student's to edit, so its texts (and its file's name) may hold control
// characters (C0, DEL, C1) that would clear, retitle or rewrite a terminal. Every output shows
// them as \xHH instead.
bool isControlCharacter(QChar c);
bool hasControlCharacters(const QString& text);
QString shownText(const QString& text);
// A text field of the record as every output shows it: without its padding, escaped.
QString shownField(const QString& field);
