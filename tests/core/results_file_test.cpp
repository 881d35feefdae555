#include "records/results_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <bit>
#include <functional>
#include <optional>

#include "app/work_state.h"

namespace {

// Each test runs in a folder of its own, made the current directory as the program's is.
class ResultsFile : public ::testing::Test {
 protected:
  ResultsFile() : previous_(QDir::currentPath()) { QDir::setCurrent(dir_.path()); }
  ~ResultsFile() override { QDir::setCurrent(previous_); }

  static QByteArray fileBytes(const QString& name) {
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  static void writeFile(const QString& name, const QByteArray& bytes) {
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }

  QTemporaryDir dir_;
  QString previous_;
};

// A record in which every member holds a value of its own, so a member at a wrong place shows.
Результат sampleRecord() {
  Результат r;
  r.Фамилия = QStringLiteral("Иванов");
  r.Имя = QStringLiteral("Пётр");
  r.Отчество = QStringLiteral("Сергеевич");
  r.Группа = QStringLiteral("РТ-21");
  r.НомерСБ = QStringLiteral("12345");
  r.EMail = QStringLiteral("ivanov@mail.ru");
  r.Вариант = QStringLiteral("53");
  r.Ответ1 = QStringLiteral("Да");
  r.Ответ2 = QStringLiteral("Нет");
  for (int row = 1; row <= 14; ++row) r.ХарUвх[row] = 100.5f + row;
  for (int row = 1; row <= 20; ++row) {
    r.Харuвх[row] = 10.25f * row;
    r.Харdf[row] = -0.5f * row;
    r.ХарS[row] = 1000.0f + row;
  }
  r.dfk = 200;
  r.dfэфф = 1.2998;
  r.dfпик = 4.3283;
  r.Пчм = 20.5525;
  r.N = 1320;
  r.F1 = 60;
  r.F2 = 2596;
  r.pk = -32;
  r.Рср = 42.24;
  r.mf = 1.6673;
  r.dfkИтог = 210;
  r.dfэффИтог = 0.2771;
  r.dfпикИтог = 0.9227;
  r.ПчмИтог = 10.1327;
  r.NИтог = 60;
  r.F1Итог = 312;
  r.F2Итог = 8999.9999;
  r.pkИтог = 33;
  r.РсрИтог = 1.92;
  r.mfИтог = -0.3554;
  return r;
}

// The same record laid out by hand: offsets and encodings as the file keeps them.
class HandLayout {
 public:
  HandLayout() : bytes_(kResultRecordSize, '\x55') {}  // 0x55: a byte nothing may leave behind
  void text(int offset, int width, const QByteArray& cp1251) {
    for (int i = 0; i < width; ++i) bytes_[offset + i] = i < cp1251.size() ? cp1251[i] : ' ';
  }
  void text(int offset, int width, const QString& text) {
    QStringEncoder encoder("windows-1251");
    this->text(offset, width, QByteArray(encoder.encode(text)));
  }
  void little(int offset, std::uint64_t value, int size) {
    for (int i = 0; i < size; ++i) bytes_[offset + i] = static_cast<char>(value >> (8 * i));
  }
  void single(int offset, float value) { little(offset, std::bit_cast<std::uint32_t>(value), 4); }
  const QByteArray& bytes() const { return bytes_; }

