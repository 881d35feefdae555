#include "tools/fmlab-results/results_tool.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTextStream>
#include <functional>
#include <limits>
#include <tuple>

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

// A finished work: five rows of the characteristic (row 4 read as 0), the band calculation
// with N = 1320 and the defaults, 60 channels confirmed at those values.
R soundRecord() {
  ModЧМ state;
  R& r = state.Рез;
  r = personalRecord();
  r.Ответ1 = QStringLiteral("Да");
  r.Ответ2 = QStringLiteral("Нет");
  const float readings[] = {17, 27.2f, 39.3f, 0, 61.8f};  // as the bench shows them for k1 = 2
  for (int row = 1; row <= 5; ++row) {  // as the characteristic screen enters a reading
    r.Харuвх[row] = readings[row - 1];
    r.ХарUвх[row] = static_cast<float>(r.Харuвх[row] * 1.41);
    r.Харdf[row] = static_cast<float>(kRowIndex[row] * 0.5);
    r.ХарS[row] =
        r.ХарUвх[row] == 0 ? 0.0f : static_cast<float>(r.Харdf[row] / (r.ХарUвх[row] / 1000.0));
  }
  r.N = 1320;
  r.pk = 32;
  r.dfk = 200;
  r.F1 = 60;
  r.F2 = 2596;
  state.РасчетПолосы();  // 42.24 mW, 1.2998, 4.3283, 1.6673, 20.5525 MHz
  r.NИтог = 60;
  std::tie(r.pkИтог, r.dfkИтог, r.F1Итог, r.F2Итог, r.РсрИтог, r.dfэффИтог, r.dfпикИтог, r.mfИтог,
           r.ПчмИтог) = std::tie(r.pk, r.dfk, r.F1, r.F2, r.Рср, r.dfэфф, r.dfпик, r.mf, r.Пчм);
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
  QString write(const QString& name, const R& record) {
    return write(name, encodeResultRecord(record));
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
  EXPECT_EQ(run({write(QStringLiteral("Result7_12345.res"), soundRecord())}), 0);
  EXPECT_TRUE(err_.isEmpty()) << err_.toStdString();
  for (const char* expected :
       {"Иванов", "Пётр", "Сергеевич", "РТ-21", "12345", "ivanov@mail.ru", "53", "Да", "Нет",
        // row 1, reading 17: 23.97 mV, 1.204 MHz shown as 1.2, slope 50.23
        "   1         17      23.97       1.2   2.408      50.23", "42.2 мВт", "1.3 МГц",
        "4.33 МГц", "1.67", "20.55 МГц", "Замечаний нет.", "выбор студента",
        // row 4 was read as 0 (no amplitude, no slope); row 14 was never entered
        "   4          0          .      3.51   7.016          .\n",
        "  14                                   20.82"}) {
    EXPECT_TRUE(out_.contains(QString::fromUtf8(expected))) << expected << "\n"
                                                            << out_.toStdString();
  }
  R r = soundRecord();
  unconfirm(r);
  EXPECT_EQ(run({write(QStringLiteral("b.res"), r)}), 0);
  EXPECT_TRUE(out_.contains(QStringLiteral("Число каналов студент не выбирал")));
  EXPECT_FALSE(out_.contains(QStringLiteral("выбор студента")));
}

// Each spoilt record or file gives findings of one kind only and exit code 1; what the program
// writes in the normal course of the work (no `says`) raises nothing and exit code 0.
struct Checked {
  const char* name;
  std::function<void(R&)> change;
  const char* says = nullptr;
  K kind = K::Size;
  qsizetype size = kResultRecordSize;
  friend void PrintTo(const Checked& row, std::ostream* os) { *os << row.name; }
};

class ResultsToolCheck : public ResultsTool, public ::testing::WithParamInterface<Checked> {};

TEST_P(ResultsToolCheck, NamesEachFindingInPlainWords) {
  const Checked& c = GetParam();
  R r = soundRecord();
  if (c.change) c.change(r);
  QByteArray bytes = encodeResultRecord(r);
  bytes.resize(c.size, 't');
  const QString path = write(QStringLiteral("Result7_1.res"), bytes);
  const ResultsFileReport report = inspectResultsFile(path);
  ASSERT_TRUE(report.readable());
  EXPECT_EQ(run({path}), c.says ? 1 : 0);
  if (!c.says) {
    for (const ResultsFinding& finding : report.findings)
      ADD_FAILURE() << finding.text.toStdString();
    return;
  }
  ASSERT_FALSE(report.findings.empty());
  for (const ResultsFinding& finding : report.findings)
    EXPECT_EQ(finding.kind, c.kind) << finding.text.toStdString();
  EXPECT_TRUE(report.findings.front().text.contains(QString::fromUtf8(c.says)))
      << report.findings.front().text.toStdString();
  EXPECT_TRUE(out_.contains(QStringLiteral("Замечания:")));
}

void enteredInSinglePrecision(R& r) {
  for (int row = 1; row <= 5; ++row) {
    r.ХарUвх[row] = r.Харuвх[row] * 1.41f;
    r.Харdf[row] = static_cast<float>(kRowIndex[row]) * 0.5f;
    r.ХарS[row] = r.ХарUвх[row] == 0 ? 0.0f : r.Харdf[row] / (r.ХарUвх[row] / 1000.0f);
  }
}

const Checked kChecked[] = {
    {"Finished", {}},
    {"NoChannelsConfirmed", unconfirm},
    {"WrittenByThePersonalDataScreen", [](R& r) { r = personalRecord(), r.N = 600; }},
    {"TableComputedInSinglePrecision", enteredInSinglePrecision},
    // Δfk changed after the confirmation: the working values follow it, the snapshot stays.
    {"SnapshotTakenBeforeTheInputsChanged",
     [](R& r) { r.dfk = 150, r.dfэфф = 0.9749, r.dfпик = 3.2464, r.mf = 1.2505, r.Пчм = 17.4908; }},
    {"ShortFile", {}, "в нем 553 байта", K::Size, kResultRecordSize - 1},
    {"LongerFile", {}, "еще 4 байта", K::Size, kResultRecordSize + 4},
    {"BlankEmail", [](R& r) { r.EMail = QStringLiteral("   "); }, "«E-mail»", K::BlankField},
    {"NaNSlope", [](R& r) { r.ХарS[2] = kNaN; }, "Строка 2 таблицы: S — не число", K::NotFinite},
    {"InfiniteDeviation", [](R& r) { r.Харdf[18] = std::numeric_limits<float>::infinity(); },
     "Строка 18 таблицы: Δf — бесконечность", K::NotFinite},
    {"AmplitudeNotFromReading", [](R& r) { r.ХарUвх[3] = 31.5f; },
     "Строка 3 таблицы: U вх = 31.5, а должно быть 55.413", K::Table},
    {"DeviationNotFromIndex", [](R& r) { r.Харdf[2] = 2.0f; },
     "Строка 2 таблицы: Δf = 2, а должно быть 1.916", K::Table},
    {"SlopeNotFromRow", [](R& r) { r.ХарS[5] *= 1.001f; }, "Строка 5 таблицы: S =", K::Table},
    {"RowBeyondTheTable", [](R& r) { r.Харuвх[16] = 5; }, "Строка 16 таблицы", K::Table},
    {"BandValueEdited", [](R& r) { r.Пчм = Currency(25.0); },
     "Пчм = 25, а по N = 1320, pk = 32, Δfk = 200, F2 = 2596 должно быть 20.5525", K::Band},
    {"SnapshotEdited", [](R& r) { r.РсрИтог = Currency(40.0); }, "РсрИтог = 40", K::Snapshot},
    {"SnapshotOfZeroChannelsStillChecked", [](R& r) { r.NИтог = 0, r.pkИтог = 33; }, "pkИтог = 33",
     K::Snapshot}};

INSTANTIATE_TEST_SUITE_P(Records, ResultsToolCheck, ::testing::ValuesIn(kChecked),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ResultsTool, AFolderGivesACardPerResultsFileAndATotal) {
  write(QStringLiteral("b.res"), spoilt([](R& r) { r.Имя = QString(); }));
  write(QStringLiteral("a.RES"), soundRecord());
  write(QStringLiteral("c.res"), QByteArray(100, 'x'));
  write(QStringLiteral("notes.txt"), QByteArray("not a results file"));
  EXPECT_EQ(run({dir_.path()}), 1);
  EXPECT_EQ(out_.count(QStringLiteral("Файл: ")), 3);
  const qsizetype a = out_.indexOf(QStringLiteral("a.RES"));
  const qsizetype b = out_.indexOf(QStringLiteral("b.res"));
  EXPECT_TRUE(a >= 0 && a < b && b < out_.indexOf(QStringLiteral("c.res")));
  EXPECT_FALSE(out_.contains(QStringLiteral("notes.txt")));
  EXPECT_TRUE(out_.contains(QStringLiteral("в нем 100 байт,")));
  EXPECT_TRUE(out_.contains(
      QStringLiteral("Итого файлов: 3; без замечаний: 1; с замечаниями: 2; не прочитано: 0.")));
}

TEST_F(ResultsTool, ExitCodesOfUnreadableInputsBadOptionsAndHelp) {
  const QString sound = write(QStringLiteral("a.res"), soundRecord());
  const QString missing = dir_.filePath(QStringLiteral("нет.res"));
  QDir(dir_.path()).mkdir(QStringLiteral("пусто"));
  const struct {
    QStringList arguments;
    int code;
    QStringList says;  // on either stream
  } cases[] = {
      {{sound, missing}, 2, {missing + QStringLiteral(": файл не найден"), "не прочитано: 1"}},
      {{sound, dir_.filePath(QStringLiteral("пусто"))}, 2, {"в папке нет файлов *.res"}},
      {{}, 2, {}},
      {{"--csv", "--json", sound}, 2, {}},
      {{"--sort", sound}, 2, {}},
      {{"--help"}, 0, {"Использование: fmlab-results", "Usage: fmlab-results"}},
      {{"-h"}, 0, {"Usage: fmlab-results"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(run(c.arguments), c.code) << c.arguments.join(u' ').toStdString();
    for (const QString& text : c.says)
      EXPECT_TRUE((out_ + err_).contains(text)) << text.toStdString();
  }
}

// RFC 4180 fields with ";" between them: quoted fields may hold separators, doubled quotes and line
// breaks.
std::vector<QStringList> parseCsv(const QString& text) {
  std::vector<QStringList> rows(1, QStringList{QString()});
  bool quoted = false;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (quoted && c == u'"' && i + 1 < text.size() && text[i + 1] == u'"')
      rows.back().back() += text[++i];
    else if (c == u'"')
      quoted = !quoted;
    else if (!quoted && c == u';')
      rows.back() << QString();
    else if (!quoted && c == u'\n')
      rows.push_back({QString()});
    else
      rows.back().back() += c;
  }
  rows.pop_back();  // after the last line break
  return rows;
}

TEST_F(ResultsTool, CsvHasAHeaderAndARowPerFileThatParseBack) {
  R quoted = soundRecord();
  quoted.EMail = QStringLiteral("\"o'neil\"@x.ru");
  quoted.Группа = QStringLiteral("РТ,21");
  write(QStringLiteral("a.res"), soundRecord());
  write(QStringLiteral("b.res"), quoted);
  write(QStringLiteral("c.res"), spoilt([](R& r) { r.ХарS[2] = kNaN; }));
  EXPECT_EQ(run({QStringLiteral("--csv"), dir_.path()}), 1);
  const std::vector<QStringList> rows = parseCsv(out_);
  ASSERT_EQ(rows.size(), 4u);
  for (const QStringList& row : rows) EXPECT_EQ(row.size(), rows[0].size());
  const auto cell = [&](int row, const char* column) {
    return rows[row].value(rows[0].indexOf(QString::fromUtf8(column))).toStdString();
  };
  EXPECT_EQ(cell(1, "Состояние"), "без замечаний");
  EXPECT_EQ(cell(1, "Замечания"), "");
  EXPECT_EQ(cell(1, "Uвх1"), "23,97");
  EXPECT_EQ(cell(1, "df2"), "1,916");
  EXPECT_EQ(cell(1, "Пчм"), "20,5525");
  EXPECT_EQ(cell(1, "NИтог"), "60");
  EXPECT_EQ(cell(2, "EMail"), "\"o'neil\"@x.ru");
  EXPECT_EQ(cell(2, "Группа"), "РТ,21");
  EXPECT_EQ(cell(3, "Состояние"), "есть замечания");
  EXPECT_EQ(cell(3, "S2"), "NaN");
  EXPECT_NE(cell(3, "Замечания").find("не число"), std::string::npos);
  // The suspicious file is listed on the error stream too.
  EXPECT_TRUE(err_.contains(QStringLiteral("c.res: Строка 2 таблицы: S — не число")));
  EXPECT_FALSE(err_.contains(QStringLiteral("a.res")));
}

TEST_F(ResultsTool, JsonHoldsTheWholeRecordAndTheFindings) {
  const QString sound = write(QStringLiteral("a.res"), soundRecord());
  const QString bad = write(QStringLiteral("b.res"), spoilt([](R& r) {
                              r.ХарS[2] = kNaN;
                              r.Отчество = QString();
                            }));
  EXPECT_EQ(run({QStringLiteral("--json"), sound, bad, dir_.filePath(QStringLiteral("c.res"))}), 2);
  QJsonParseError error;
  const QJsonArray files = QJsonDocument::fromJson(out_.toUtf8(), &error).array();
  ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
  ASSERT_EQ(files.size(), 3);

  const QJsonValue record = files[0]["record"];
  EXPECT_EQ(files[0]["status"], QJsonValue("sound"));
  EXPECT_EQ(files[0]["size"], QJsonValue(554));
  EXPECT_EQ(record[QStringLiteral("Харuвх")][1], QJsonValue(27.2));
  EXPECT_EQ(record[QStringLiteral("ХарUвх")][0], QJsonValue(23.97));
  EXPECT_EQ(record["N"], QJsonValue(1320));
  EXPECT_EQ(record[QStringLiteral("dfэфф")], QJsonValue(1.2998));
  EXPECT_EQ(record[QStringLiteral("ПолосаИтог")][QStringLiteral("NИтог")], QJsonValue(60));
  EXPECT_EQ(files[1]["status"], QJsonValue("findings"));
  EXPECT_TRUE(files[1]["record"][QStringLiteral("ХарS")][1].isNull());
  EXPECT_EQ(files[2]["status"], QJsonValue("unreadable"));
  EXPECT_EQ(files[2]["error"], QJsonValue("файл не найден"));
  EXPECT_TRUE(files[2]["record"].isUndefined());
  EXPECT_EQ(record[QStringLiteral("Харuвх")].toArray().size(), 20);
  EXPECT_EQ(record[QStringLiteral("ХарUвх")].toArray().size(), 14);
  QStringList kinds;
  for (const QJsonValue finding : files[1]["findings"].toArray()) {
    kinds << finding["kind"].toString();
    EXPECT_FALSE(finding["text"].toString().isEmpty());
  }
  EXPECT_EQ(kinds, (QStringList{"blank-field", "not-finite"}));
}

}  // namespace
