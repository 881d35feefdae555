#pragma once

#include <QString>
#include <QStringList>

#include "assembly/assembly_model.h"

// What must hold of the table's bookkeeping after any mouse events: each plug's tag names its
// place, and each instrument's key list and token string agree with the plugs in it.
inline QStringList assemblyFaults(const AssemblyModel& m) {
  QStringList faults, tokensIn[AssemblyModel::kInstruments + 1];
  for (int k = 1; k <= AssemblyModel::kCables; ++k)
    for (int p = 1; p <= 2; ++p) {
      const AssemblyModel::Plug& plug = m.plug(k, p);
      const QString tag = QString::number(p) + QString::number(plug.container);
      if (plug.Tag != tag || plug.container < 0 || plug.container > 5) {
        faults << QStringLiteral("plug %1 of cable %2: tag ").arg(p).arg(k) + plug.Tag;
      } else if (plug.container != 0) {
        tokensIn[plug.container] << QString::number(p) + QString::number(k);
      }
    }
  for (int i = 1; i <= AssemblyModel::kInstruments; ++i) {
    const QString& keys = i <= 3 ? m.ПриборыВх : m.ПриборыВых;
    QStringList held;  // two characters each: an odd one out fails
    for (qsizetype at = 0; at < m.СоедПрибора[i].size(); at += 2)
      held << m.СоедПрибора[i].mid(at, 2);
    held.removeAll(QStringLiteral("  "));
    held.sort();
    tokensIn[i].sort();
    if (keys.count(m.ИмяПрибора[i]) != tokensIn[i].size() || held != tokensIn[i]) {
      faults << QStringLiteral("instrument %1: \"%2\", \"%3\", plugs %4")
                    .arg(i)
                    .arg(keys, m.СоедПрибора[i], tokensIn[i].join(','));
    }
  }
  return faults;
}
