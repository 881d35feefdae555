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
#include <cstring>

#include "records/result_record.h"

// A record with something in every kind of member, as a student's would be.
inline Результат filledRecord(const QString& cardNumber = QStringLiteral("12345")) {
  Результат r;
  r.Фамилия = QStringLiteral("Петров");
  r.Имя = QStringLiteral("Пётр");
  r.Отчество = QStringLiteral("Петрович");
  r.Группа = QStringLiteral("РС-31");
  r.НомерСБ = cardNumber;
  r.EMail = QStringLiteral("petrov@example.ru");
  r.Вариант = QStringLiteral("53");
  r.Харuвх[1] = 40.5f;
  r.ХарUвх[1] = 57.1f;
  r.Харdf[1] = 1.204f;
  r.ХарS[1] = 21.08f;
  r.N = 300;
  r.F1 = 12;
  r.F2 = 1300;
  return r;
}

// A whole characteristic table: readings rising evenly, the deviation lagging more and more.
inline void fillTable(Результат& r) {
  for (int row = 1; row <= 14; ++row) {
    r.Харuвх[row] = float(14.2 * row);
    r.ХарUвх[row] = float(20 * row);
    r.Харdf[row] = float(10 * (1 - std::exp(-row / 6.0)));
    r.ХарS[row] = r.Харdf[row] / (r.ХарUвх[row] / 1000);
  }
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
  T value{};
  if (offset + int(sizeof(T)) <= bytes.size())
    std::memcpy(&value, bytes.constData() + offset, sizeof(T));
  return qFromLittleEndian(value);
}

// The record's numbers that no step of the work may leave other than finite. Returns the names.
inline QStringList recordFaults(const Результат& r) {
  QStringList faults;
  for (int row = 1; row <= 20; ++row) {
    const float values[] = {row <= 14 ? r.ХарUвх[row] : 0.0f, r.Харuвх[row], r.Харdf[row],
                            r.ХарS[row]};
    for (const float v : values) {
      if (!std::isfinite(v)) faults << QStringLiteral("row %1 holds %2").arg(row).arg(v);
    }
  }
  return faults;
}

// A folder that nothing can be written into while the object lives. Permission bits do not stop
// the superuser, so for root the folder is made immutable instead.
class UnwritableFolder {
 public:
  explicit UnwritableFolder(const QString& path) : path_(QFile::encodeName(path)) {
    root_ = ::geteuid() == 0;
    done_ = root_ ? setImmutable(true) : ::chmod(path_.constData(), 0555) == 0;
  }
  ~UnwritableFolder() {
    if (done_ && root_) setImmutable(false);
    if (done_ && !root_) ::chmod(path_.constData(), 0755);
  }
  bool holds() const {  // whether a file really cannot be created there now
    QFile probe(QDir(QFile::decodeName(path_)).filePath(QStringLiteral("probe.tmp")));
    return !probe.open(QIODevice::WriteOnly) || !probe.remove();
  }

 private:
  bool setImmutable(bool on) const {
    const int fd = ::open(path_.constData(), O_RDONLY | O_DIRECTORY);
    int flags = 0;
    bool done = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    if (fd >= 0) ::close(fd);
    return done;
  }

  QByteArray path_;
  bool root_ = false, done_ = false;
};
