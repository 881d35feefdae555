// A student who does anything at all, and one who does the whole work again and again.
//
// Random use: random clicks, keys, scrollbar moves, drags and menu choices sent to every screen
// through the real widgets, boxes answered at random (never Yes to the end of the program);
// nothing may crash and the record and the table's bookkeeping stay sound after every event.
// FMLAB_RANDOM_SEED=<number> runs another seed (0: a new one, printed), FMLAB_RANDOM_EVENTS=<n>
// sets the events per screen. Long use: the whole road many times in one process with flat
// memory; FMLAB_LONG_USE_ROUNDS=<number> sets the rounds measured.

#include <malloc.h>
#include <unistd.h>

#include <QAbstractSlider>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPixmapCache>
#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <random>

#include "records/results_file.h"
#include "support/assembly.h"
#include "support/lab.h"
#include "support/records.h"

namespace {

using enum ScreenId;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;  // freed memory sits in quarantine: sizes say nothing there
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
 protected:
  int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }
  bool chance(double p) { return std::bernoulli_distribution(p)(random); }
  template <class T>
  T* pick(const QList<T*>& items) {
    return items.isEmpty() ? nullptr : items[below(int(items.size()))];
  }

  // The controls a student can reach: visible, enabled, some part inside the window.
  QList<QWidget*> reachable(QWidget* top) const {
    QList<QWidget*> result;
    for (QWidget* w : top->findChildren<QWidget*>()) {
      const QRect inTop(w->mapTo(top, QPoint(0, 0)), w->size());
      if (w->isVisible() && w->isEnabled() && !w->isWindow() && !qobject_cast<QMenuBar*>(w) &&
          inTop.intersects(top->rect())) {
        result.push_back(w);
      }
    }
    return result;
  }
  QPoint pointIn(QWidget* top, QWidget* w) {
    const QRect inTop = QRect(w->mapTo(top, QPoint(0, 0)), w->size()).intersected(top->rect());
    return inTop.isEmpty() ? QPoint() : inTop.topLeft() + QPoint(below(inTop.width()), below(inTop.height()));
  }

  void oneEvent(QWidget* top) {
    const QList<QWidget*> controls = reachable(top);
    QPointer<QWindow> window(top->windowHandle());
    const Qt::MouseButton button = chance(0.85) ? Qt::LeftButton : Qt::RightButton;
    const int roll = below(100);
    if (roll < 35) {  // a click on a control or anywhere
      QWidget* target = chance(0.8) ? pick(controls) : top;
      if (target && window) QTest::mouseClick(window, button, {}, pointIn(top, target));
    } else if (roll < 65) {  // a key: printable, Cyrillic, a number's, an editing key, a paste
      static const QString kKeys = QStringLiteral(
          " !*+,-./0123456789:;<>?@AZaz[\\]|~АЖЯажяё0123456789,.-,.");
      QWidget* target = top->focusWidget() && chance(0.7) ? top->focusWidget() : pick(controls);
      if (!target) return;
      target->setFocus();
      const int k = below(int(kKeys.size()) + 6);
      Qt::Key code = Qt::Key_Return;
      QString text = QStringLiteral("\r");
      Qt::KeyboardModifiers modifiers = Qt::NoModifier;
      if (k < kKeys.size()) {
        text = kKeys[k];
        code = static_cast<Qt::Key>(kKeys[k].toUpper().unicode());
      } else if (k == kKeys.size()) {
        QApplication::clipboard()->setText(kKeys.mid(below(40), below(12)));
        std::tie(code, text, modifiers) = std::tuple(Qt::Key_V, QString(QChar(0x16)), Qt::ControlModifier);
      } else if (k < kKeys.size() + 3) {
        std::tie(code, text) = std::pair(Qt::Key_Backspace, QStringLiteral("\b"));
      } else if (k == kKeys.size() + 3) {
        std::tie(code, text) = std::pair(Qt::Key_Down, QString());
      }
      QPointer<QWidget> alive(target);
      QKeyEvent press(QEvent::KeyPress, code, modifiers, text);
      QApplication::sendEvent(target, &press);
      QKeyEvent release(QEvent::KeyRelease, code, modifiers, text);
      if (alive) QApplication::sendEvent(target, &release);
    } else if (roll < 75) {  // a scrollbar moved, also beyond its ends
      QList<QAbstractSlider*> sliders;
      for (QWidget* w : controls) {
        if (auto* s = qobject_cast<QAbstractSlider*>(w)) sliders.push_back(s);
      }
      if (QAbstractSlider* s = pick(sliders)) {
        s->setValue(s->minimum() - 5 + below(s->maximum() - s->minimum() + 11));
      }
    } else if (roll < 90) {  // a drag from a picture or a control, released anywhere
      QWidget* from = pick(controls);
      if (!from || !window) return;
      QTest::mousePress(window, button, {}, pointIn(top, from));
      QPoint at;
      for (int step = 1 + below(3); step > 0 && window; --step) {
        at = pointIn(top, chance(0.7) ? pick(reachable(top)) : top);
        QTest::mouseMove(window, at);
      }
      if (window) QTest::mouseRelease(window, button, {}, at);
    } else {  // a menu item
      QList<QAction*> items;
      for (QMenuBar* bar : top->findChildren<QMenuBar*>()) {
        for (QAction* a : bar->actions()) {
          for (QAction* item : a->menu() ? a->menu()->actions() : QList<QAction*>{a}) {
            if (item->isEnabled() && item->isVisible() && !item->isSeparator()) items << item;
          }
        }
      }
      if (QAction* a = pick(items)) a->trigger();
    }
  }

  // Sends the events to one screen, reached again whenever it is gone; returns what broke.
  QString run(ScreenId screen, int events) {
    for (int event = 0; event < events; ++event) {
      if (!hub || hub->programEnded() || !hub->find(screen) || !hub->find(screen)->isVisible()) {
        restart(std::uniform_real_distribution<double>(0, 1)(random));
        desktop.onMessage = [this](const DesktopCall& call) {
          const bool end = call.text == "Вы хотите окончить работу с программой?";
          desktop.answers = {call.buttons == MsgButtons::YesNo
                                 ? (end || chance(0.5) ? MsgAnswer::No : MsgAnswer::Yes)
                                 : (call.buttons == MsgButtons::OkCancel && chance(0.5) ? MsgAnswer::Cancel : MsgAnswer::Ok)};
        };
        desktop.pageSize = QSize(124, 175);
        if (!reach(screen)) return "the screen cannot be reached";
      }
      if (desktop.fileNames.empty()) desktop.fileNames = {choices[below(int(choices.size()))]};
      desktop.printOutcome = static_cast<PrintOutcome>(below(4));
      oneEvent(hub->find(screen)->window());
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      QStringList faults = recordFaults(state.Рез);
      if (auto* table = hub ? dynamic_cast<FrmМонтаж*>(hub->find(Assembly)) : nullptr) {
        faults << assemblyFaults(table->model());
      }
      if (!faults.isEmpty()) return QStringLiteral("event %1: ").arg(event) + faults.join("; ");
    }
    return {};
  }

  std::mt19937_64 random;
  QStringList choices;  // what the open dialog hands out: nothing, a record, a short file, a folder
};

