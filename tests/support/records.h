#pragma once

#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QtEndian>
#include <cmath>
#include <tuple>

#include "state/result_record.h"

// A whole characteristic table: readings rising evenly, the deviation lagging more and more.
inline void fillTable(Результат& r) {
  for (int row = 1; row <= 14; ++row) {
    r.Харuвх[row] = float(14.2 * row);
    r.ХарUвх[row] = float(20 * row);
    r.Харdf[row] = float(10 * (1 - std::exp(-row / 6.0)));
    r.ХарS[row] = r.Харdf[row] / (r.ХарUвх[row] / 1000);
  }
}

// A record with something in every kind of member, as a student's would be.
inline Результат filledRecord(const QString& cardNumber = QStringLiteral("12345")) {
  Результат r;
  fillTable(r);
  const QStringList texts{"Петров", "Пётр", "Петрович", "РС-31", cardNumber, "petrov@example.ru"};
  std::tie(r.Фамилия, r.Имя, r.Отчество, r.Группа, r.НомерСБ, r.EMail) =
      std::tuple(texts[0], texts[1], texts[2], texts[3], texts[4], texts[5]);
  std::tie(r.Вариант, r.N, r.F1, r.F2) = std::tuple(QStringLiteral("53"), 300, 12, 1300);
  return r;
}

// A whole file's bytes (none when it cannot be read), a whole file written, a little-endian
// number at a byte offset.
inline QByteArray fileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
inline bool writeBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
template <class T>
T numberAt(const QByteArray& bytes, int offset) {
  return qFromLittleEndian<T>(bytes.constData() + offset);
}

// The table's numbers, which no step of the work may leave other than finite.
inline QStringList recordFaults(const Результат& r) {
  QStringList faults;
  for (const float* column : {r.ХарUвх, r.Харuвх, r.Харdf, r.ХарS})
    for (int row = 1; row <= 14; ++row)
      if (!std::isfinite(column[row]))
        faults << QStringLiteral("row %1: %2").arg(row).arg(column[row]);
  return faults;
}

// A folder that takes no new files while the object lives, as an installed program's folder is
// for the student: its permission bits say so, and the thread gives up the superuser's power to
// override them (the file system then refuses with EACCES, as for anyone). `holds` says whether
// a file really cannot be created there.
struct UnwritableFolder {
  explicit UnwritableFolder(const QString& path) : folder(QFile::encodeName(path)) {
    ::syscall(SYS_capget, &header, saved);
    __user_cap_data_struct reduced[2] = {saved[0], saved[1]};
    reduced[0].effective &= ~(1u << CAP_DAC_OVERRIDE);
    QFile probe(path + QStringLiteral("/probe.tmp"));
    holds = ::syscall(SYS_capset, &header, reduced) == 0 &&
            ::chmod(folder.constData(), 0555) == 0 && !probe.open(QIODevice::WriteOnly);
    probe.remove();
  }
  ~UnwritableFolder() { ::chmod(folder.constData(), 0755), ::syscall(SYS_capset, &header, saved); }
  QByteArray folder;
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct saved[2]{};
  bool holds = false;
};
