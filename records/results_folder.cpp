#include "records/results_folder.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryFile>

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
