#include "records/results_folder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/work_state.h"
#include "records/results_file.h"

namespace {

// The student's home in a temporary folder, without a user-dirs file: documents are ~/Documents.
class ResultsFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"HOME", "XDG_CONFIG_HOME"}) saved_.emplace_back(name, qgetenv(name));
    qputenv("HOME", QFile::encodeName(home_.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home_.filePath(QStringLiteral("config"))));
    current_ = QDir::currentPath();
  }
  void TearDown() override {
    QDir::setCurrent(current_);
    for (const auto& [name, value] : saved_)
      value.isNull() ? qunsetenv(name) : qputenv(name, value);
  }

  QTemporaryDir home_, program_;
  const QString lab_ =
      home_.filePath(QStringLiteral("Documents/Исследование модуляционной характеристики"));
  std::vector<std::pair<const char*, QByteArray>> saved_;
  QString current_;
};

TEST_F(ResultsFolder, TheProgramsFolderWhileItTakesFilesElseTheLabsFolderInDocuments) {
  EXPECT_EQ(resultsFolder(program_.path(), [](const QString&) { return true; }), program_.path());
  EXPECT_FALSE(QDir(lab_).exists());
  EXPECT_EQ(resultsFolder(program_.path(), [](const QString&) { return false; }), lab_);
  EXPECT_TRUE(QDir(lab_).exists());  // made on the way

  EXPECT_TRUE(folderTakesFiles(program_.path()));
  EXPECT_TRUE(
      QDir(program_.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
  EXPECT_FALSE(folderTakesFiles(QStringLiteral("/proc")));  // not even root writes there
  EXPECT_FALSE(folderTakesFiles(program_.filePath(QStringLiteral("gone"))));
}

// The whole write, as the personal data screen and the end of the work make it, from a program
// folder that nobody can write to, then from one that takes files.
TEST_F(ResultsFolder, AnInstalledProgramWritesTheResultsFileIntoTheStudentsDocuments) {
  ModЧМ state;
  state.Рез.НомерСБ = QStringLiteral("40417");
  const QString inDocuments = lab_ + QStringLiteral("/Result7_40417.res");
  ASSERT_TRUE(QDir::setCurrent(QStringLiteral("/proc")));
  EXPECT_EQ(resultsFilePath(state.Рез), inDocuments);
  ASSERT_EQ(state.ЗаписатьРезультат(), FileStatus::Ok);
  QFile written(inDocuments);
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  const QByteArray bytes = written.readAll();
  ASSERT_EQ(bytes.size(), 554);
  EXPECT_EQ(bytes.mid(70, 7), QByteArray("40417  "));  // the card number, padded with blanks

  ASSERT_TRUE(QDir::setCurrent(program_.path()));
  const QString inProgram = program_.filePath(QStringLiteral("Result7_40417.res"));
  EXPECT_EQ(resultsFilePath(state.Рез), inProgram);
  ASSERT_EQ(state.ЗаписатьРезультат(), FileStatus::Ok);
  EXPECT_TRUE(QFile::exists(inProgram));
}

}  // namespace
