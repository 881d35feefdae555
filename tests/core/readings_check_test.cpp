#include "teacher/readings_check.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>
#include <cmath>

#include "records/results_file.h"
#include "teacher/results_check.h"
#include "tools/fmlab-results/results_tool.h"

namespace {

// Four rows of the lab's variant table, typed here from it: k1, ГраницаЛин, КоэфНелин,
// КоэфUвх.
struct Modulator {
  int k1;
  double boundary, nonlinearity, factor;
};
const Modulator kModulators[] = {
    {0, 2.7, 13, 14}, {5, 9, 15, 9.5}, {7, 10, 12, 12.5}, {10, 4, 15.5, 14.5}};

// The millivoltmeter at index x: x · КоэфU / 1.41, КоэфU growing by x² / (100 КоэфНелин) beyond
// the boundary, the factor and the product in single precision as the bench holds them.
double benchReading(const Modulator& m, double x) {
  const float index = static_cast<float>(x);
  const float factor = static_cast<float>(
      index > m.boundary ? m.factor + double(index) * index / (100 * m.nonlinearity) : m.factor);
  return static_cast<float>(index * factor) / 1.41;
}

// The zeros of J0 and J1 in the order the amplitude control meets them.
const double kZeros[] = {2.4048,  3.8317,  5.5201,  7.0156,  8.6537,  10.1735, 11.7915,
                         13.3237, 14.9309, 16.4706, 18.0711, 19.6159, 21.2116, 22.7601};

// A student's table: every row read at the control step nearest the zero and typed as the
// display shows it (one decimal).
Результат benchTable(const Modulator& m) {
  Результат r;
  for (int row = 1; row <= 14; ++row) {
    const double x = std::round(kZeros[row - 1] * 100) / 100;
    r.Харuвх[row] = static_cast<float>(std::round(benchReading(m, x) * 10) / 10);
  }
  return r;
}

std::vector<ResultsFinding> readingFindings(const Результат& r) {
  std::vector<ResultsFinding> found = checkResultsRecord(r);
  std::erase_if(found,
                [](const ResultsFinding& f) { return f.kind != ResultsFinding::Kind::Reading; });
  return found;
}

TEST(ReadingsCheck, AWholeTableFromTheBenchNamesItsModulatorAndARowMovedByTenPercent) {
  for (const Modulator& m : kModulators) {
    SCOPED_TRACE(m.k1);
    Результат r = benchTable(m);
    EXPECT_EQ(checkReadings(r).modulators, std::vector<int>{m.k1});
    EXPECT_TRUE(readingFindings(r).empty());

    r.Харuвх[6] *= 1.1f;
    EXPECT_EQ(checkReadings(r).modulators, std::vector<int>{m.k1});
    const std::vector<ResultsFinding> found = readingFindings(r);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].row, 6);
    EXPECT_TRUE(found[0].text.contains(QRegularExpression(
        QStringLiteral("^Строка 6: показание [0-9.]+ мВ не соответствует модулятору %1 \\(")
            .arg(m.k1))))
        << found[0].text.toStdString();
  }
}

TEST(ReadingsCheck, AReadingFitsWithinATenthOfTheIndexAndTheDisplaysHalfStep) {
  const Modulator& m = kModulators[0];
  // Row 1, zero 2.4048: the control reaches 2.31..2.50 within a tenth of it.
  const struct {
    double x;
    double offset;  // mV added to the bench's reading
    bool fits;
  } cases[] = {{2.40, 0, true},      {2.50, 0.04, true}, {2.50, 0.07, false}, {2.31, -0.04, true},
               {2.31, -0.07, false}, {2.30, 0, false},   {2.52, 0, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << " " << c.offset);
    EXPECT_EQ(readingFits(m.k1, 1, static_cast<float>(benchReading(m, c.x) + c.offset)), c.fits);
  }
}

TEST(ReadingsCheck, AHandTypedTableFitsNoModulatorAndEveryFilledRowIsNamed) {
  Результат r;
  const float typed[] = {10, 15.5f, 22, 0, 31.25f};  // u grows as if КоэфU were about 6
  for (int row = 1; row <= 5; ++row) r.Харuвх[row] = typed[row - 1];
  EXPECT_TRUE(checkReadings(r).modulators.empty());
  std::vector<int> rows;
  for (const ResultsFinding& f : readingFindings(r)) rows.push_back(f.row);
  EXPECT_EQ(rows, (std::vector<int>{1, 2, 3, 5}));
}

// The teacher's view of a class: the modulators in the JSON and in words, the summary, the
// spreadsheet file.
TEST(ReadingsCheck, TheToolShowsTheModulatorsForAFolderOfFiles) {
  QTemporaryDir dir;
  Результат fitted = benchTable(kModulators[1]);
  fitted.Фамилия = QStringLiteral("Петрова"), fitted.Имя = QStringLiteral("Анна");
  fitted.Отчество = QStringLiteral("Ильинична"), fitted.Группа = QStringLiteral("РТ-31");
  Результат moved = fitted;
  moved.Фамилия = QStringLiteral("Сидоров"), moved.Харuвх[3] *= 0.9f;
  for (const auto& [name, record] : {std::pair{"a.res", fitted}, std::pair{"b.res", moved}}) {
    QFile file(dir.filePath(QString::fromLatin1(name)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(encodeResultRecord(record)) == 554);
  }
  const auto run = [&](const QStringList& arguments) {
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    runResultsTool(arguments, outStream, errStream, QLocale::c());
    return out;
  };

  const QJsonArray files = QJsonDocument::fromJson(run({"--json", dir.path()}).toUtf8()).array();
  ASSERT_EQ(files.size(), 2);
  for (const QJsonValue file : files) EXPECT_EQ(file["modulators"].toArray(), QJsonArray{5});
  const QJsonValue finding = files[1]["findings"].toArray().last();
  EXPECT_EQ(std::pair(finding["kind"], finding["row"]),
            std::pair(QJsonValue("reading"), QJsonValue(3)));

  const QString cards = run({dir.path()});
  EXPECT_EQ(cards.count(QStringLiteral("Модулятор стенда по показаниям u вх: 5 (")), 2);
  const QStringList summary = cards.mid(cards.indexOf(QStringLiteral("Сводка:"))).split(u'\n');
  ASSERT_GE(summary.size(), 3);
  for (const char* surname : {"Петрова", "Сидоров"}) {
    const QString line = summary.filter(QString::fromUtf8(surname)).value(0).simplified();
    EXPECT_TRUE(line.startsWith(QString::fromUtf8(surname) +
                                QStringLiteral(" А. И. РТ-31 строк: 14 модулятор 5 замечаний: ")))
        << line.toStdString();
  }

  // The spreadsheet file: a byte order mark, ";" between fields, a decimal comma (row 1 of
  // modulator 5: 2.40 · 9.5 / 1.41 = 16.2).
  const QString csv = run({"--csv", dir.path()});
  EXPECT_TRUE(csv.startsWith(QChar(0xFEFF) +
                             QStringLiteral("Файл;Состояние;Замечания;Строк;Модуляторы;Фамилия;")));
  EXPECT_EQ(csv.count(QStringLiteral(";14;5;Петрова;Анна;")), 1);
  EXPECT_EQ(csv.count(QStringLiteral(";14;5;Сидоров;Анна;")), 1);
  EXPECT_TRUE(csv.contains(QStringLiteral(";РТ-31;;;;;;16,2;")));
}

}  // namespace
