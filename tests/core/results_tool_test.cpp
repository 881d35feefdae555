#include "tools/fmlab-results/results_tool.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTextStream>
#include <functional>
#include <limits>

#include "app/work_state.h"
#include "records/results_file.h"
#include "tools/fmlab-results/results_check.h"

namespace {

using R = Результат;
using K = ResultsFinding::Kind;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr double kRowIndex[] = {0, 2.408, 3.832, 5.52, 7.016, 8.654};

// What the personal data screen writes: the six fields and the variant.
R personalRecord() {
  R r;
  r.Фамилия = QStringLiteral("Иванов");
  r.Имя = QStringLiteral("Пётр");
  r.Отчество = QStringLiteral("Сергеевич");
  r.Группа = QStringLiteral("РТ-21");
  r.НомерСБ = QStringLiteral("12345");
  r.EMail = QStringLiteral("ivanov@mail.ru");
  r.Вариант = QStringLiteral("53");
  return r;
}

void unconfirm(R& r) {
  r.dfkИтог = r.dfэффИтог = r.dfпикИтог = r.ПчмИтог = r.F1Итог = r.F2Итог = r.РсрИтог = r.mfИтог =
      Currency();
  r.NИтог = r.pkИтог = 0;
}

// A finished work: five rows of the characteristic (row 4 read as 0) as the screen enters them,
// the band calculation with N = 1320 and the defaults, 60 channels confirmed at those values.
R soundRecord() {
  R r = personalRecord();
  r.Ответ1 = QStringLiteral("Да");
  r.Ответ2 = QStringLiteral("Нет");
  const float readings[] = {10, 15.5f, 22, 0, 31.25f};
  for (int row = 1; row <= 5; ++row) {
    r.Харuвх[row] = readings[row - 1];
    r.ХарUвх[row] = static_cast<float>(r.Харuвх[row] * 1.41);
    r.Харdf[row] = static_cast<float>(kRowIndex[row] * 0.5);
    r.ХарS[row] =
        r.ХарUвх[row] == 0 ? 0.0f : static_cast<float>(r.Харdf[row] / (r.ХарUвх[row] / 1000.0));
  }
  std::tie(r.N, r.pk, r.dfk, r.F1, r.F2, r.Рср, r.dfэфф, r.dfпик, r.mf, r.Пчм) =
      std::tuple(1320, 32, 200, 60, 2596, 42.24, 1.2998, 4.3283, 1.6673, 20.5525);
  std::tie(r.NИтог, r.pkИтог, r.dfkИтог, r.F1Итог, r.F2Итог, r.РсрИтог, r.dfэффИтог, r.dfпикИтог,
           r.mfИтог, r.ПчмИтог) =
      std::tuple(60, r.pk, r.dfk, r.F1, r.F2, r.Рср, r.dfэфф, r.dfпик, r.mf, r.Пчм);
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
    out_.clear();
    err_.clear();
    QTextStream out(&out_);
    QTextStream err(&err_);
    return runResultsTool(arguments, out, err, QLocale::c());
  }

  QTemporaryDir dir_;
  QString out_;
  QString err_;
};

