#include "tools/fmlab-results/results_tool.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTextStream>
#include <cmath>
#include <functional>
#include <limits>

#include "records/results_file.h"
#include "tools/fmlab-results/results_check.h"

namespace {

const double kRowIndex[15] = {0,     2.408, 3.832, 5.52,  7.016, 8.654, 10.17, 11.79,
                              13.21, 14.93, 16.10, 18.07, 19.60, 20.10, 20.82};

// A row entered on the characteristic screen: amplitude, deviation and slope from the reading,
// in single precision; a reading of 0 leaves no slope.
void enterRow(Результат& r, int row, float reading) {
  r.Харuвх[row] = reading;
  r.ХарUвх[row] = static_cast<float>(reading * 1.41);
  r.Харdf[row] = static_cast<float>(kRowIndex[row] * 0.5);
  r.ХарS[row] =
      r.ХарUвх[row] == 0 ? 0.0f : static_cast<float>(r.Харdf[row] / (r.ХарUвх[row] / 1000.0));
}

// A finished work: five rows of the characteristic (row 4 read as 0), the band calculation
// with N = 1320 and the defaults, 60 channels confirmed at those values.
Результат soundRecord() {
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
  const float readings[] = {10, 15.5f, 22, 0, 31.25f};
  for (int row = 1; row <= 5; ++row) enterRow(r, row, readings[row - 1]);
  r.N = 1320;
  r.pk = 32;
  r.dfk = 200;
  r.F1 = 60;
  r.F2 = 2596;
  r.Рср = 42.24;  // the worked example of the band calculation for 1320 channels
  r.dfэфф = 1.2998;
  r.dfпик = 4.3283;
  r.mf = 1.6673;
  r.Пчм = 20.5525;
  r.NИтог = 60;
  r.pkИтог = r.pk;
  r.dfkИтог = r.dfk;
  r.F1Итог = r.F1;
  r.F2Итог = r.F2;
  r.РсрИтог = r.Рср;
  r.dfэффИтог = r.dfэфф;
  r.dfпикИтог = r.dfпик;
  r.mfИтог = r.mf;
  r.ПчмИтог = r.Пчм;
  return r;
}

class ResultsTool : public ::testing::Test {
 protected:
  QString write(const QString& name, const QByteArray& bytes) {
    const QString path = dir_.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
  }
  QString write(const QString& name, const Результат& record) {
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
  const QString path = write(QStringLiteral("Result7_12345.res"), soundRecord());
  EXPECT_EQ(run({path}), 0) << err_.toStdString();
  EXPECT_TRUE(err_.isEmpty());
  for (const char* expected :
       {"Иванов", "Пётр", "Сергеевич", "РТ-21", "12345", "ivanov@mail.ru", "53", "Да", "Нет",
        // row 1, reading 10: 14.1 mV, 1.204 MHz shown as 1.2, slope 85.39
        "   1         10       14.1       1.2   2.408      85.39", "42.2 мВт", "1.3 МГц",
        "4.33 МГц", "1.67", "20.55 МГц", "Замечаний нет."}) {
    EXPECT_TRUE(out_.contains(QString::fromUtf8(expected))) << expected << "\n"
                                                            << out_.toStdString();
  }
  // Row 4 was read as 0 (no amplitude, no slope); row 14 was never entered.
  EXPECT_TRUE(
      out_.contains(QStringLiteral("   4          0          .      3.51   7.016          .\n")));
  EXPECT_TRUE(out_.contains(QStringLiteral("  14") + QString(35, u' ') + QStringLiteral("20.82")));
}

// The checks: each spoilt file gives findings of one kind only, and exit code 1.
struct Spoilt {
  const char* name;
  std::function<QByteArray()> bytes;
  ResultsFinding::Kind kind;
  const char* says;
  friend void PrintTo(const Spoilt& spoilt, std::ostream* os) { *os << spoilt.name; }
};

QByteArray spoilt(const std::function<void(Результат&)>& change) {
  Результат r = soundRecord();
  change(r);
  return encodeResultRecord(r);
}

class ResultsToolFinding : public ResultsTool, public ::testing::WithParamInterface<Spoilt> {};

TEST_P(ResultsToolFinding, IsNamedInPlainWords) {
  const QString path = write(QStringLiteral("Result7_1.res"), GetParam().bytes());
  const ResultsFileReport report = inspectResultsFile(path);
  ASSERT_TRUE(report.readable());
  ASSERT_FALSE(report.findings.empty());
  for (const ResultsFinding& finding : report.findings) {
    EXPECT_EQ(finding.kind, GetParam().kind) << finding.text.toStdString();
  }
  EXPECT_TRUE(report.findings.front().text.contains(QString::fromUtf8(GetParam().says)))
      << report.findings.front().text.toStdString();
  EXPECT_EQ(run({path}), 1);
  EXPECT_TRUE(out_.contains(QStringLiteral("Замечания:")));
}

using K = ResultsFinding::Kind;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

const Spoilt kSpoilt[] = {

    Spoilt{"ShortFile", [] { return encodeResultRecord(soundRecord()).left(553); }, K::Size,
           "в нем 553 байта"},
    Spoilt{"LongerFile", [] { return encodeResultRecord(soundRecord()) + "tail"; }, K::Size,
           "еще 4 байта"},
    Spoilt{"BlankSurname", [] { return spoilt([](Результат& r) { r.Фамилия = QString(); }); },
           K::BlankField, "«Фамилия»"},
    Spoilt{"BlankEmail",
           [] { return spoilt([](Результат& r) { r.EMail = QStringLiteral("   "); }); },
           K::BlankField, "«E-mail»"},
    Spoilt{"NaNSlope", [] { return spoilt([](Результат& r) { r.ХарS[2] = kNaN; }); }, K::NotFinite,
           "Строка 2 таблицы: S — не число"},
    Spoilt{"InfiniteDeviation", [] { return spoilt([](Результат& r) { r.Харdf[18] = kInf; }); },
           K::NotFinite, "Строка 18 таблицы: Δf — бесконечность"},
    Spoilt{"AmplitudeNotFromReading",
           [] { return spoilt([](Результат& r) { r.ХарUвх[3] = 31.5f; }); }, K::Table,
           "Строка 3 таблицы: U вх = 31.5, а должно быть 31.02"},
    Spoilt{"DeviationNotFromIndex", [] { return spoilt([](Результат& r) { r.Харdf[2] = 2.0f; }); },
           K::Table, "Строка 2 таблицы: Δf = 2, а должно быть 1.916"},
    Spoilt{"SlopeNotFromRow", [] { return spoilt([](Результат& r) { r.ХарS[5] *= 1.001f; }); },
           K::Table, "Строка 5 таблицы: S ="},
    Spoilt{"ReadingChangedAfterwards",
           [] { return spoilt([](Результат& r) { r.Харuвх[1] = 12; }); }, K::Table,
           "Строка 1 таблицы: U вх = 14.1"},
    Spoilt{"RowBeyondTheTable", [] { return spoilt([](Результат& r) { r.Харuвх[16] = 5; }); },
           K::Table, "Строка 16 таблицы"},
    Spoilt{"BandValueEdited", [] { return spoilt([](Результат& r) { r.Пчм = Currency(25.0); }); },
           K::Band, "Пчм = 25, а по N = 1320, pk = 32, Δfk = 200, F2 = 2596 должно быть 20.5525"},
    Spoilt{"PowerChangedAfterTheCalculation",
           [] { return spoilt([](Результат& r) { r.pk = 40; }); }, K::Band,
           "Рср = 42.24, а по N = 1320, pk = 40"},
    Spoilt{"SnapshotEdited",
           [] { return spoilt([](Результат& r) { r.РсрИтог = Currency(40.0); }); }, K::Snapshot,
           "РсрИтог = 40"},
    Spoilt{"SnapshotOfZeroChannelsStillChecked",
           [] {
             return spoilt([](Результат& r) {
               r.NИтог = 0;
               r.pkИтог = 33;
             });
           },
           K::Snapshot, "pkИтог = 33"}};

INSTANTIATE_TEST_SUITE_P(Checks, ResultsToolFinding, ::testing::ValuesIn(kSpoilt),
                         [](const auto& info) { return std::string(info.param.name); });

// What the program writes in the normal course of the work raises nothing.
struct Normal {
  const char* name;
  std::function<void(Результат&)> change;
  friend void PrintTo(const Normal& normal, std::ostream* os) { *os << normal.name; }
};

class ResultsToolNormal : public ResultsTool, public ::testing::WithParamInterface<Normal> {};

TEST_P(ResultsToolNormal, RaisesNoFinding) {
  Результат r = soundRecord();
  GetParam().change(r);
  for (const ResultsFinding& finding : checkResultsRecord(r))
    ADD_FAILURE() << finding.text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Records, ResultsToolNormal,
    ::testing::Values(
        Normal{"Finished", [](Результат&) {}},
        Normal{"NoChannelsConfirmed",
               [](Результат& r) {
                 r.dfkИтог = r.dfэффИтог = r.dfпикИтог = r.ПчмИтог = r.F1Итог = r.F2Итог =
                     r.РсрИтог = r.mfИтог = Currency();
                 r.NИтог = r.pkИтог = 0;
               }},
        Normal{"WrittenByThePersonalDataScreen",
               [](Результат& r) {
                 const Результат personal = r;
                 r = Результат();
                 r.Фамилия = personal.Фамилия;
                 r.Имя = personal.Имя;
                 r.Отчество = personal.Отчество;
                 r.Группа = personal.Группа;
                 r.НомерСБ = personal.НомерСБ;
                 r.EMail = personal.EMail;
                 r.Вариант = QStringLiteral("47");
                 r.N = 600;
               }},
        Normal{"TableComputedInSinglePrecision",
               [](Результат& r) {
                 for (int row = 1; row <= 5; ++row) {
                   r.ХарUвх[row] = r.Харuвх[row] * 1.41f;
                   r.Харdf[row] = static_cast<float>(kRowIndex[row]) * 0.5f;
                   r.ХарS[row] =
                       r.ХарUвх[row] == 0 ? 0.0f : r.Харdf[row] / (r.ХарUвх[row] / 1000.0f);
                 }
               }},
        Normal{"SnapshotTakenBeforeTheInputsChanged",
               [](Результат& r) {
                 r.dfk = 150;  // changed after the confirmation: the working values follow it
                 r.dfэфф = 0.9749;
                 r.dfпик = 3.2464;
                 r.mf = 1.2505;
                 r.Пчм = 17.4908;
               }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ResultsTool, ACardWithoutAConfirmedChoiceSaysSo) {
  Результат r = soundRecord();
  r.dfkИтог = r.dfэффИтог = r.dfпикИтог = r.ПчмИтог = r.F1Итог = r.F2Итог = r.РсрИтог = r.mfИтог =
      Currency();
  r.NИтог = r.pkИтог = 0;
  const QString path = write(QStringLiteral("a.res"), r);
  EXPECT_EQ(run({path}), 0);
  EXPECT_TRUE(out_.contains(QStringLiteral("Число каналов студент не выбирал")));
  EXPECT_FALSE(out_.contains(QStringLiteral("выбор студента")));
  run({write(QStringLiteral("b.res"), soundRecord())});
  EXPECT_TRUE(out_.contains(QStringLiteral("выбор студента")));
  EXPECT_FALSE(out_.contains(QStringLiteral("Число каналов студент не выбирал")));
}

TEST_F(ResultsTool, AFolderGivesACardPerResultsFileAndATotal) {
  write(QStringLiteral("b.res"), spoilt([](Результат& r) { r.Имя = QString(); }));
  write(QStringLiteral("a.RES"), soundRecord());
  write(QStringLiteral("c.res"), QByteArray(100, 'x'));
  write(QStringLiteral("notes.txt"), QByteArray("not a results file"));
  EXPECT_EQ(run({dir_.path()}), 1);
  EXPECT_EQ(out_.count(QStringLiteral("Файл: ")), 3);
  const qsizetype a = out_.indexOf(QStringLiteral("a.RES"));
  const qsizetype b = out_.indexOf(QStringLiteral("b.res"));
  const qsizetype c = out_.indexOf(QStringLiteral("c.res"));
  EXPECT_TRUE(a >= 0 && a < b && b < c);
  EXPECT_FALSE(out_.contains(QStringLiteral("notes.txt")));
  EXPECT_TRUE(out_.contains(QStringLiteral("в нем 100 байт,")));
  EXPECT_TRUE(out_.contains(
      QStringLiteral("Итого файлов: 3; без замечаний: 1; с замечаниями: 2; не прочитано: 0.")));
}

TEST_F(ResultsTool, AFileThatCannotBeReadExitsTwo) {
  const QString sound = write(QStringLiteral("a.res"), soundRecord());
  const QString missing = dir_.filePath(QStringLiteral("нет.res"));
  EXPECT_EQ(run({sound, missing}), 2);
  EXPECT_TRUE(err_.contains(missing + QStringLiteral(": файл не найден")));
  EXPECT_TRUE(out_.contains(QStringLiteral("не прочитано: 1")));

  QDir(dir_.path()).mkdir(QStringLiteral("пусто"));
  EXPECT_EQ(run({sound, dir_.filePath(QStringLiteral("пусто"))}), 2);
  EXPECT_TRUE(err_.contains(QStringLiteral("в папке нет файлов *.res")));
  EXPECT_EQ(run({}), 2);
  EXPECT_EQ(run({QStringLiteral("--csv"), QStringLiteral("--json"), sound}), 2);
  EXPECT_EQ(run({QStringLiteral("--sort"), sound}), 2);
}

TEST_F(ResultsTool, HelpIsInRussianAndEnglish) {
  EXPECT_EQ(run({QStringLiteral("--help")}), 0);
  EXPECT_TRUE(out_.contains(QStringLiteral("Использование: fmlab-results")));
  EXPECT_TRUE(out_.contains(QStringLiteral("Usage: fmlab-results")));
  EXPECT_EQ(run({QStringLiteral("-h")}), 0);
}

// RFC 4180 fields: quoted fields may hold commas, doubled quotes and line breaks.
std::vector<QStringList> parseCsv(const QString& text) {
  std::vector<QStringList> rows;
  QStringList row;
  QString field;
  bool quoted = false;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (quoted) {
      if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
        field += u'"';
        ++i;
      } else if (c == u'"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c == u'"') {
      quoted = true;
    } else if (c == u',') {
      row << field;
      field.clear();
    } else if (c == u'\n') {
      row << field;
      field.clear();
      rows.push_back(row);
      row.clear();
    } else {
      field += c;
    }
  }
  return rows;
}

TEST_F(ResultsTool, CsvHasAHeaderAndARowPerFileThatParseBack) {
  Результат quoted = soundRecord();
  quoted.EMail = QStringLiteral("\"o'neil\"@x.ru");
  quoted.Группа = QStringLiteral("РТ,21");
  write(QStringLiteral("a.res"), soundRecord());
  write(QStringLiteral("b.res"), quoted);
  write(QStringLiteral("c.res"), spoilt([](Результат& r) { r.ХарS[2] = kNaN; }));
  EXPECT_EQ(run({QStringLiteral("--csv"), dir_.path()}), 1);
  const std::vector<QStringList> rows = parseCsv(out_);
  ASSERT_EQ(rows.size(), 4u);
  const QStringList& header = rows[0];
  for (const QStringList& row : rows) EXPECT_EQ(row.size(), header.size());
  const auto cell = [&](int row, const char* column) {
    return rows[row][header.indexOf(QString::fromUtf8(column))];
  };
  EXPECT_EQ(cell(1, "Фамилия"), QStringLiteral("Иванов"));
  EXPECT_EQ(cell(1, "Состояние"), QStringLiteral("без замечаний"));
  EXPECT_EQ(cell(1, "Замечания"), QString());
  EXPECT_EQ(cell(1, "uвх1"), QStringLiteral("10"));
  EXPECT_EQ(cell(1, "Uвх1"), QStringLiteral("14.1"));
  EXPECT_EQ(cell(1, "df2"), QStringLiteral("1.916"));
  EXPECT_EQ(cell(1, "Пчм"), QStringLiteral("20.5525"));
  EXPECT_EQ(cell(1, "NИтог"), QStringLiteral("60"));
  EXPECT_EQ(cell(2, "EMail"), QStringLiteral("\"o'neil\"@x.ru"));
  EXPECT_EQ(cell(2, "Группа"), QStringLiteral("РТ,21"));
  EXPECT_EQ(cell(3, "Состояние"), QStringLiteral("есть замечания"));
  EXPECT_EQ(cell(3, "S2"), QStringLiteral("NaN"));
  EXPECT_TRUE(cell(3, "Замечания").contains(QStringLiteral("не число")));
  // The suspicious file is listed on the error stream too.
  EXPECT_TRUE(err_.contains(QStringLiteral("c.res: Строка 2 таблицы: S — не число")));
  EXPECT_FALSE(err_.contains(QStringLiteral("a.res")));
}

TEST_F(ResultsTool, JsonHoldsTheWholeRecordAndTheFindings) {
  const QString sound = write(QStringLiteral("a.res"), soundRecord());
  const QString bad = write(QStringLiteral("b.res"), spoilt([](Результат& r) {
                              r.ХарS[2] = kNaN;
                              r.Отчество = QString();
                            }));
  const QString missing = dir_.filePath(QStringLiteral("c.res"));
  EXPECT_EQ(run({QStringLiteral("--json"), sound, bad, missing}), 2);
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(out_.toUtf8(), &error);
  ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
  const QJsonArray files = document.array();
  ASSERT_EQ(files.size(), 3);

  const QJsonObject first = files[0].toObject();
  EXPECT_EQ(first[QStringLiteral("file")].toString(), sound);
  EXPECT_EQ(first[QStringLiteral("status")].toString(), QStringLiteral("sound"));
  EXPECT_EQ(first[QStringLiteral("size")].toInt(), 554);
  const QJsonObject record = first[QStringLiteral("record")].toObject();
  EXPECT_EQ(record[QStringLiteral("Фамилия")].toString(), QStringLiteral("Иванов"));
  EXPECT_EQ(record[QStringLiteral("Вариант")].toString(), QStringLiteral("53"));
  EXPECT_EQ(record[QStringLiteral("Харuвх")].toArray().size(), 20);
  EXPECT_EQ(record[QStringLiteral("ХарUвх")].toArray().size(), 14);
  EXPECT_EQ(record[QStringLiteral("Харuвх")][1].toDouble(), 15.5);
  EXPECT_EQ(record[QStringLiteral("ХарUвх")][0].toDouble(), 14.1);
  EXPECT_EQ(record[QStringLiteral("N")].toInt(), 1320);
  EXPECT_EQ(record[QStringLiteral("dfэфф")].toDouble(), 1.2998);
  EXPECT_EQ(record[QStringLiteral("ПолосаИтог")][QStringLiteral("NИтог")].toInt(), 60);

  const QJsonObject second = files[1].toObject();
  EXPECT_EQ(second[QStringLiteral("status")].toString(), QStringLiteral("findings"));
  EXPECT_TRUE(second[QStringLiteral("record")][QStringLiteral("ХарS")][1].isNull());
  QStringList kinds;
  for (const QJsonValue finding : second[QStringLiteral("findings")].toArray()) {
    kinds << finding[QStringLiteral("kind")].toString();
    EXPECT_FALSE(finding[QStringLiteral("text")].toString().isEmpty());
  }
  EXPECT_EQ(kinds, (QStringList{"blank-field", "not-finite"}));

  const QJsonObject third = files[2].toObject();
  EXPECT_EQ(third[QStringLiteral("status")].toString(), QStringLiteral("unreadable"));
  EXPECT_EQ(third[QStringLiteral("error")].toString(), QStringLiteral("файл не найден"));
  EXPECT_FALSE(third.contains(QStringLiteral("record")));
}

}  // namespace
