#pragma once

#include <QString>
#include <QTemporaryDir>

// A program folder of the test's own: a temporary folder with a copy of the program's pictures,
// made the program's directory and the current directory for as long as the object lives.
class TempProgramDir {
 public:
  TempProgramDir();
  ~TempProgramDir();
  TempProgramDir(const TempProgramDir&) = delete;
  TempProgramDir& operator=(const TempProgramDir&) = delete;

  QString path() const { return dir_.path(); }
  QString filePath(const QString& name) const { return dir_.filePath(name); }
  // Takes one picture away, as an incomplete installation would (name as the screens use it).
  void removePicture(const QString& fileName);

 private:
  QTemporaryDir dir_;
  QString previousCurrent_;
};
