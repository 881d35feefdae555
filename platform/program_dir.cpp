#include "platform/program_dir.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString& overridePath() {
  static QString path;
  return path;
}
}  // namespace

QString programDirectory() {
  if (!overridePath().isEmpty()) return overridePath();
  return QCoreApplication::applicationDirPath();
}

void setProgramDirectory(const QString& path) { overridePath() = path; }

bool makeProgramDirectoryCurrent() { return QDir::setCurrent(programDirectory()); }