TEST_F(ResultsTool, ASoundFileGivesItsCardAndExitsZero) {
  EXPECT_EQ(run({write(QStringLiteral("a.res"), spoilt([](R&) {}))}), 0);
  EXPECT_TRUE(err_.isEmpty()) << err_.toStdString();
  for (const char* expected :
       {"Иванов", "Пётр", "ivanov@mail.ru",
        // row 1, reading 10: 14.1 mV, 1.204 MHz shown as 1.2, slope 85.39
        "   1         10       14.1       1.2   2.408      85.39", "42.2 мВт", "20.55 МГц",
        // row 4 was read as 0 (no amplitude, no slope); row 14 was never entered
        "   4          0          .      3.51   7.016          .\n",
        "  14                                   20.82"}) {
    EXPECT_TRUE(out_.contains(QString::fromUtf8(expected))) << expected << "\n"
                                                            << out_.toStdString();
  }
}

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
      {"no channels confirmed", unconfirm},
      {"written by the personal data screen", [](R& r) { r = personalRecord(), r.N = 600; }},
      {"table computed in single precision",
       [](R& r) {
         for (int row = 1; row <= 5; ++row) {
           r.ХарUвх[row] = r.Харuвх[row] * 1.41f;
           r.Харdf[row] = static_cast<float>(kRowIndex[row]) * 0.5f;
           r.ХарS[row] = r.ХарUвх[row] == 0 ? 0.0f : r.Харdf[row] / (r.ХарUвх[row] / 1000.0f);
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
      {"blank e-mail", [](R& r) { r.EMail = QStringLiteral("   "); }, "E-mail", K::BlankField},
      {"NaN slope", [](R& r) { r.ХарS[2] = kNaN; }, "Строка 2", K::NotFinite},
      {"infinite deviation", [](R& r) { r.Харdf[18] = std::numeric_limits<float>::infinity(); },
       "Строка 18", K::NotFinite},
      {"amplitude not from the reading", [](R& r) { r.ХарUвх[3] = 31.5f; }, "31.02", K::Table},
      {"deviation not from the index", [](R& r) { r.Харdf[2] = 2.0f; }, "1.916", K::Table},
      {"slope not from the row", [](R& r) { r.ХарS[5] *= 1.001f; }, "Строка 5", K::Table},
      {"row beyond the table", [](R& r) { r.Харuвх[16] = 5; }, "Строка 16", K::Table},
      {"band value edited", [](R& r) { r.Пчм = Currency(25.0); }, "20.5525", K::Band},
      {"snapshot edited", [](R& r) { r.РсрИтог = Currency(40.0); }, "РсрИтог", K::Snapshot},
      {"snapshot of zero channels still checked", [](R& r) { r.NИтог = 0, r.pkИтог = 33; },
       "pkИтог", K::Snapshot}};
  for (const auto& c : rows) {
    SCOPED_TRACE(c.name);
    QByteArray bytes = spoilt(c.change);
    bytes.resize(c.size, 't');
    const QString path = write(QStringLiteral("Result7_1.res"), bytes);
    const ResultsFileReport report = inspectResultsFile(path);
    ASSERT_TRUE(report.readable());
    EXPECT_EQ(run({path}), c.says ? 1 : 0);
    for (const ResultsFinding& finding : report.findings) {
      EXPECT_TRUE(c.says) << finding.text.toStdString();
      EXPECT_EQ(finding.kind, c.kind) << finding.text.toStdString();
    }
    if (!c.says) continue;
    ASSERT_FALSE(report.findings.empty());
    EXPECT_TRUE(report.findings.front().text.contains(QString::fromUtf8(c.says)))
        << report.findings.front().text.toStdString();
  }
}

TEST_F(ResultsTool, AFolderGivesACardPerResultsFileInNameOrderAndATotal) {
  write(QStringLiteral("b.res"), spoilt([](R& r) { r.Имя = QString(); }));
  write(QStringLiteral("a.RES"), spoilt([](R&) {}));
  write(QStringLiteral("c.res"), QByteArray(100, 'x'));
  write(QStringLiteral("notes.txt"), QByteArray("not a results file"));
  EXPECT_EQ(run({dir_.path()}), 1);
  const qsizetype a = out_.indexOf(QStringLiteral("a.RES"));
  const qsizetype b = out_.indexOf(QStringLiteral("b.res"));
  EXPECT_TRUE(a >= 0 && a < b && b < out_.indexOf(QStringLiteral("c.res")));
  EXPECT_FALSE(out_.contains(QStringLiteral("notes.txt")));
  EXPECT_TRUE(
      out_.contains(QStringLiteral("3; без замечаний: 1; с замечаниями: 2; не прочитано: 0")));
}

TEST_F(ResultsTool, ExitCodesOfUnreadableInputsBadOptionsAndHelp) {
  const QString sound = write(QStringLiteral("a.res"), spoilt([](R&) {}));
  const QString missing = dir_.filePath(QStringLiteral("нет.res"));
  QDir(dir_.path()).mkdir(QStringLiteral("пусто"));
  const std::pair<QStringList, int> rows[] = {{{sound, missing}, 2},
                                              {{sound, dir_.filePath(QStringLiteral("пусто"))}, 2},
                                              {{}, 2},
                                              {{"--csv", "--json", sound}, 2},
                                              {{"--sort", sound}, 2},
                                              {{"--help"}, 0},
                                              {{"-h"}, 0}};
  for (const auto& [arguments, code] : rows)
    EXPECT_EQ(run(arguments), code) << arguments.join(u' ').toStdString();
}

// CSV quotes a field that holds a comma or a quote (doubled); JSON holds the whole record.
TEST_F(ResultsTool, CsvAndJsonHoldTheRecords) {
  write(QStringLiteral("a.res"), spoilt([](R& r) {
          r.EMail = QStringLiteral("\"o'neil\"@x.ru");
          r.Группа = QStringLiteral("РТ,21");
        }));
  write(QStringLiteral("b.res"), spoilt([](R& r) { r.ХарS[2] = kNaN; }));
  EXPECT_EQ(run({QStringLiteral("--csv"), dir_.path()}), 1);
  const QStringList lines = out_.split(u'\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 3);
  EXPECT_TRUE(lines[1].contains(QStringLiteral(R"(,"РТ,21",)"))) << lines[1].toStdString();
  EXPECT_TRUE(lines[1].contains(QStringLiteral(R"(,"""o'neil""@x.ru",)")));
  EXPECT_EQ(lines[2].count(u','), lines[0].count(u','));
  EXPECT_TRUE(lines[2].contains(QStringLiteral(",NaN,")));

  EXPECT_EQ(run({QStringLiteral("--json"), dir_.path(), dir_.filePath(QStringLiteral("c.res"))}),
            2);
  QJsonParseError error;
  const QJsonArray files = QJsonDocument::fromJson(out_.toUtf8(), &error).array();
  ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
  ASSERT_EQ(files.size(), 3);
  const QJsonValue record = files[0]["record"];
  EXPECT_EQ(record[QStringLiteral("Харuвх")].toArray().size(), 20);
  EXPECT_EQ(record[QStringLiteral("Харuвх")][1], QJsonValue(15.5));
  EXPECT_EQ(record[QStringLiteral("ХарUвх")].toArray().size(), 14);
  EXPECT_EQ(record["N"], QJsonValue(1320));
  EXPECT_EQ(record[QStringLiteral("dfэфф")], QJsonValue(1.2998));
  EXPECT_EQ(record[QStringLiteral("ПолосаИтог")][QStringLiteral("NИтог")], QJsonValue(60));
  EXPECT_TRUE(files[1]["record"][QStringLiteral("ХарS")][1].isNull());
  EXPECT_EQ(files[1]["findings"][0]["kind"], QJsonValue("not-finite"));
  EXPECT_TRUE(files[2]["record"].isUndefined());
}

}  // namespace
