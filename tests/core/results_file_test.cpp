#include "records/results_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <bit>
#include <csignal>
#include <functional>
#include <map>

#include "app/work_state.h"

namespace {

// Each test runs in a folder of its own, made the current directory as the program's is.
class ResultsFile : public ::testing::Test {
 protected:
  ResultsFile() : previous_(QDir::currentPath()) { QDir::setCurrent(dir_.path()); }
  ~ResultsFile() override { QDir::setCurrent(previous_); }

  static void writeFile(const QString& name, const QByteArray& bytes) {
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  // Every file of the folder, hidden ones too, with its bytes.
  std::map<QString, QByteArray> contents() const {
    std::map<QString, QByteArray> files;
    for (const QString& name : QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden)) {
      QFile file(dir_.filePath(name));
      files[name] = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("unreadable");
    }
    return files;
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
  std::tie(r.dfk, r.dfэфф, r.dfпик, r.Пчм, r.N, r.F1, r.F2, r.pk, r.Рср, r.mf) =
      std::tuple(200, 1.2998, 4.3283, 20.5525, 1320, 60, 2596, -32, 42.24, 1.6673);
  std::tie(r.dfkИтог, r.dfэффИтог, r.dfпикИтог, r.ПчмИтог, r.NИтог, r.F1Итог, r.F2Итог, r.pkИтог,
           r.РсрИтог, r.mfИтог) =
      std::tuple(210, 0.2771, 0.9227, 10.1327, 60, 312, 8999.9999, 33, 1.92, -0.3554);
  return r;
}

// The same record laid out by hand: offsets and encodings as the file keeps them. 0x55 is a byte
// nothing may leave behind.
QByteArray sampleBytes() {
  QByteArray b(kResultRecordSize, '\x55');
  const auto text = [&](int offset, int width, const QString& text) {
    const QByteArray cp1251 = QStringEncoder("windows-1251").encode(text);
    for (int i = 0; i < width; ++i) b[offset + i] = i < cp1251.size() ? cp1251[i] : ' ';
  };
  const auto little = [&](int offset, std::uint64_t value, int size) {
    for (int i = 0; i < size; ++i) b[offset + i] = static_cast<char>(value >> (8 * i));
  };
  const auto single = [&](int offset, float v) {
    little(offset, std::bit_cast<std::uint32_t>(v), 4);
  };
  b.replace(0, 20, QByteArray::fromHex("c8e2e0edeee2") + QByteArray(14, ' '));  // Иванов
  text(20, 20, QStringLiteral("Пётр"));
  text(40, 20, QStringLiteral("Сергеевич"));
  text(60, 10, QStringLiteral("РТ-21"));
  text(70, 20, QStringLiteral("12345"));
  text(90, 20, QStringLiteral("ivanov@mail.ru"));
  text(110, 2, QStringLiteral("53"));
  text(112, 5, QStringLiteral("Да"));
  text(117, 5, QStringLiteral("Нет"));
  for (int row = 1; row <= 14; ++row) single(122 + 4 * (row - 1), 100.5f + row);
  for (int row = 1; row <= 20; ++row) {
    single(178 + 4 * (row - 1), 10.25f * row);
    single(258 + 4 * (row - 1), -0.5f * row);
    single(338 + 4 * (row - 1), 1000.0f + row);
  }
  // Offset and raw value (x 10000) of each Currency member, in the record's order.
  const std::pair<int, std::int64_t> currencies[] = {
      {418, 2000000}, {426, 12998},    {434, 43283},  {442, 205525},
      {452, 600000},  {460, 25960000}, {470, 422400}, {478, 16673},
      {486, 2100000}, {494, 2771},     {502, 9227},   {510, 101327},
      {520, 3120000}, {528, 89999999}, {538, 19200},  {546, -3554}};
  for (const auto& [offset, raw] : currencies) little(offset, static_cast<std::uint64_t>(raw), 8);
  for (const auto& [offset, value] : {std::pair{450, 1320}, {468, -32}, {518, 60}, {536, 33}})
    little(offset, static_cast<std::uint16_t>(value), 2);
  return b;
}

QByteArray fileBytes(const QString& name) {
  QFile file(name);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST_F(ResultsFile, EveryMemberLiesAtItsOffsetInTheFile) {
  ModЧМ state;
  state.Рез = sampleRecord();
  ASSERT_EQ(state.ЗаписатьРезультат(), FileStatus::Ok);
  EXPECT_EQ(QDir().entryList(QDir::Files), QStringList{QStringLiteral("Result7_12345.res")});
  EXPECT_EQ(fileBytes(QStringLiteral("Result7_12345.res")).toHex(' '), sampleBytes().toHex(' '));
}

TEST_F(ResultsFile, TextIsCutToItsWidthAndForeignCharactersBecomeQuestionMarks) {
  Результат r;
  r.Фамилия = QStringLiteral("Константинопольский-Оглы");  // 24 characters
  r.Имя = QStringLiteral("№ Zoë 日本€Ё");  // №, € and Ё are in the code page, ë and the kanji not
  r.Отчество = QStringLiteral("Андре\u0438\u0306вич");  // й typed as и + combining breve
  const QByteArray bytes = encodeResultRecord(r);
  EXPECT_EQ(bytes.mid(0, 20),
            QStringEncoder("windows-1251").encode(QStringLiteral("Константинопольский-")));
  EXPECT_EQ(bytes.mid(20, 20), QByteArray("\xB9 Zo? ??\x88\xA8") + QByteArray(10, ' '));
  EXPECT_EQ(bytes.mid(40, 9), QByteArray("\xC0\xED\xE4\xF0\xE5\xE9\xE2\xE8\xF7"));
}

// A file longer than one record gives its first record.
TEST_F(ResultsFile, ReadingBackRestoresTheWholeRecord) {
  for (const QByteArray& tail : {QByteArray(), QByteArray(46, 'x')}) {
    SCOPED_TRACE(tail.size());
    writeFile(QStringLiteral("старый.res"), sampleBytes() + tail);
    ModЧМ state;
    state.Рез.Вариант = QStringLiteral("01");
    state.Рез.N = 60;
    state.ИмяФайла = QDir::current().filePath(QStringLiteral("старый.res"));
    ASSERT_EQ(state.СчитатьРезультат(), FileStatus::Ok);
    EXPECT_EQ(encodeResultRecord(state.Рез).toHex(' '), sampleBytes().toHex(' '));
  }
}

// Writing again replaces the record and keeps whatever a longer file holds after it.
TEST_F(ResultsFile, WritingAgainReplacesOnlyTheRecord) {
  const QByteArray tail("second record and more");
  for (const QByteArray& before : {QByteArray(), QByteArray(kResultRecordSize, 'x') + tail}) {
    SCOPED_TRACE(before.size());
    writeFile(QStringLiteral("Result7_12345.res"), before);
    ModЧМ state;
    state.Рез = sampleRecord();
    ASSERT_EQ(state.ЗаписатьРезультат(), FileStatus::Ok);
    EXPECT_EQ(fileBytes(QStringLiteral("Result7_12345.res")),
              sampleBytes() + (before.isEmpty() ? QByteArray() : tail));
    EXPECT_EQ(contents().size(), 1u);  // no temporary left
  }
}

TEST_F(ResultsFile, TheCardNumberNamesTheFileWithoutItsBlanks) {
  Результат r;
  r.НомерСБ = QStringLiteral("  77-ab.c  ");
  EXPECT_EQ(resultsFileName(r), QStringLiteral("Result7_77-ab.c.res"));
}

// Write failures: each gives a status other than Ok, leaves the record and the folder as they
// were (no half-written file, no temporary) and leaves an older results file whole.
TEST_F(ResultsFile, WriteFailuresAreReportedAndChangeNothing) {
  const QString folder = dir_.path();
  rlimit fileSize{};
  getrlimit(RLIMIT_FSIZE, &fileSize);
  const struct {
    const char* name;
    const char* card;
    // Prepares the folder; false when the situation cannot be made here (a read-only folder
    // does not stop the super-user).
    std::function<bool()> arrange;
    FileStatus status = FileStatus::Ok;  // the exact status, where only one is right
  } cases[] = {
      {"name is a folder", "42",
       [&] { return QDir(folder).mkdir(QStringLiteral("Result7_42.res")); },
       FileStatus::OpenFailed},
      {"current folder removed", "42",
       [&] {
         QDir(folder).mkdir(QStringLiteral("gone"));
         QDir::setCurrent(folder + QStringLiteral("/gone"));
         return ::rmdir(QFile::encodeName(folder + QStringLiteral("/gone"))) == 0;
       }},
      {"read-only folder", "42",
       [&] {
         QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
         QFile probe(folder + QStringLiteral("/probe"));
         return !probe.open(QIODevice::WriteOnly);
       }},
      {"card number reaches into another folder", "x/../Result7_42",
       [&] { return QDir(folder).mkdir(QStringLiteral("Result7_x")); }},
      {"card number names a missing folder", "42/345", [] { return true; }},
      // The disk fills up while the record is written: the older file stays as it was.
      {"disk full", "42",
       [&] {
         writeFile(QStringLiteral("Result7_42.res"), sampleBytes());
         std::signal(SIGXFSZ, SIG_IGN);
         rlimit small = fileSize;
         small.rlim_cur = 300;
         return setrlimit(RLIMIT_FSIZE, &small) == 0;
       },
       FileStatus::WriteFailed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    for (const QString& name : QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot))
      if (!QDir(folder).remove(name)) QDir(folder).rmdir(name);
    const bool arranged = c.arrange();
    const auto before = contents();
    ModЧМ state;
    state.Рез = sampleRecord();
    state.Рез.НомерСБ = QString::fromUtf8(c.card);
    const QByteArray record = encodeResultRecord(state.Рез);
    const FileStatus status = arranged ? state.ЗаписатьРезультат() : FileStatus::OpenFailed;
    setrlimit(RLIMIT_FSIZE, &fileSize);
    QDir::setCurrent(folder);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (!arranged) continue;  // cannot be arranged for this user
    EXPECT_NE(status, FileStatus::Ok);
    if (c.status != FileStatus::Ok) {
      EXPECT_EQ(status, c.status);
    }
    EXPECT_EQ(encodeResultRecord(state.Рез), record);
    EXPECT_EQ(contents(), before);
  }
}

// Read failures: each gives its status and leaves the record exactly as it was.
TEST_F(ResultsFile, ReadFailuresAreReportedAndTheRecordStays) {
  const auto fileOf = [&](int size) {
    writeFile(QStringLiteral("Result7_1.res"), QByteArray(size, 'A'));
    return dir_.filePath(QStringLiteral("Result7_1.res"));
  };
  const struct {
    const char* name;
    std::function<QString()> arrange;  // the chosen file's path, or empty
    FileStatus expected;
  } cases[] = {
      {"missing", [&] { return dir_.filePath(QStringLiteral("нет.res")); }, FileStatus::OpenFailed},
      {"folder",
       [&] {
         QDir(dir_.path()).mkdir(QStringLiteral("Result7_9.res"));
         return dir_.filePath(QStringLiteral("Result7_9.res"));
       },
       FileStatus::OpenFailed},
      {"one byte short", [&] { return fileOf(kResultRecordSize - 1); }, FileStatus::TooShort},
      {"empty", [&] { return fileOf(0); }, FileStatus::TooShort},
      {"unreadable",
       [&] {
         const QString path = fileOf(kResultRecordSize);
         QFile::setPermissions(path, QFile::WriteOwner);
         QFile probe(path);
         return probe.open(QIODevice::ReadOnly) ? QString() : path;
       },
       FileStatus::OpenFailed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ModЧМ state;
    state.Рез = sampleRecord();
    state.ИмяФайла = c.arrange();
    if (state.ИмяФайла.isEmpty()) continue;  // cannot be arranged for this user
    EXPECT_EQ(state.СчитатьРезультат(), c.expected);
    EXPECT_EQ(encodeResultRecord(state.Рез), sampleBytes());
  }
}

}  // namespace
