// The teacher's PDF of a class: 100 results files read, checked and drawn, a page each, with
// the summary. It has to take no more than 10 s on the lab's machines.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <QTextStream>

#include "perf/class_folder.h"
#include "teacher/results_pages.h"
#include "tools/fmlab-results/results_tool.h"

namespace {

constexpr int kClassSize = 100;

void BM_ClassPdf(benchmark::State& run) {
  QTemporaryDir folder;
  if (!writeClassFolder(folder.path(), kClassSize)) {
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
