#pragma once

#include <QDir>
#include <QFile>
#include <QString>

#include "records/results_file.h"

// A class folder for the benchmarks: `size` students, each with a table of their own, most of
// them near the bench's.
inline bool writeClassFolder(const QString& folder, int size) {
  for (int student = 1; student <= size; ++student) {
    Результат r;
    r.Фамилия = QStringLiteral("Студент%1").arg(student);
    r.Имя = QStringLiteral("Иван");
    r.Группа = QStringLiteral("РС-31");
    r.НомерСБ = QString::number(10000 + student);
    for (int row = 1; row <= 14; ++row) {
      r.Харuвх[row] = float(row * 11.3 + student % 7);
      r.ХарUвх[row] = float(r.Харuвх[row] * 1.41);
      r.Харdf[row] = float(row * 0.75);
      r.ХарS[row] = r.Харdf[row] / (r.ХарUвх[row] / 1000);
    }
    QFile file(QDir(folder).filePath(resultsFileName(r)));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(encodeResultRecord(r)) != kResultRecordSize) {
      return false;
    }
  }
  return true;
}
