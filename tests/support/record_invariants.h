#pragma once

#include <QString>
#include <QStringList>
#include <cmath>

#include "records/result_record.h"

// What must hold of the work record whatever the student did: every text field is exactly its
// width, and every number is finite. Returns one line per broken rule (none: all is well).
inline QStringList recordFaults(const Результат& r) {
  QStringList faults;
  const auto width = [&faults](const char* name, const QString& text, int expected) {
    if (text.size() != expected) {
      faults << QStringLiteral("%1 holds %2 characters, not %3: \"%4\"")
                    .arg(QString::fromUtf8(name))
                    .arg(text.size())
                    .arg(expected)
                    .arg(text);
    }
  };
  width("Фамилия", r.Фамилия.toQString(), 20);
  width("Имя", r.Имя.toQString(), 20);
  width("Отчество", r.Отчество.toQString(), 20);
  width("Группа", r.Группа.toQString(), 10);
  width("НомерСБ", r.НомерСБ.toQString(), 20);
  width("EMail", r.EMail.toQString(), 20);
  width("Вариант", r.Вариант.toQString(), 2);
  width("Ответ1", r.Ответ1.toQString(), 5);
  width("Ответ2", r.Ответ2.toQString(), 5);

  const auto finite = [&faults](const char* name, const float* values, int last) {
    for (int i = 1; i <= last; ++i) {
      if (!std::isfinite(values[i])) {
        faults << QStringLiteral("%1(%2) = %3").arg(QString::fromUtf8(name)).arg(i).arg(values[i]);
      }
    }
  };
  finite("ХарUвх", r.ХарUвх, 14);
  finite("Харuвх", r.Харuвх, 20);
  finite("Харdf", r.Харdf, 20);
  finite("ХарS", r.ХарS, 20);
  for (const Currency c :
       {r.dfk, r.dfэфф, r.dfпик, r.Пчм, r.F1, r.F2, r.Рср, r.mf, r.dfkИтог, r.dfэффИтог,
        r.dfпикИтог, r.ПчмИтог, r.F1Итог, r.F2Итог, r.РсрИтог, r.mfИтог}) {
    if (!std::isfinite(c.toDouble())) faults << QStringLiteral("a Currency value is not finite");
  }
  return faults;
}
