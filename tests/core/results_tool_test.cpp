#include "tools/fmlab-results/results_tool.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTextStream>
#include <functional>
#include <limits>

#include "records/results_file.h"
#include "teacher/results_check.h"

using namespace Qt::Literals::StringLiterals;

namespace {

using R = Результат;
using K = ResultsFinding::Kind;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr double kRowIndex[] = {0, 2.408, 3.832, 5.52, 7.016, 8.654};

// What the personal data screen writes: the six fields and the variant.
R personalRecord() {
  R r;
  std::tie(r.Фамилия, r.Имя, r.Отчество, r.Группа, r.НомерСБ, r.EMail, r.Вариант) = std::tuple(
      u"Иванов"_s, u"Пётр"_s, u"Сергеевич"_s, u"РТ-21"_s, u"1"_s, u"i@mail.ru"_s, u"53"_s);
  return r;
}

// A finished work: five rows of the characteristic (row 4 read as 0) as the screen enters them,
// the band calculation with N = 1320 and the defaults, 60 channels confirmed at those values.
R soundRecord() {
  R r = personalRecord();
  r.Ответ1 = u"Да"_s;
  r.Ответ2 = u"Нет"_s;
  const float readings[] = {17, 27.2f, 39.3f, 0, 61.8f};  // as the bench shows them for k1 = 2
  for (int row = 1; row <= 5; ++row) {
    r.Харuвх[row] = readings[row - 1];
    r.ХарUвх[row] = static_cast<float>(r.Харuвх[row] * 1.41);
    r.Харdf[row] = static_cast<float>(kRowIndex[row] * 0.5);
    r.ХарS[row] = row == 4 ? 0.0f : static_cast<float>(r.Харdf[row] / (r.ХарUвх[row] / 1000.0));
  }
  std::tie(r.N, r.pk, r.dfk, r.F1, r.F2, r.Рср, r.dfэфф, r.dfпик, r.mf, r.Пчм) =
      std::tuple(1320, 32, 200, 60, 2596, 42.24, 1.2998, 4.3283, 1.6673, 20.5525);
  std::tie(r.NИтог, r.pkИтог, r.dfkИтог, r.F1Итог, r.F2Итог, r.РсрИтог, r.dfэффИтог, r.dfпикИтог,
           r.mfИтог, r.ПчмИтог) =
      std::tuple(60, 32, 200, 60, 2596, 42.24, 1.2998, 4.3283, 1.6673, 20.5525);
  return r;
}

QByteArray spoilt(const std::function<void(R&)>& change) {
  R r = soundRecord();
  change(r);
  return encodeResultRecord(r);
}

class ResultsTool : public ::testing::Test {
 protected:
  QString write(const QString& name, const QByteArray& bytes) {
    QFile file(dir_.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName();
  }
  int run(const QStringList& arguments) {
    QString messages;  // the error stream, not looked at
    out_.clear();
    QTextStream out(&out_), err(&messages);
    return runResultsTool(arguments, out, err, QLocale::c());
  }

  QTemporaryDir dir_;
  QString out_;
};

// Each spoilt record or file gives findings of one kind only and exit code 1; what the program
// writes in the normal course of the work (no `says`) raises nothing and exit code 0.
TEST_F(ResultsTool, NamesEachFindingInPlainWords) {
  const struct {
    const char* name;
    std::function<void(R&)> change;
    const char* says = nullptr;
    K kind = K::Size;
    qsizetype size = kResultRecordSize;
  } rows[] = {
      {"finished", [](R&) {}},
      {"no channels confirmed",
       [](R& r) {
         std::tie(r.NИтог, r.pkИтог, r.dfkИтог, r.F1Итог, r.F2Итог, r.РсрИтог, r.dfэффИтог,
                  r.dfпикИтог, r.mfИтог, r.ПчмИтог) = std::tuple(0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
       }},
      {"written by the personal data screen", [](R& r) { r = personalRecord(), r.N = 600; }},
      {"table computed in single precision",
       [](R& r) {
         for (int row : {1, 2, 3, 5}) {
           r.ХарUвх[row] = r.Харuвх[row] * 1.41f;
           r.Харdf[row] = static_cast<float>(kRowIndex[row]) * 0.5f;
           r.ХарS[row] = r.Харdf[row] / (r.ХарUвх[row] / 1000.0f);
         }
       }},
      // Δfk changed after the confirmation: the working values follow it, the snapshot stays.
      {"snapshot taken before the inputs changed",
       [](R& r) {
         std::tie(r.dfk, r.dfэфф, r.dfпик, r.mf, r.Пчм) =
             std::tuple(150, 0.9749, 3.2464, 1.2505, 17.4908);
       }},
      {"short file", [](R&) {}, "553", K::Size, kResultRecordSize - 1},
      {"longer file", [](R&) {}, "4 байта", K::Size, kResultRecordSize + 4},
      {"blank e-mail", [](R& r) { r.EMail = u"   "_s; }, "E-mail", K::BlankField},
      {"NaN slope", [](R& r) { r.ХарS[2] = kNaN; }, "Строка 2", K::NotFinite},
      {"infinite deviation", [](R& r) { r.Харdf[18] = std::numeric_limits<float>::infinity(); },
       "Строка 18", K::NotFinite},
      {"amplitude not from the reading", [](R& r) { r.ХарUвх[3] = 31.5f; }, "55.413", K::Table},
      {"deviation not from the index", [](R& r) { r.Харdf[2] = 2.0f; }, "1.916", K::Table},
      {"slope not from the row", [](R& r) { r.ХарS[5] *= 1.001f; }, "Строка 5", K::Table},
      {"row beyond the table", [](R& r) { r.Харuвх[16] = 5; }, "Строка 16", K::Table},
      {"band value edited", [](R& r) { r.Пчм = 25.0; }, "20.5525", K::Band},
      {"snapshot edited", [](R& r) { r.РсрИтог = 40.0; }, "РсрИтог", K::Snapshot},
      {"snapshot of zero channels still checked", [](R& r) { r.NИтог = 0, r.pkИтог = 33; },
       "pkИтог", K::Snapshot}};
  for (const auto& c : rows) {
    SCOPED_TRACE(c.name);
    QByteArray bytes = spoilt(c.change);
    bytes.resize(c.size, 't');
    const QString path = write(u"Result7_1.res"_s, bytes);
    const ResultsFileReport report = inspectResultsFile(path);
    ASSERT_TRUE(report.readable());
    EXPECT_EQ(run({path}), c.says ? 1 : 0);
    for (const ResultsFinding& finding : report.findings)
      EXPECT_TRUE(c.says && finding.kind == c.kind) << finding.text.toStdString();
    if (c.says && !report.findings.empty()) {
      EXPECT_TRUE(report.findings.front().text.contains(QString::fromUtf8(c.says)))
          << report.findings.front().text.toStdString();
    }
  }
}

// A folder gives a card per results file in name order, then a total; the card shows the table
// through its patterns (row 4 was read as 0: no amplitude, no slope; row 14 was never entered).
TEST_F(ResultsTool, AFolderGivesACardPerResultsFileAndATotal) {
  write(u"b.res"_s, spoilt([](R& r) { r.Имя = QString(); }));
  write(u"a.RES"_s, spoilt([](R&) {}));
  write(u"c.res"_s, QByteArray(100, 'x'));
  write(u"notes.txt"_s, "not a results file");
  EXPECT_EQ(run({dir_.path()}), 1);
  const qsizetype a = out_.indexOf(u"a.RES"_s), b = out_.indexOf(u"b.res"_s);
  EXPECT_TRUE(a >= 0 && a < b && b < out_.indexOf(u"c.res"_s) && !out_.contains(u"notes"_s));
  for (const QString& expected :
       {u"   1         17      23.97       1.2   2.408      50.23"_s, u"20.55 МГц"_s,
        u"   4          0          .      3.51   7.016          .\n"_s,
        u"  14                                   20.82"_s,
        u"3; без замечаний: 1; с замечаниями: 2; не прочитано: 0"_s})
    EXPECT_TRUE(out_.contains(expected)) << expected.toStdString() << "\n" << out_.toStdString();
}

// Exit codes: 2 for what cannot be read (a missing file, a folder without results files, nothing
// given) and for wrong options, 0 for help. CSV quotes a field that holds a ";" or a quote
// (doubled); JSON holds the whole record, a NaN as null.
TEST_F(ResultsTool, ExitCodesCsvAndJson) {
  const QString a = write(
      u"a.res"_s, spoilt([](R& r) { r.EMail = u"\"o'neil\"@x.ru"_s, r.Группа = u"РТ;21"_s; }));
  const QString b = write(u"b.res"_s, spoilt([](R& r) { r.ХарS[2] = kNaN; }));
  QDir(dir_.path()).mkdir(u"пусто"_s);
  const std::pair<QStringList, int> rows[] = {{{a, dir_.filePath(u"нет.res"_s)}, 2},
                                              {{a, dir_.filePath(u"пусто"_s)}, 2},
                                              {{}, 2},
                                              {{u"--csv"_s, u"--json"_s, a}, 2},
                                              {{u"--sort"_s, a}, 2},
                                              {{u"--help"_s}, 0},
                                              {{u"-h"_s}, 0}};
  for (const auto& [arguments, code] : rows)
    EXPECT_EQ(run(arguments), code) << arguments.join(u' ').toStdString();
  EXPECT_EQ(run({u"--csv"_s, a, b}), 1);
  const QStringList lines = out_.split(u'\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 3);
  EXPECT_TRUE(lines[1].contains(uR"(;"РТ;21";)"_s) &&
              lines[1].contains(uR"(;"""o'neil""@x.ru";)"_s));
  EXPECT_TRUE(lines[2].contains(u";NaN;"_s)) << lines[2].toStdString();
  EXPECT_EQ(run({u"--json"_s, b}), 1);
  const QJsonValue record = QJsonDocument::fromJson(out_.toUtf8()).array().at(0)[u"record"_s];
  EXPECT_EQ(record[u"Харuвх"_s].toArray().size(), 20);
  EXPECT_EQ(record[u"ХарUвх"_s].toArray().size(), 14);
  EXPECT_EQ(record[u"Харuвх"_s][1], QJsonValue(27.2));
  EXPECT_EQ(record[u"ПолосаИтог"_s][u"dfэффИтог"_s], QJsonValue(1.2998));
  EXPECT_TRUE(record[u"ХарS"_s][1].isNull());
}

}  // namespace
