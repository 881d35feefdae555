#include "records/results_folder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/work_state.h"

namespace {

// The student's home in a temporary folder, with no user-dirs file: documents are ~/Documents.
class ResultsFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(QDir().mkpath(home_.filePath(QStringLiteral("config"))));
    savedHome_ = qgetenv("HOME");
    savedConfig_ = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", QFile::encodeName(home_.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home_.filePath(QStringLiteral("config"))));
    savedCurrent_ = QDir::currentPath();
  }
  void TearDown() override {
    QDir::setCurrent(savedCurrent_);
    qputenv("HOME", savedHome_);
    if (savedConfig_.isNull())
      qunsetenv("XDG_CONFIG_HOME");
    else
      qputenv("XDG_CONFIG_HOME", savedConfig_);
  }
  QString labFolder() const {
    return home_.filePath(QStringLiteral("Documents/Исследование модуляционной характеристики"));
  }

  QTemporaryDir home_;
  QTemporaryDir program_;
  QByteArray savedHome_, savedConfig_;
  QString savedCurrent_;
};

TEST_F(ResultsFolder, TheProgramsFolderWhileItTakesFilesElseTheLabsFolderInDocuments) {
  const auto writable = [](const QString&) { return true; };
  const auto readOnly = [](const QString&) { return false; };
  EXPECT_EQ(resultsFolder(program_.path(), writable), program_.path());
  EXPECT_FALSE(QDir(labFolder()).exists());
  EXPECT_EQ(resultsFolder(program_.path(), readOnly), labFolder());
  EXPECT_TRUE(QDir(labFolder()).exists());  // made on the way
  EXPECT_EQ(resultsFolder(program_.path(), readOnly), labFolder());
}

TEST_F(ResultsFolder, AFolderTakesFilesWhenTheFileSystemLetsAFileBeMadeThere) {
  EXPECT_TRUE(folderTakesFiles(program_.path()));
  EXPECT_TRUE(QDir(program_.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
  EXPECT_FALSE(folderTakesFiles(QStringLiteral("/proc")));  // not even root writes there
  EXPECT_FALSE(folderTakesFiles(program_.filePath(QStringLiteral("missing"))));
  if (geteuid() != 0) {  // root writes into a folder without permissions
    QFile::setPermissions(program_.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    EXPECT_FALSE(folderTakesFiles(program_.path()));
    QFile::setPermissions(program_.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  }
}

// The whole write, as the personal data screen and the end of the work make it, run from a
// program folder that nobody can write to.
TEST_F(ResultsFolder, AnInstalledProgramWritesTheResultsFileIntoTheStudentsDocuments) {
  ModЧМ state;
  state.Рез.НомерСБ = QStringLiteral("40417");
  state.Рез.Фамилия = QStringLiteral("Орлова");
  const QString expected = labFolder() + QStringLiteral("/Result7_40417.res");

  ASSERT_TRUE(QDir::setCurrent(QStringLiteral("/proc")));
  EXPECT_EQ(resultsFilePath(state.Рез), expected);
  ASSERT_EQ(state.ЗаписатьРезультат(), FileStatus::Ok);
  QFile written(expected);
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  const QByteArray bytes = written.readAll();
  ASSERT_EQ(bytes.size(), 554);
  // The card number at offset 70, in Windows-1251 and padded with blanks.
  EXPECT_EQ(bytes.mid(70, 7), QByteArray("40417  "));

  ASSERT_TRUE(QDir::setCurrent(program_.path()));
  ASSERT_EQ(state.ЗаписатьРезультат(), FileStatus::Ok);
  EXPECT_TRUE(QFile::exists(program_.filePath(QStringLiteral("Result7_40417.res"))));
  EXPECT_EQ(resultsFilePath(state.Рез), program_.filePath(QStringLiteral("Result7_40417.res")));
}

}  // namespace
