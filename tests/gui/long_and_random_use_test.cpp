// A student who does anything at all (random events on every screen; FMLAB_RANDOM_SEED, 0 for a
// new seed, and FMLAB_RANDOM_EVENTS per screen), and one who does the whole work again and again
// in one process (FMLAB_LONG_USE_ROUNDS). Nothing may crash, break the record or leak.

#include <malloc.h>

#include <QAbstractSlider>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QPixmapCache>
#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <random>

#include "records/results_file.h"
#include "support/assembly.h"
#include "support/records.h"

namespace {
// Freed memory sits in the sanitizer's quarantine: heap sizes say nothing there.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
constexpr bool kSanitized = __has_feature(address_sanitizer);
#else
constexpr bool kSanitized = false;
#endif

int fromEnvironment(const char* name, int otherwise) {
  bool ok = false;
  const int value = qEnvironmentVariableIntValue(name, &ok);
  return ok && value >= 0 ? value : otherwise;
}

class Use : public ScreenTest {
 public:
  int below(int n) { return std::uniform_int_distribution<int>(0, std::max(n, 1) - 1)(random); }
  auto pick(const auto& items) { return items.isEmpty() ? nullptr : items[below(items.size())]; }
  QRect inTop(QWidget* top, QWidget* w) { return QRect(w->mapTo(top, QPoint()), w->size()); }
  QPoint pointIn(QWidget* top, QWidget* w) {  // a random point of w (or the window), its pixels
    const QRect r = inTop(top, w ? w : top).intersected(top->rect());
    return r.topLeft() + QPoint(below(r.width()), below(r.height()));
  }
  void oneEvent(QWidget* top) {
    QList<QWidget*> controls;  // what a student can reach: shown, enabled, inside the window
    for (QWidget* w : top->findChildren<QWidget*>())
      if (w->isVisible() && w->isEnabled() && !w->isWindow() && !qobject_cast<QMenuBar*>(w) &&
          inTop(top, w).intersects(top->rect()))
        controls << w;
    QPointer<QWindow> window(top->windowHandle());
    QWidget* target = below(5) ? pick(controls) : top;
    const Qt::MouseButton button = below(6) ? Qt::LeftButton : Qt::RightButton;
    const int roll = below(100);
    if (!target || !window) return;
    if (roll < 35) {
      QTest::mouseClick(window, button, {}, pointIn(top, target));
    } else if (roll < 65) {  // a key: printable, Cyrillic, a number's, Enter, Backspace, Ctrl+V
      static const QString kKeys = QStringLiteral(" !*+,-./09:;<>?@AZaz[\\]|~АЖЯжяё0.5,-\r\r⌫⎘");
      const QChar c = kKeys[below(int(kKeys.size()))];
      if (c == u'⎘') QApplication::clipboard()->setText(kKeys.mid(below(30), below(9)));
      typeInto(top->focusWidget() && below(3) ? top->focusWidget() : target, c);
    } else if (roll < 75) {  // a scrollbar moved, also beyond its ends
      QList<QAbstractSlider*> sliders;
      for (QWidget* w : controls)
        if (auto* s = qobject_cast<QAbstractSlider*>(w)) sliders << s;
      if (QAbstractSlider* s = pick(sliders))
        s->setValue(s->minimum() - 5 + below(s->maximum() - s->minimum() + 11));
    } else if (roll < 90) {  // a drag from a control, released anywhere
      QTest::mousePress(window, button, {}, pointIn(top, target));
      QPoint at = pointIn(top, top);
      for (int step = below(3); step >= 0 && window; --step)
        QTest::mouseMove(window, at = pointIn(top, pick(controls)));
      if (window) QTest::mouseRelease(window, button, {}, at);
    } else {  // a menu item
      QList<QAction*> items;
      for (QMenuBar* bar : top->findChildren<QMenuBar*>())
        for (QAction* a : bar->actions()) items << (a->menu() ? a->menu()->actions() : QList{a});
      if (QAction* item = pick(items); item && item->isEnabled() && !item->isSeparator())
        item->trigger();
    }
  }
  // Sends the events to one screen, reached afresh whenever it is gone; returns what broke.
  QString run(ScreenId screen, int events) {
    for (int event = 0; event < events; ++event) {
      if (!hub || hub->programEnded() || !hub->find(screen) || !hub->find(screen)->isVisible()) {
        restart(std::uniform_real_distribution<double>(0, 1)(random));
        desktop.onMessage = [this](const DesktopCall& call) {
          const bool yesNo = call.buttons == MsgButtons::YesNo, either = below(2);
          const bool end = call.text == "Вы хотите окончить работу с программой?";
          desktop.answers = {yesNo ? (end || either ? MsgAnswer::No : MsgAnswer::Yes)
                                   : (either ? MsgAnswer::Cancel : MsgAnswer::Ok)};
        };
        if (!reach(screen)) return "the screen cannot be reached";
      }
      if (desktop.fileNames.empty()) desktop.fileNames = {choices[below(int(choices.size()))]};
      desktop.printOutcome = static_cast<PrintOutcome>(below(4));
      oneEvent(hub->find(screen)->window());
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      QStringList faults = recordFaults(state.Рез);
      if (auto* table = hub ? dynamic_cast<FrmМонтаж*>(hub->find(ScreenId::Assembly)) : nullptr)
        faults << assemblyFaults(table->model());
      if (!faults.isEmpty()) return QStringLiteral("event %1: ").arg(event) + faults.join("; ");
    }
    return {};
  }
  std::mt19937_64 random;
  QStringList choices;  // what the open dialog hands out: nothing, a record, a short file
};

TEST_F(Use, RandomEventsOnEveryScreenBreakNothing) {
  quint64 seed = fromEnvironment("FMLAB_RANDOM_SEED", 20261206);
  if (seed == 0) seed = std::random_device{}();
  std::printf("random use: seed %llu (FMLAB_RANDOM_SEED repeats it)\n", (unsigned long long)seed);
  choices = {QString(), programDir.filePath("whole.res"), programDir.filePath("part.res")};
  writeBytes(choices[1], encodeResultRecord(filledRecord("777")));
  writeBytes(choices[2], encodeResultRecord(filledRecord("777")).left(300));
  QTimer popups;  // a menu that a click opened runs its own loop: it is closed from inside it
  QObject::connect(&popups, &QTimer::timeout, [] {
    if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
  });
  popups.start(0);
  const int events = fromEnvironment("FMLAB_RANDOM_EVENTS", kSanitized ? 200 : 600);
  for (int id = int(ScreenId::Title); id <= int(ScreenId::Report); ++id) {
    SCOPED_TRACE(id);
    random.seed(seed ^ (quint64(id) * 0x9E3779B97F4A7C15ull));  // each screen repeatable alone
    closeScreens();
    const QString broken = run(ScreenId(id), events);
    EXPECT_TRUE(broken.isEmpty()) << "seed " << seed << ": " << broken.toStdString();
  }
}

TEST_F(Use, TheWholeRoadAgainAndAgainWritesTheSameFileWithFlatMemory) {
  const auto heapMb = [] {  // Qt's pixmap cache, not the program's memory, emptied first
    QPixmapCache::clear();
    ::malloc_trim(0);
    return double(::mallinfo2().uordblks) / 1048576;
  };
  QByteArray first;
  double before = 0;
  const int warmUp = kSanitized ? 1 : 3;
  const int rounds = warmUp + fromEnvironment("FMLAB_LONG_USE_ROUNDS", kSanitized ? 3 : 20);
  for (int round = 0; round < rounds; ++round) {
    int draw = 0;
    restart(), state.rnd = [&draw] { return (draw++ % 10) / 10.0 + 0.05; };
    ASSERT_NO_FATAL_FAILURE(walkRoad());
    const QByteArray bytes = fileBytes(programDir.filePath(resultsFileName(state.Рез)));
    ASSERT_EQ(bytes.size(), 554);
    ASSERT_EQ(bytes, round == 0 ? (first = bytes) : first);
    if (round == warmUp - 1) before = heapMb();
  }
  const double after = heapMb();
  std::printf("long use: %d rounds, heap in use %.2f MB -> %.2f MB\n", rounds, before, after);
  EXPECT_TRUE(kSanitized || after - before < 1.0);
}
}  // namespace
