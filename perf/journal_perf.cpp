// The teacher's journal over a class of 1,000 files: the time from opening the folder to the
// whole table (within 1 s, the window answering all along), and the time from Down in the table
// to the next student's page drawn (within 50 ms).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPrinter>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>

#include "perf/class_folder.h"
#include "tools/fmlab-journal/journal_dialogs.h"
#include "tools/fmlab-journal/journal_window.h"

namespace {

constexpr int kLargeClass = 1000;

class NoDialogs final : public JournalDialogs {
 public:
  QString chooseFolder(QWidget*, const QString&) override { return {}; }
  QStringList chooseFiles(QWidget*, const QString&) override { return {}; }
  QString chooseSaveName(QWidget*, const QString&, const QString&) override { return {}; }
  bool choosePrinter(QWidget*, QPrinter&) override { return false; }
  void tell(QWidget*, const QString&) override {}
};

// A shown journal over a folder of the large class, with settings of its own.
struct Journal {
  QTemporaryDir folder;
  QSettings settings{folder.filePath(QStringLiteral("journal.ini")), QSettings::IniFormat};
  NoDialogs dialogs;
  JournalWindow window{dialogs, settings};
  QTableView* table = window.findChild<QTableView*>(QStringLiteral("table"));
  const bool written = writeClassFolder(folder.path(), kLargeClass);
  bool filled() const { return table->model()->rowCount() == kLargeClass; }
  // Shows the window; false (the benchmark skipped) when the folder could not be written.
  bool ready(benchmark::State& run) {
    if (!written) {
      run.SkipWithError("cannot write the class folder");
      return false;
    }
    window.show();
    return true;
  }
};

// Events are handled until the table holds the class; the longest wait for an event to be
// handled is what a teacher would feel as the window's answer.
void BM_JournalOpensLargeClass(benchmark::State& run) {
  Journal journal;
  if (!journal.ready(run)) return;
  qint64 longestTurn = 0;
  for (auto _ : run) {
    journal.window.open({journal.folder.path()});
    QElapsedTimer turn;
    while (!journal.filled()) {
      turn.start();
      QApplication::processEvents();
      longestTurn = std::max(longestTurn, turn.elapsed());
    }
  }
  run.counters["longest_turn_ms"] = double(longestTurn);
}
BENCHMARK(BM_JournalOpensLargeClass)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_JournalNextStudent(benchmark::State& run) {
  Journal journal;
  if (!journal.ready(run)) return;
  journal.window.open({journal.folder.path()});
  while (!journal.filled()) QApplication::processEvents();
  journal.table->setFocus();
  int key = Qt::Key_Down;
  for (auto _ : run) {
    // Down the class and back, a page each time.
    if (journal.table->currentIndex().row() == kLargeClass - 1) key = Qt::Key_Up;
    if (journal.table->currentIndex().row() == 0) key = Qt::Key_Down;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(journal.table, &press);
    QApplication::processEvents();
  }
}
BENCHMARK(BM_JournalNextStudent)->Unit(benchmark::kMillisecond);

}  // namespace