TEST_F(Use, RandomEventsOnEveryScreenBreakNothing) {
  quint64 seed = fromEnvironment("FMLAB_RANDOM_SEED", 20261206);
  if (seed == 0) seed = std::random_device{}();
  std::printf("random use: seed %llu (repeat with FMLAB_RANDOM_SEED)\n", (unsigned long long)seed);
  const QByteArray record = encodeResultRecord(filledRecord("777"));
  writeBytes(programDir.filePath("whole.res"), record);
  writeBytes(programDir.filePath("part.res"), record.left(300));
  QDir(programDir.path()).mkdir("folder.res");
  choices = {QString(), programDir.filePath("whole.res"), programDir.filePath("part.res"),
             programDir.filePath("folder.res")};
  // A menu that a click opened runs its own loop: it is closed from inside that loop.
  QTimer popups;
  QObject::connect(&popups, &QTimer::timeout, [] {
    if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
  });
  popups.start(0);
  const int events = fromEnvironment("FMLAB_RANDOM_EVENTS", kSanitized ? 300 : 1000);
  for (int id = int(Title); id <= int(Report); ++id) {
    SCOPED_TRACE(id);
    random.seed(seed ^ (quint64(id) * 0x9E3779B97F4A7C15ull));  // each screen repeatable alone
    hub.reset();
    const QString broken = run(ScreenId(id), events);
    EXPECT_TRUE(broken.isEmpty()) << "seed " << seed << ": " << broken.toStdString();
  }
}

// The process's heap in use (Qt's pixmap cache, not the program's memory, emptied first).
double heapMb() {
  QPixmapCache::clear();
  ::malloc_trim(0);
  return double(::mallinfo2().uordblks) / 1048576;
}

TEST_F(Use, TheWholeRoadAgainAndAgainWritesTheSameFileWithFlatMemory) {
  QByteArray first;
  double before = 0;
  const int warmUp = kSanitized ? 1 : 3;
  const int rounds = warmUp + fromEnvironment("FMLAB_LONG_USE_ROUNDS", kSanitized ? 4 : 40);
  for (int round = 0; round < rounds; ++round) {
    SCOPED_TRACE(round);
    state = ModЧМ();
    int draw = 0;
    state.rnd = [&draw] { return (draw++ % 10) / 10.0 + 0.05; };
    desktop = ScriptedDesktop();
    ASSERT_NO_FATAL_FAILURE(walkRoad());
    const QByteArray bytes = fileBytes(programDir.filePath(resultsFileName(state.Рез)));
    ASSERT_EQ(bytes.size(), 554);
    if (round == 0) first = bytes;
    ASSERT_EQ(bytes, first);
    if (round == warmUp - 1) before = heapMb();
  }
  const double after = heapMb();
  std::printf("long use: %d rounds, heap in use %.2f MB -> %.2f MB\n", rounds, before, after);
  if (!kSanitized) {
    EXPECT_LT(after - before, 1.0);
  }
}

}  // namespace
