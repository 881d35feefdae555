// Long use: the student's whole road, from the first screen to the results file, walked again
// and again in one process, every screen opened and closed each time. Memory must stay flat:
// what the process holds after many rounds is what it held after the first few.
//
// FMLAB_LONG_USE_ROUNDS=<number> sets the rounds measured.

#include <gtest/gtest.h>
#include <malloc.h>
#include <unistd.h>

#include <QCursor>
#include <QFile>
#include <QIcon>
#include <QPixmap>
#include <QPixmapCache>
#include <QTextStream>
#include <cstdio>

#include "app/work_state.h"
#include "platform/pictures.h"
#include "records/results_file.h"
#include "support/scripted_desktop.h"
#include "support/student_road.h"
#include "support/temp_program_dir.h"

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

// Under AddressSanitizer freed memory is held back in quarantine, so the process's size says
// nothing about leaks there: a few rounds look for faults of repeated opening and closing only.
constexpr int kWarmUpRounds = kSanitized ? 2 : 5;
constexpr int kRounds = kSanitized ? 10 : 200;

// Allowed growth over all measured rounds: a leak of a few kilobytes per round would pass the
// resident size (pages come and go in steps) but not the heap in use.
constexpr double kResidentToleranceMb = 8;
constexpr double kHeapToleranceMb = 1;

int roundsToMeasure() {
  bool ok = false;
  const int fromEnvironment = qEnvironmentVariableIntValue("FMLAB_LONG_USE_ROUNDS", &ok);
  return ok && fromEnvironment > 0 ? fromEnvironment : kRounds;
}

// The process's own figures: resident size (from /proc/self/statm) and heap in use (malloc).
// Qt's pixmap cache is emptied first: it keeps the pixmaps of icons and of the style's drawing
// (new ones for every icon loaded), up to its own limit of 10 MB, and is not the program's memory.
struct Memory {
  double residentMb = 0;
  double heapMb = 0;
};

Memory memoryNow() {
  QPixmapCache::clear();
  ::malloc_trim(0);
  Memory m;
  QFile statm(QStringLiteral("/proc/self/statm"));
  if (statm.open(QIODevice::ReadOnly)) {
    const QList<QByteArray> fields = statm.readAll().split(' ');
    if (fields.size() > 1) {
      m.residentMb = fields[1].toDouble() * static_cast<double>(::sysconf(_SC_PAGESIZE)) / 1048576;
    }
  }
  m.heapMb = static_cast<double>(::mallinfo2().uordblks) / 1048576;
  return m;
}

// One run of the program: a fresh work state and desktop, the whole road, the results file.
void oneRound(int round, const QByteArray* expected, QByteArray* written) {
  ModЧМ state;
  int draw = 0;
  state.rnd = [&draw] { return (draw++ % 10) / 10.0 + 0.05; };
  ScriptedDesktop desktop;
  const QString path = walkStudentRoad(state, desktop);
  ASSERT_FALSE(path.isEmpty()) << "round " << round;
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "round " << round;
  const QByteArray bytes = file.readAll();
  ASSERT_EQ(bytes.size(), kResultRecordSize) << "round " << round;
  if (expected) {
    ASSERT_EQ(bytes, *expected) << "round " << round << " wrote another record";
  }
  if (written) *written = bytes;
}

TEST(LongUse, TheWholeRoadManyTimesWithFlatMemory) {
  TempProgramDir programDir;
  QByteArray first;
  for (int round = 0; round < kWarmUpRounds; ++round) {
    ASSERT_NO_FATAL_FAILURE(oneRound(round, round == 0 ? nullptr : &first, &first));
  }
  const Memory before = memoryNow();
  const int rounds = roundsToMeasure();
  for (int round = 0; round < rounds; ++round) {
    ASSERT_NO_FATAL_FAILURE(oneRound(kWarmUpRounds + round, &first, nullptr));
  }
  const Memory after = memoryNow();
  std::printf(
      "long use: %d rounds after %d to warm up; resident %.1f MB -> %.1f MB, heap in use "
      "%.2f MB -> %.2f MB\n",
      rounds, kWarmUpRounds, before.residentMb, after.residentMb, before.heapMb, after.heapMb);
  if (kSanitized) return;
  EXPECT_LT(after.residentMb - before.residentMb, kResidentToleranceMb);
  EXPECT_LT(after.heapMb - before.heapMb, kHeapToleranceMb);
}

// The palette's icons and the table's pointers are loaded anew each time their screen loads:
// that must leave nothing behind once the icons are gone.
TEST(LongUse, IconsLoadedAgainAndAgainLeaveNothingBehind) {
  TempProgramDir programDir;
  const auto loadAndShow = [] {
    const QIcon icon = loadIcon(QStringLiteral("Гсс.ico"));
    const QPixmap shown = icon.pixmap(32, 32);
    const QCursor pointer = loadCursor(QStringLiteral("Рука.ICO"));
    return shown.isNull() || pointer.pixmap().isNull();
  };
  for (int i = 0; i < 20; ++i) ASSERT_FALSE(loadAndShow());
  const Memory before = memoryNow();
  for (int i = 0; i < 1000; ++i) ASSERT_FALSE(loadAndShow());
  const Memory after = memoryNow();
  if (kSanitized) return;
  EXPECT_LT((after.heapMb - before.heapMb) * 1024, 16.0) << "kilobytes kept by 1000 loads";
}

}  // namespace
