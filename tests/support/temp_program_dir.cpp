#include "temp_program_dir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include "platform/pictures.h"
#include "platform/program_dir.h"

TempProgramDir::TempProgramDir() : previousCurrent_(QDir::currentPath()) {
  const QDir pictures(QCoreApplication::applicationDirPath());
  const QStringList patterns{QStringLiteral("*.svg"), QStringLiteral("*.ico"),
                             QStringLiteral("*.ICO")};
  for (const QString& name : pictures.entryList(patterns, QDir::Files)) {
    QFile::copy(pictures.filePath(name), dir_.filePath(name));
  }
  setProgramDirectory(dir_.path());
  QDir::setCurrent(dir_.path());
}

TempProgramDir::~TempProgramDir() {
  setProgramDirectory(QString());
  QDir::setCurrent(previousCurrent_);
}

void TempProgramDir::removePicture(const QString& fileName) {
  QFile::remove(picturePath(fileName));
}
