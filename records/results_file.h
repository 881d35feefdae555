#pragma once

#include <QByteArray>
#include <QString>

#include "state/result_record.h"

// The results file holds one work record of 554 bytes, no header, little-endian numbers:
// Windows-1251 texts, IEEE singles, int16 and Currency (int64 x 10 000), members in order.
inline constexpr int kResultRecordSize = 554;

QByteArray encodeResultRecord(const Результат& record);
// Reads a record from the first kResultRecordSize bytes of `bytes`; missing bytes read as zero.
Результат decodeResultRecord(const QByteArray& bytes);

// "Result7_" + the card number without surrounding blanks + ".res".
QString resultsFileName(const Результат& record);
// The full path of the results file for `record`: in the program's folder when it is there and
// can be written, otherwise in resultsFolder().
QString resultsFilePath(const Результат& record);
