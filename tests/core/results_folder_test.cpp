#include "records/results_folder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

// The program's folder while it takes files, else the lab's folder in the student's documents,
// made on the way (a home without a user-dirs file: documents are ~/Documents). The check asks the
// file system itself, so it holds for root and leaves nothing behind.
TEST(ResultsFolder, TheProgramsFolderWhileItTakesFilesElseTheLabsFolderInDocuments) {
  QTemporaryDir home, program;
  const QByteArray saved[] = {qgetenv("HOME"), qgetenv("XDG_CONFIG_HOME")};
  qputenv("HOME", QFile::encodeName(home.path()));
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
  const QString lab =
      home.filePath(QStringLiteral("Documents/Исследование модуляционной характеристики"));
  EXPECT_EQ(resultsFolder(program.path(), [](const QString&) { return true; }), program.path());
  EXPECT_FALSE(QDir(lab).exists());
  EXPECT_EQ(resultsFolder(program.path(), [](const QString&) { return false; }), lab);
  EXPECT_TRUE(QDir(lab).exists());
  qputenv("HOME", saved[0]);
  qputenv("XDG_CONFIG_HOME", saved[1]);

  EXPECT_TRUE(folderTakesFiles(program.path()));
  EXPECT_TRUE(QDir(program.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
  EXPECT_FALSE(folderTakesFiles(QStringLiteral("/proc")));  // not even root writes there
  EXPECT_FALSE(folderTakesFiles(program.filePath(QStringLiteral("gone"))));
}

}  // namespace
