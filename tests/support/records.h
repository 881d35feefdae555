#pragma once

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QtEndian>
#include <cmath>
#include <tuple>

#include "records/result_record.h"

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

inline QByteArray fileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A little-endian number of the file at a byte offset.
template <class T>
T numberAt(const QByteArray& bytes, int offset) {
  return qFromLittleEndian<T>(bytes.constData() + offset);
}

// The table's numbers, which no step of the work may leave other than finite.
inline QStringList recordFaults(const Результат& r) {
  QStringList faults;
  for (const float* column : {r.ХарUвх, r.Харuвх, r.Харdf, r.ХарS}) {
    for (int row = 1; row <= 14; ++row) {
      if (!std::isfinite(column[row]))
        faults << QStringLiteral("row %1: %2").arg(row).arg(column[row]);
    }
  }
  return faults;
}

// Makes a folder unwritable (on) or writable again. Permission bits do not stop the superuser,
// so for root the folder is made immutable instead. Returns whether it could.
inline bool setUnwritable(const QByteArray& folder, bool on) {
  if (::geteuid() != 0) return ::chmod(folder.constData(), on ? 0555 : 0755) == 0;
  const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY);
  int flags = 0;
  bool done = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
  flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
  done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
  if (fd >= 0) ::close(fd);
  return done;
}

// A folder that nothing can be written into while the object lives; `holds` says whether a file
// really cannot be created there.
struct UnwritableFolder {
  explicit UnwritableFolder(const QString& path) : folder(QFile::encodeName(path)) {
    QFile probe(path + QStringLiteral("/probe.tmp"));
    holds = setUnwritable(folder, true) && !probe.open(QIODevice::WriteOnly);
    probe.remove();
  }
  ~UnwritableFolder() { setUnwritable(folder, false); }
  QByteArray folder;
  bool holds = false;
};