 private:
  QByteArray bytes_;
};

QByteArray sampleBytes() {
  HandLayout b;
  b.text(0, 20, QByteArray::fromHex("c8e2e0edeee2"));  // Иванов
  b.text(20, 20, QStringLiteral("Пётр"));
  b.text(40, 20, QStringLiteral("Сергеевич"));
  b.text(60, 10, QStringLiteral("РТ-21"));
  b.text(70, 20, QStringLiteral("12345"));
  b.text(90, 20, QStringLiteral("ivanov@mail.ru"));
  b.text(110, 2, QStringLiteral("53"));
  b.text(112, 5, QStringLiteral("Да"));
  b.text(117, 5, QStringLiteral("Нет"));
  for (int row = 1; row <= 14; ++row) b.single(122 + 4 * (row - 1), 100.5f + row);
  for (int row = 1; row <= 20; ++row) {
    b.single(178 + 4 * (row - 1), 10.25f * row);
    b.single(258 + 4 * (row - 1), -0.5f * row);
    b.single(338 + 4 * (row - 1), 1000.0f + row);
  }
  // Offset and raw value (x 10000) of each Currency member, in the record's order.
  const std::pair<int, std::int64_t> currencies[] = {
      {418, 2000000}, {426, 12998},    {434, 43283},  {442, 205525},
      {452, 600000},  {460, 25960000}, {470, 422400}, {478, 16673},
      {486, 2100000}, {494, 2771},     {502, 9227},   {510, 101327},
      {520, 3120000}, {528, 89999999}, {538, 19200},  {546, -3554}};
  for (const auto& [offset, raw] : currencies) b.little(offset, static_cast<std::uint64_t>(raw), 8);
  for (const auto& [offset, value] : {std::pair{450, 1320}, {468, -32}, {518, 60}, {536, 33}})
    b.little(offset, static_cast<std::uint16_t>(value), 2);
  return b.bytes();
}

TEST_F(ResultsFile, EveryMemberLiesAtItsOffsetInTheFile) {
  EXPECT_EQ(sampleBytes().size(), kResultRecordSize);
  EXPECT_EQ(encodeResultRecord(sampleRecord()).toHex(' '), sampleBytes().toHex(' '));

  ModЧМ state;
  state.Рез = sampleRecord();
  ASSERT_EQ(state.ЗаписатьРезультат(), FileStatus::Ok);
  EXPECT_EQ(QDir().entryList(QDir::Files), QStringList{QStringLiteral("Result7_12345.res")});
  EXPECT_EQ(fileBytes(QStringLiteral("Result7_12345.res")).toHex(' '), sampleBytes().toHex(' '));
}

TEST_F(ResultsFile, TextIsCutToItsWidthAndForeignCharactersBecomeQuestionMarks) {
  Результат r;
  r.Фамилия = QStringLiteral("Константинопольский-Оглы");  // 24 characters
  r.Имя = QStringLiteral("№ Zoë 日本");  // № is in the code page, ë and the kanji are not
  r.Отчество = QStringLiteral("Андре\u0438\u0306вич");  // й typed as и + combining breve
  const QByteArray bytes = encodeResultRecord(r);
  EXPECT_EQ(bytes.mid(0, 20),
            QStringEncoder("windows-1251").encode(QStringLiteral("Константинопольский-")));
  EXPECT_EQ(bytes.mid(20, 20), QByteArray("\xB9 Zo? ??") + QByteArray(12, ' '));
  EXPECT_EQ(bytes.mid(40, 9), QByteArray("\xC0\xED\xE4\xF0\xE5\xE9\xE2\xE8\xF7"));
}

// A file longer than one record gives its first record.
TEST_F(ResultsFile, ReadingBackRestoresTheWholeRecord) {
  for (const QByteArray& tail : {QByteArray(), QByteArray(46, 'x')}) {
    writeFile(QStringLiteral("старый.res"), sampleBytes() + tail);
    ModЧМ state;
    state.Рез.Вариант = QStringLiteral("01");
    state.Рез.N = 60;
    state.ИмяФайла = QDir::current().filePath(QStringLiteral("старый.res"));
    ASSERT_EQ(state.СчитатьРезультат(), FileStatus::Ok) << tail.size();
    EXPECT_EQ(encodeResultRecord(state.Рез), sampleBytes()) << tail.size();
  }
}

TEST_F(ResultsFile, WritingAgainReplacesTheRecordAndTheFileStays554Bytes) {
  ModЧМ state;
  state.Рез = sampleRecord();
  ASSERT_EQ(state.ЗаписатьРезультат(), FileStatus::Ok);
  state.Рез.Ответ1 = QStringLiteral("Нет");
  state.Рез.N = 720;
  ASSERT_EQ(state.ЗаписатьРезультат(), FileStatus::Ok);
  const QByteArray bytes = fileBytes(QStringLiteral("Result7_12345.res"));
  EXPECT_EQ(bytes.size(), kResultRecordSize);
  EXPECT_EQ(bytes, encodeResultRecord(state.Рез));
  EXPECT_EQ(QDir().entryList(QDir::Files | QDir::Hidden).size(), 1);  // no temporary left
}

TEST_F(ResultsFile, ALongerFileKeepsWhatFollowsTheRecord) {
  const QByteArray tail("second record and more");
  writeFile(QStringLiteral("Result7_12345.res"), QByteArray(kResultRecordSize, 'x') + tail);
  ModЧМ state;
  state.Рез = sampleRecord();
  ASSERT_EQ(state.ЗаписатьРезультат(), FileStatus::Ok);
  EXPECT_EQ(fileBytes(QStringLiteral("Result7_12345.res")), sampleBytes() + tail);
}

TEST_F(ResultsFile, TheCardNumberNamesTheFileWithoutItsBlanks) {
  Результат r;
  r.НомерСБ = QStringLiteral("  77-ab.c  ");
  EXPECT_EQ(resultsFileName(r), QStringLiteral("Result7_77-ab.c.res"));
}

// Write failures: each gives a status other than Ok and leaves what was there untouched.
struct WriteFailure {
  const char* name;
  // Prepares the folder for the card number 42; returns false when the situation cannot be
  // made here (a read-only folder does not stop the super-user).
  std::function<bool(const QString& folder)> arrange;
  const char* card = "42";
  std::optional<FileStatus> status = {};  // the exact status, where only one is right
};

class ResultsFileWriteFailure : public ResultsFile,
                                public ::testing::WithParamInterface<WriteFailure> {};

TEST_P(ResultsFileWriteFailure, IsReportedAndChangesNothing) {
  if (!GetParam().arrange(dir_.path())) GTEST_SKIP() << "cannot be arranged for this user";
  ModЧМ state;
  state.Рез = sampleRecord();
  state.Рез.НомерСБ = QString::fromUtf8(GetParam().card);
  const QByteArray before = encodeResultRecord(state.Рез);
  const FileStatus status = state.ЗаписатьРезультат();
  EXPECT_NE(status, FileStatus::Ok);
  if (GetParam().status) {
    EXPECT_EQ(status, *GetParam().status);
  }
  EXPECT_EQ(encodeResultRecord(state.Рез), before);
  // No file at all: neither the results file nor a temporary one.
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
  QDir::setCurrent(dir_.path());
  QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

INSTANTIATE_TEST_SUITE_P(
    Situations, ResultsFileWriteFailure,
    ::testing::Values(
        WriteFailure{"NameIsAFolder",
                     [](const QString& folder) {
                       return QDir(folder).mkdir(QStringLiteral("Result7_42.res"));
                     },
                     "42", FileStatus::OpenFailed},
        WriteFailure{"CurrentFolderRemoved",
                     [](const QString& folder) {
                       QDir(folder).mkdir(QStringLiteral("gone"));
                       QDir::setCurrent(folder + QStringLiteral("/gone"));
                       return ::rmdir(QFile::encodeName(folder + QStringLiteral("/gone"))) == 0;
                     }},
        WriteFailure{"ReadOnlyFolder",
                     [](const QString& folder) {
                       QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
                       QFile probe(folder + QStringLiteral("/probe"));
                       if (probe.open(QIODevice::WriteOnly)) {  // the super-user writes anyway
                         probe.remove();
                         return false;
                       }
                       return true;
                     }},
        WriteFailure{
            "CardNumberReachesIntoAnotherFolder",
            [](const QString& folder) { return QDir(folder).mkdir(QStringLiteral("Result7_x")); },
            "x/../Result7_42"},
        WriteFailure{"CardNumberNamesAMissingFolder", [](const QString&) { return true; },
                     "42/345"}),
    [](const auto& info) { return std::string(info.param.name); });

// Read failures: each gives its status and leaves the record exactly as it was.
struct ReadFailure {
  const char* name;
  std::function<QString(const QString& folder)> arrange;  // the chosen file's path, or empty
  FileStatus expected;
};

class ResultsFileReadFailure : public ResultsFile,
                               public ::testing::WithParamInterface<ReadFailure> {};

TEST_P(ResultsFileReadFailure, IsReportedAndTheRecordStays) {
  ModЧМ state;
  state.Рез = sampleRecord();
  state.ИмяФайла = GetParam().arrange(dir_.path());
  if (state.ИмяФайла.isEmpty()) GTEST_SKIP() << "cannot be arranged for this user";
  const QByteArray before = encodeResultRecord(state.Рез);
  EXPECT_EQ(state.СчитатьРезультат(), GetParam().expected);
  EXPECT_EQ(encodeResultRecord(state.Рез), before);
}

QString fileOf(const QString& folder, int size) {
  const QString path = folder + QStringLiteral("/Result7_1.res");
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return {};
  file.write(QByteArray(size, 'A'));
  return path;
}

INSTANTIATE_TEST_SUITE_P(
    Situations, ResultsFileReadFailure,
    ::testing::Values(
        ReadFailure{"Missing",
                    [](const QString& folder) { return folder + QStringLiteral("/нет.res"); },
                    FileStatus::OpenFailed},
        ReadFailure{"Folder",
                    [](const QString& folder) {
                      QDir(folder).mkdir(QStringLiteral("Result7_9.res"));
                      return folder + QStringLiteral("/Result7_9.res");
                    },
                    FileStatus::OpenFailed},
        ReadFailure{"OneByteShort",
                    [](const QString& folder) { return fileOf(folder, kResultRecordSize - 1); },
                    FileStatus::TooShort},
        ReadFailure{"Empty", [](const QString& folder) { return fileOf(folder, 0); },
                    FileStatus::TooShort},
        ReadFailure{"Unreadable",
                    [](const QString& folder) {
                      const QString path = fileOf(folder, kResultRecordSize);
                      QFile::setPermissions(path, QFile::WriteOwner);
                      QFile probe(path);
                      return probe.open(QIODevice::ReadOnly) ? QString() : path;
                    },
                    FileStatus::OpenFailed}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
