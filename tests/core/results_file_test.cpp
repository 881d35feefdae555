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

#include "state/work_state.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// A record in which every member holds a value of its own, so a member at a wrong place shows.
Результат sampleRecord() {
  Результат r;
  std::tie(r.Фамилия, r.Имя, r.Отчество, r.Группа, r.НомерСБ, r.EMail, r.Вариант, r.Ответ1,
           r.Ответ2) = std::tuple(u"Иванов"_s, u"Пётр"_s, u"Сергеевич"_s, u"РТ-21"_s, u"12345"_s,
                                  u"ivanov@mail.ru"_s, u"53"_s, u"Да"_s, u"Нет"_s);
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
  const auto little = [&](int offset, std::uint64_t value, int size) {
    for (int i = 0; i < size; ++i) b[offset + i] = static_cast<char>(value >> (8 * i));
  };
  b.replace(0, 20, QByteArray::fromHex("c8e2e0edeee2") + QByteArray(14, ' '));  // Иванов
  const std::tuple<int, int, QString> texts[] = {{20, 20, u"Пётр"_s},
                                                 {40, 20, u"Сергеевич"_s},
                                                 {60, 10, u"РТ-21"_s},
                                                 {70, 20, u"12345"_s},
                                                 {90, 20, u"ivanov@mail.ru"_s},
                                                 {110, 2, u"53"_s},
                                                 {112, 5, u"Да"_s},
                                                 {117, 5, u"Нет"_s}};
  for (const auto& [offset, width, text] : texts)
    b.replace(offset, width,
              QByteArray(QStringEncoder("windows-1251").encode(text.leftJustified(width))));
  for (int row = 1; row <= 20; ++row) {
    if (row <= 14) little(122 + 4 * (row - 1), std::bit_cast<std::uint32_t>(100.5f + row), 4);
    little(178 + 4 * (row - 1), std::bit_cast<std::uint32_t>(10.25f * row), 4);
    little(258 + 4 * (row - 1), std::bit_cast<std::uint32_t>(-0.5f * row), 4);
    little(338 + 4 * (row - 1), std::bit_cast<std::uint32_t>(1000.0f + row), 4);
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

// Each test runs in a folder of its own, made the current directory as the program's is.
class ResultsFile : public ::testing::Test {
 protected:
  ResultsFile() : previous_(QDir::currentPath()) { QDir::setCurrent(dir_.path()); }
  ~ResultsFile() override { QDir::setCurrent(previous_); }

  void writeFile(const QString& name, const QByteArray& bytes) {
    QFile file(dir_.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  // Every file of the folder, hidden ones too, with its bytes.
  std::map<QString, QByteArray> contents() const {
    std::map<QString, QByteArray> files;
    for (const QString& name : QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden)) {
      QFile file(dir_.filePath(name));
      files[name] = file.open(QIODevice::ReadOnly) ? file.readAll() : "unreadable";
    }
    return files;
  }

  QTemporaryDir dir_;
  QString previous_;
};

// Writing puts the record at the start of the file and keeps whatever a longer file holds
// after it; no temporary file stays.
TEST_F(ResultsFile, EveryMemberLiesAtItsOffsetAndTheTailOfALongerFileStays) {
  const QByteArray tail("second record and more");
  for (const QByteArray& before : {QByteArray(), QByteArray(kResultRecordSize, 'x') + tail}) {
    SCOPED_TRACE(before.size());
    if (!before.isEmpty()) writeFile(u"Result7_12345.res"_s, before);
    ModЧМ state;
    state.Рез = sampleRecord();
    ASSERT_EQ(state.ЗаписатьРезультат(), FileStatus::Ok);
    const auto files = contents();
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files.begin()->first, u"Result7_12345.res"_s);
    EXPECT_EQ(files.begin()->second.toHex(' '),
              (sampleBytes() + (before.isEmpty() ? QByteArray() : tail)).toHex(' '));
  }
}

// A file longer than one record gives its first record.
TEST_F(ResultsFile, ReadingBackRestoresTheWholeRecord) {
  for (const QByteArray& tail : {QByteArray(), QByteArray(46, 'x')}) {
    SCOPED_TRACE(tail.size());
    writeFile(u"старый.res"_s, sampleBytes() + tail);
    ModЧМ state;
    state.Рез.Вариант = u"01"_s;
    state.Рез.N = 60;
    state.ИмяФайла = dir_.filePath(u"старый.res"_s);
    ASSERT_EQ(state.СчитатьРезультат(), FileStatus::Ok);
    EXPECT_EQ(encodeResultRecord(state.Рез).toHex(' '), sampleBytes().toHex(' '));
  }
}

TEST_F(ResultsFile, TextIsCutToItsWidthAndForeignCharactersBecomeQuestionMarks) {
  Результат r;
  r.Фамилия = u"Константинопольский-Оглы"_s;  // 24 characters
  r.Имя = u"№ Zoë 日本€Ё"_s;  // №, € and Ё are in the code page, ë and the kanji are not
  r.Отчество = u"Андре\u0438\u0306вич"_s;  // й typed as и + combining breve
  r.НомерСБ = u"  77-ab.c  "_s;            // the file's name drops the blanks
  const QByteArray bytes = encodeResultRecord(r);
  EXPECT_EQ(bytes.mid(0, 20), QStringEncoder("windows-1251").encode(u"Константинопольский-"_s));
  EXPECT_EQ(bytes.mid(20, 20), QByteArray("\xB9 Zo? ??\x88\xA8") + QByteArray(10, ' '));
  EXPECT_EQ(bytes.mid(40, 9), QByteArray("\xC0\xED\xE4\xF0\xE5\xE9\xE2\xE8\xF7"));
  EXPECT_EQ(resultsFileName(r), u"Result7_77-ab.c.res"_s);
}

// Write failures: each gives a status other than Ok, leaves the record and the folder as they
// were (no half-written file, no temporary) and an older results file whole. A closed program
// folder is a screen-level case: the file then goes to the student's documents.
TEST_F(ResultsFile, WriteFailuresAreReportedAndChangeNothing) {
  const QString folder = dir_.path();
  // No documents folder to fall back on either: the student's home cannot take files.
  const QByteArray home = qgetenv("HOME");
  qputenv("HOME", "/proc");
  rlimit fileSize{};
  getrlimit(RLIMIT_FSIZE, &fileSize);
  const std::tuple<const char*, const char*, std::function<bool()>> rows[] = {
      {"name is a folder", "42", [&] { return QDir(folder).mkdir(u"Result7_42.res"_s); }},
      {"current folder removed", "42",
       [&] {
         QDir(folder).mkdir(u"gone"_s);
         QDir::setCurrent(folder + u"/gone"_s);
         return ::rmdir(QFile::encodeName(folder + u"/gone"_s)) == 0;
       }},
      {"card number reaches into another folder", "x/../Result7_42",
       [&] { return QDir(folder).mkdir(u"Result7_x"_s); }},
      {"card number names a missing folder", "42/345", [] { return true; }},
      // The disk fills up while the record is written.
      {"disk full", "42", [&] {
         writeFile(u"Result7_42.res"_s, sampleBytes());
         std::signal(SIGXFSZ, SIG_IGN);
         rlimit small = fileSize;
         small.rlim_cur = 300;
         return setrlimit(RLIMIT_FSIZE, &small) == 0;
       }}};
  for (const auto& [name, card, arrange] : rows) {
    SCOPED_TRACE(name);
    for (const QString& entry : QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot))
      if (!QDir(folder).remove(entry)) QDir(folder).rmdir(entry);
    const bool arranged = arrange();
    const auto before = contents();
    ModЧМ state;
    state.Рез = sampleRecord();
    state.Рез.НомерСБ = QString::fromUtf8(card);
    const QByteArray record = encodeResultRecord(state.Рез);
    const FileStatus status = arranged ? state.ЗаписатьРезультат() : FileStatus::OpenFailed;
    setrlimit(RLIMIT_FSIZE, &fileSize);
    QDir::setCurrent(folder);
    if (!arranged) continue;
    EXPECT_NE(status, FileStatus::Ok);
    EXPECT_EQ(encodeResultRecord(state.Рез), record);
    EXPECT_EQ(contents(), before);
  }
  qputenv("HOME", home);
}

// Read failures: each gives its status and leaves the record exactly as it was.
TEST_F(ResultsFile, ReadFailuresAreReportedAndTheRecordStays) {
  const QString file = dir_.filePath(u"Result7_1.res"_s);
  const std::tuple<const char*, std::function<bool()>, FileStatus> rows[] = {
      {"missing", [] { return true; }, FileStatus::OpenFailed},
      {"folder", [&] { return QDir().mkdir(file); }, FileStatus::OpenFailed},
      {"one byte short",
       [&] { return writeFile(u"Result7_1.res"_s, QByteArray(kResultRecordSize - 1, 'A')), true; },
       FileStatus::TooShort},
      {"empty", [&] { return writeFile(u"Result7_1.res"_s, {}), true; }, FileStatus::TooShort}};
  for (const auto& [name, arrange, expected] : rows) {
    SCOPED_TRACE(name);
    if (!QFile::remove(file)) QDir().rmdir(file);
    ModЧМ state;
    state.Рез = sampleRecord();
    state.ИмяФайла = file;
    if (!arrange()) continue;
    EXPECT_EQ(state.СчитатьРезультат(), expected);
    EXPECT_EQ(encodeResultRecord(state.Рез), sampleBytes());
  }
}

}  // namespace
