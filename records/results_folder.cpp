#include "records/results_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include "records/results_file.h"

bool folderTakesFiles(const QString& folder) {
  QTemporaryFile trial(QDir(folder).filePath(QStringLiteral("fmlab-write-check-XXXXXX")));
  return trial.open();  // removed again when `trial` goes
}

QString resultsFolder(const QString& programFolder,
                      const std::function<bool(const QString&)>& takesFiles) {
  if (takesFiles(programFolder)) return programFolder;
  QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (documents.isEmpty()) documents = QDir::homePath();
  const QString folder = QDir(documents).filePath(QString::fromUtf8(kResultsFolderName));
  QDir().mkpath(folder);
  return folder;
}

QString resultsFolder() { return resultsFolder(QDir::currentPath()); }

QString resultsFilePath(const Результат& record) {
  const QString name = resultsFileName(record);
  // A results file that is already in the program's folder and can be written is updated there,
  // even when the folder itself takes no new files (no temporary file can be made beside it).
  const QFileInfo inProgramFolder(QDir::current().filePath(name));
  if (inProgramFolder.isFile() && inProgramFolder.isWritable()) return inProgramFolder.filePath();
  return QDir(resultsFolder()).filePath(name);
}
