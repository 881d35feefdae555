#pragma once

#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <cmath>

#include "app/work_state.h"
#include "assembly/assembly_model.h"

// What must hold of the mounting table's bookkeeping after any sequence of the student's mouse
// events: the strings hold only their known tokens, the tags are two digits, and the lists agree
// with where the plugs are. Returns one line per broken rule (none: all is well).
inline QStringList assemblyFaults(const AssemblyModel& m, const ModЧМ& state) {
  static const QRegularExpression inputKeys(QStringLiteral("^(Генератор|МВ|НЧОсц| )*$"));
  static const QRegularExpression outputKeys(QStringLiteral("^(СпАнализ|ВЧОсц| )*$"));
  static const QRegularExpression marks(QStringLiteral("^(Вхд|Вых| )*$"));
  static const QRegularExpression tag(QStringLiteral("^[12][0-5]$"));
  static const QRegularExpression token(QStringLiteral("^[12][1-5]$"));
  const auto matches = [](const QRegularExpression& pattern, const QString& text) {
    return pattern.match(text).hasMatch();
  };
  QStringList faults;

  if (m.НомКабеля < 1 || m.НомКабеля > AssemblyModel::kCables) {
    faults << QStringLiteral("НомКабеля = %1").arg(m.НомКабеля);
  }
  if (m.НомШтеккера < 0 || m.НомШтеккера > 2) {
    faults << QStringLiteral("НомШтеккера = %1").arg(m.НомШтеккера);
  }
  if (state.НомПрибора < 0 || state.НомПрибора > 6) {
    faults << QStringLiteral("НомПрибора = %1").arg(state.НомПрибора);
  }
  if (!state.ВидОбъекта.isEmpty() && state.ВидОбъекта != QStringLiteral("Приборы") &&
      state.ВидОбъекта != QStringLiteral("Кабели")) {
    faults << QStringLiteral("ВидОбъекта = \"%1\"").arg(state.ВидОбъекта);
  }
  if (!matches(inputKeys, m.ПриборыВх))
    faults << QStringLiteral("ПриборыВх = \"%1\"").arg(m.ПриборыВх);
  if (!matches(outputKeys, m.ПриборыВых)) {
    faults << QStringLiteral("ПриборыВых = \"%1\"").arg(m.ПриборыВых);
  }
  if (!matches(marks, m.СоедЧМ)) faults << QStringLiteral("СоедЧМ = \"%1\"").arg(m.СоедЧМ);
  if (!m.СоедПрибора[6].isEmpty()) {
    faults << QStringLiteral("СоедПрибора(6) = \"%1\"").arg(m.СоедПрибора[6]);
  }

  // Which plug is in which instrument, by the plugs' tags.
  int plugsIn[AssemblyModel::kInstruments + 1] = {};
  QStringList tokensIn[AssemblyModel::kInstruments + 1];
  for (int k = 1; k <= AssemblyModel::kCables; ++k) {
    for (int p = 1; p <= 2; ++p) {
      const AssemblyModel::Plug& plug = m.plug(k, p);
      if (!matches(tag, plug.Tag) || plug.Tag[0].digitValue() != p) {
        faults
            << QStringLiteral("plug %1 of cable %2 has the tag \"%3\"").arg(p).arg(k).arg(plug.Tag);
        continue;
      }
      const int holder = plug.Tag[1].digitValue();
      if (plug.container != holder) {
        faults << QStringLiteral("plug %1 of cable %2: tag %3, container %4")
                      .arg(p)
                      .arg(k)
                      .arg(plug.Tag)
                      .arg(plug.container);
      }
      if (!std::isfinite(plug.Left) || !std::isfinite(plug.Top)) {
        faults << QStringLiteral("plug %1 of cable %2 has no place").arg(p).arg(k);
      }
      if (holder != 0) {
        ++plugsIn[holder];
        tokensIn[holder] << QString::number(p) + QString::number(k);
      }
    }
    const QString records[2] = {m.ВхКабеля(k), m.ВыхКабеля(k)};
    const QString kinds[2] = {QStringLiteral("Вхд"), QStringLiteral("Вых")};
    for (int side = 0; side < 2; ++side) {
      const QString& record = records[side];
      const bool known =
          record.isEmpty() || record == kinds[side] ||
          (record.size() == 5 && record.mid(1, 3) == kinds[side] && record[0].digitValue() == k &&
           (record[4] == QLatin1Char('1') || record[4] == QLatin1Char('2')));
      if (!known) faults << QStringLiteral("cable %1 has the record \"%2\"").arg(k).arg(record);
    }
    const AssemblyModel::Line& line = m.Кабель(k);
    if (!std::isfinite(line.X1) || !std::isfinite(line.Y1) || !std::isfinite(line.X2) ||
        !std::isfinite(line.Y2)) {
      faults << QStringLiteral("cable %1 has no line").arg(k);
    }
  }

  // The lists agree with the tags: one key per plug in the instrument, one token per plug.
  for (int i = 1; i <= AssemblyModel::kInstruments; ++i) {
    const QString& list = i <= 3 ? m.ПриборыВх : m.ПриборыВых;
    const qsizetype keys = list.count(m.ИмяПрибора[i]);
    if (keys != plugsIn[i]) {
      faults << QStringLiteral("\"%1\" holds %2 %3 times, %4 plugs are in it")
                    .arg(list, m.ИмяПрибора[i])
                    .arg(keys)
                    .arg(plugsIn[i]);
    }
    const QString& tokens = m.СоедПрибора[i];
    QStringList held;
    bool wellFormed = tokens.size() % 2 == 0;
    for (qsizetype at = 0; wellFormed && at < tokens.size(); at += 2) {
      const QString two = tokens.mid(at, 2);
      if (two == QStringLiteral("  ")) continue;
      wellFormed = matches(token, two);
      held << two;
    }
    held.sort();
    tokensIn[i].sort();
    if (!wellFormed || held != tokensIn[i]) {
      faults << QStringLiteral("СоедПрибора(%1) = \"%2\" with plugs %3 in it")
                    .arg(i)
                    .arg(tokens, tokensIn[i].join(QLatin1Char(',')));
    }
    if (plugsIn[i] > 0 && !m.instrument(i).Visible) {
      faults << QStringLiteral("plugs in the hidden instrument %1").arg(i);
    }
  }
  return faults;
}
