// The teacher's PDF of a class: 100 results files read, checked and drawn, a page each, with
// the summary. It has to take no more than 10 s on the lab's machines.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include "records/results_file.h"
#include "teacher/results_pages.h"
#include "tools/fmlab-results/results_tool.h"

namespace {

constexpr int kClassSize = 100;

// A class folder: each student with a table of their own, most of them near the bench's.
bool writeClass(const QString& folder) {
  for (int student = 1; student <= kClassSize; ++student) {
    Результат r;
    r.Фамилия = QStringLiteral("Студент%1").arg(student);
    r.Имя = QStringLiteral("Иван");
    r.Группа = QStringLiteral("РС-31");
    r.НомерСБ = QString::number(10000 + student);
    for (int row = 1; row <= 14; ++row) {
      r.Харuвх[row] = float(row * 11.3 + student % 7);
      r.ХарUвх[row] = float(r.Харuвх[row] * 1.41);
      r.Харdf[row] = float(row * 0.75);
      r.ХарS[row] = r.Харdf[row] / (r.ХарUвх[row] / 1000);
    }
    QFile file(QDir(folder).filePath(resultsFileName(r)));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(encodeResultRecord(r)) != kResultRecordSize) {
      return false;
    }
  }
  return true;
}

void BM_ClassPdf(benchmark::State& run) {
  QTemporaryDir folder;
  if (!writeClass(folder.path())) {
    run.SkipWithError("cannot write the class folder");
    return;
  }
  const QString pdf = folder.filePath(QStringLiteral("class.pdf"));
  QString text;
  for (auto _ : run) {
    QTextStream out(&text), err(&text);
    runResultsTool(
        {QStringLiteral("--pdf"), pdf, folder.path()}, out, err, QLocale::c(),
        [](const QString& fileName, const std::vector<ResultsFileReport>& reports,
           bool withSummary) { return writeResultsPdf(fileName, reports, withSummary); });
    text.clear();
  }
  run.counters["files"] = kClassSize;
}
BENCHMARK(BM_ClassPdf)->Unit(benchmark::kSecond)->Iterations(2);

}  // namespace
