// A student who does anything at all: thousands of random clicks, key presses, scrollbar moves,
// drags and menu choices sent to every screen through the real widgets, with message boxes
// answered at random (never Yes to the end of the work). Nothing may crash, and the work record
// and the screens' own bookkeeping must stay sound after every event.
//
// The run is seeded with a fixed seed, so that every run of the suite sends the same events;
// FMLAB_RANDOM_SEED=<number> runs with another seed (0: a new one each run, printed).
// FMLAB_RANDOM_EVENTS=<number> sets the events per screen.

#include <gtest/gtest.h>

#include <QAbstractSlider>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <set>

#include "app/lab_screen.h"
#include "app/screen_hub.h"
#include "app/work_state.h"
#include "assembly/assembly_screen.h"
#include "platform/picture_box.h"
#include "records/results_file.h"
#include "support/assembly_invariants.h"
#include "support/record_invariants.h"
#include "support/screen_capture.h"
#include "support/scripted_desktop.h"
#include "support/temp_program_dir.h"

namespace {

#if defined(__SANITIZE_ADDRESS__)
#define FMLAB_RANDOM_USE_SANITIZED
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define FMLAB_RANDOM_USE_SANITIZED
#endif
#endif

// Events per screen: enough to reach deep into each screen, few enough for the whole run to stay
// well inside a minute under AddressSanitizer.
#ifdef FMLAB_RANDOM_USE_SANITIZED
constexpr int kEventsPerScreen = 600;
#else
constexpr int kEventsPerScreen = 2000;
#endif

const QString kExitQuestion = QStringLiteral("Вы хотите окончить работу с программой?");

// A step of the student's road: a screen shown or unloaded through the hub.
enum class Act { Show, Unload, ShowReport };
struct Step {
  ScreenId screen;
  Act act = Act::Show;
};

// Each screen, the road to it after the title screen, and the screens that open it: while one
// of them is there, a lost screen is opened again by the road's last step.
struct ScreenCase {
  ScreenId id;
  const char* name;
  std::vector<Step> road;
  std::vector<ScreenId> openers;
};

std::vector<Step> viaBench(std::initializer_list<Step> more) {
  std::vector<Step> road{{ScreenId::PersonalData},
                         {ScreenId::MainWindow},
                         {ScreenId::Assembly, Act::Unload},
                         {ScreenId::Bench}};
  road.insert(road.end(), more);
  return road;
}

const ScreenCase kScreens[] = {
    {ScreenId::Title, "Title", {}, {}},
    {ScreenId::Literature,
     "Literature",
     {{ScreenId::Literature}},
     {ScreenId::Title, ScreenId::Bench, ScreenId::Band, ScreenId::Characteristic}},
    {ScreenId::PersonalData, "PersonalData", {{ScreenId::PersonalData}}, {}},
    {ScreenId::MainWindow, "MainWindow", {{ScreenId::PersonalData}, {ScreenId::MainWindow}}, {}},
    {ScreenId::Assembly, "Assembly", {{ScreenId::PersonalData}, {ScreenId::MainWindow}}, {}},
    {ScreenId::Bench, "Bench", viaBench({}), {}},
    {ScreenId::Bessel, "Bessel", viaBench({{ScreenId::Bessel}}), {ScreenId::Bench}},
    {ScreenId::Characteristic,
     "Characteristic",
     viaBench({{ScreenId::Characteristic}}),
     {ScreenId::Bench}},
    {ScreenId::Band,
     "Band",
     viaBench({{ScreenId::Characteristic}, {ScreenId::Band}}),
     {ScreenId::Characteristic}},
    {ScreenId::Report,
     "Report",
     viaBench({{ScreenId::Characteristic}, {ScreenId::MainWindow, Act::ShowReport}}),
     {ScreenId::Characteristic}},
};

quint64 runSeed() {
  static const quint64 seed = [] {
    bool ok = false;
    const quint64 fromEnvironment = qEnvironmentVariable("FMLAB_RANDOM_SEED").toULongLong(&ok);
    constexpr quint64 kDefaultSeed = 20261206;
    quint64 chosen = ok ? fromEnvironment : kDefaultSeed;
    if (ok && chosen == 0) chosen = std::random_device{}();
    std::printf("random use: seed %llu (repeat with FMLAB_RANDOM_SEED=%llu)\n",
                static_cast<unsigned long long>(chosen), static_cast<unsigned long long>(chosen));
    return chosen;
  }();
  return seed;
}

// Qt's warnings, each kept once and printed after the screen's run (the offscreen platform's
// own remarks are left out).
std::set<QString>& warnings() {
  static std::set<QString> seen;
  return seen;
}
void keepWarning(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtFatalMsg) {
    std::fprintf(stderr, "%s\n", qPrintable(text));
    std::abort();
  }
  if (text.contains(QStringLiteral("does not support"))) return;
  warnings().insert(text);
}

int eventsPerScreen() {
  bool ok = false;
  const int fromEnvironment = qEnvironmentVariableIntValue("FMLAB_RANDOM_EVENTS", &ok);
  return ok && fromEnvironment > 0 ? fromEnvironment : kEventsPerScreen;
}

// What was sent to one screen, for the summary.
struct Tally {
  std::map<std::string, int> events;
  int messages = 0;
  int restarts = 0;
  int endsOfWork = 0;
};

// The students's hands: one run of random events against one screen. The program is started
// afresh (a new hub and work state) whenever the screen is gone: the student went on to another
// screen, closed it, or the work ended.
class RandomStudent {
 public:
  RandomStudent(const ScreenCase& target, quint64 seed)
      : target_(target.id), road_(target.road), openers_(target.openers), random_(seed) {
    desktop_.pageSize = QSize(124, 175);  // printed pages: small, they are only drawn
    desktop_.onMessage = [this](const DesktopCall& call) { answer(call); };
    writeSampleFiles();
    // Some menus run their own event loop (the scrollbar's context menu): whatever menu is open
    // is dealt with from inside that loop too.
    popupWatch_.setInterval(0);
    QObject::connect(&popupWatch_, &QTimer::timeout, [this] { closePopups(); });
    popupWatch_.start();
  }
  ~RandomStudent() {
    hub_.reset();
    settleEvents();
  }

  // Sends `count` events; stops at the first broken invariant and returns what broke.
  QString run(int count) {
    if (!restart()) return QStringLiteral("the screen cannot be reached");
    for (int event = 0; event < count; ++event) {
      if (!screenAlive() && !reopen()) {
        ++tally_.restarts;
        if (!restart()) return QStringLiteral("the screen cannot be reached again");
      }
      oneEvent();
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      const QString broken = brokenInvariant();
      if (!broken.isEmpty()) {
        return QStringLiteral("after event %1 (%2): %3").arg(event).arg(last_, broken);
      }
    }
    return {};
  }

  const Tally& tally() const { return tally_; }

 private:
  int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  bool chance(double p) { return std::bernoulli_distribution(p)(random_); }
  template <class T>
  T* pick(const QList<T*>& items) {
    return items.isEmpty() ? nullptr : items[below(static_cast<int>(items.size()))];
  }

  // A results file, a short file and a folder for the open dialog to hand out.
  void writeSampleFiles() {
    Результат record;
    record.Фамилия = QStringLiteral("Иванов");
    record.НомерСБ = QStringLiteral("777");
    record.Харuвх[1] = 12.5f;
    const QByteArray whole = encodeResultRecord(record);
    for (const auto& [name, bytes] :
         {std::pair{"whole.res", whole}, {"part.res", whole.left(300)}}) {
      QFile file(programDir_.filePath(QString::fromUtf8(name)));
      if (file.open(QIODevice::WriteOnly)) file.write(bytes);
    }
    QDir(programDir_.path()).mkdir(QStringLiteral("folder.res"));
    choices_ = {QString()};
    for (const char* name : {"whole.res", "part.res", "folder.res", "missing.res"}) {
      choices_.push_back(programDir_.filePath(QString::fromUtf8(name)));
    }
  }

  // A box is answered with one of its own buttons, at random; the question that ends the
  // program always gets No.
  void answer(const DesktopCall& call) {
    ++tally_.messages;
    const auto [first, second] =
        call.buttons == MsgButtons::YesNo      ? std::pair(MsgAnswer::Yes, MsgAnswer::No)
        : call.buttons == MsgButtons::OkCancel ? std::pair(MsgAnswer::Ok, MsgAnswer::Cancel)
                                               : std::pair(MsgAnswer::Ok, MsgAnswer::Ok);
    if (call.text == kExitQuestion) {
      desktop_.answers = {MsgAnswer::No};
    } else {
      desktop_.answers = {first == second || chance(0.5) ? first : second};
    }
  }

  void take(const Step& step) {
    if (step.act == Act::Unload) {
      hub_->unload(step.screen);
      return;
    }
    if (step.act == Act::ShowReport) state_.Предв = 1;
    hub_->show(step.screen);
  }

  // A new run of the program, walked by the hub to the screen under test.
  bool restart() {
    hub_.reset();
    settleEvents();
    state_ = ModЧМ();
    state_.rnd = [this] { return std::uniform_real_distribution<double>(0, 1)(random_); };
    desktop_.clear();
    hub_ = std::make_unique<ScreenHub>(state_, desktop_);
    hub_->show(ScreenId::Title);
    for (const Step& step : road_) take(step);
    settleEvents();
    return screenAlive();
  }

  // The screen is gone but the program runs: where a screen that opens it is still there, the
  // student opens it again from there, as its menu or button does.
  bool reopen() {
    if (!hub_ || hub_->programEnded() || road_.empty()) return false;
    if (std::ranges::none_of(openers_, [this](ScreenId id) { return hub_->find(id); })) {
      return false;
    }
    take(road_.back());
    settleEvents();
    return screenAlive();
  }

  bool screenAlive() const {
    const LabScreen* screen = hub_ && !hub_->programEnded() ? hub_->find(target_) : nullptr;
    return screen && screen->window()->isVisible() && screen->window()->windowHandle();
  }

  QWidget* window() const { return hub_->find(target_)->window(); }

  // The controls a student could reach in the window: visible, enabled, with some part on show
  // (a control scrolled out of sight cannot be clicked).
  QList<QWidget*> reachable(QWidget* top) const {
    QList<QWidget*> result;
    for (QWidget* w : top->findChildren<QWidget*>()) {
      if (w->isVisible() && w->isEnabled() && !qobject_cast<QMenuBar*>(w) && !w->isWindow() &&
          !shownPart(top, w).isEmpty()) {
        result.push_back(w);
      }
    }
    return result;
  }

  // The part of a control inside its window, in the control's own pixels.
  static QRect shownPart(QWidget* top, QWidget* w) {
    const QRect inTop(w->mapTo(top, QPoint(0, 0)), w->size());
    return inTop.intersected(top->rect()).translated(-inTop.topLeft()) &
           w->visibleRegion().boundingRect();
  }

  // A random point of a control, in its window's pixels: events go to the window as the desktop
  // sends them (the window finds the control under the pointer).
  QPoint randomPointIn(QWidget* top, QWidget* w) {
    const QRect part = w == top ? top->rect() : shownPart(top, w);
    if (part.isEmpty()) return {};
    const QPoint p = part.topLeft() + QPoint(below(part.width()), below(part.height()));
    return w == top ? p : w->mapTo(top, p);
  }

  Qt::MouseButton randomButton() {
    const int roll = below(20);
    return roll < 17 ? Qt::LeftButton : roll < 19 ? Qt::RightButton : Qt::MiddleButton;
  }

  // Each kind of event, with its share in a hundred.
  struct EventKind {
    int share;
    const char* name;
    void (RandomStudent::*send)();
  };

  void oneEvent() {
    static const EventKind kKinds[] = {
        {30, "click on a control", &RandomStudent::clickControl},
        {8, "click at a random point", &RandomStudent::clickAnywhere},
        {30, "key press", &RandomStudent::pressKey},
        {10, "scrollbar move", &RandomStudent::moveScrollbar},
        {12, "drag", &RandomStudent::drag},
        {10, "menu choice", &RandomStudent::chooseMenu}};
    if (desktop_.fileNames.empty()) desktop_.fileNames.push_back(choices_[below(choices_.size())]);
    desktop_.printOutcome = static_cast<PrintOutcome>(below(4));
    int roll = below(100);
    for (const EventKind& kind : kKinds) {
      if ((roll -= kind.share) < 0) {
        last_ = QString::fromUtf8(kind.name);
        ++tally_.events[kind.name];
        (this->*kind.send)();
        break;
      }
    }
    closePopups();
  }

  void click(QWidget* top, QWidget* target) {
    const QPoint at = randomPointIn(top, target);
    const Qt::MouseButton button = randomButton();
    if (chance(0.05)) {
      QTest::mouseDClick(top->windowHandle(), button, {}, at);
    } else {
      QTest::mouseClick(top->windowHandle(), button, {}, at);
    }
  }
  void clickControl() {
    if (QWidget* target = pick(reachable(window()))) click(window(), target);
  }
  void clickAnywhere() { click(window(), window()); }

  // A key as the keyboard gives it: its code and the text it types.
  struct Key {
    Qt::Key code;
    QString text;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
  };
  Key randomKey() {
    static const QString kPrintable = [] {  // blank to tilde
      QString all;
      for (char16_t c = 32; c < 127; ++c) all += QChar(c);
      return all;
    }();
    static const QString kCyrillic =
        QStringLiteral("АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдеёжзийклмнопрстуфхцчшщъыьэюя");
    static const QString kNumeric = QStringLiteral("0123456789,.-");
    static const Key kEditing[] = {{Qt::Key_Return, QStringLiteral("\r")},
                                   {Qt::Key_Return, QStringLiteral("\r")},
                                   {Qt::Key_Enter, QStringLiteral("\r")},
                                   {Qt::Key_Down, QString()},
                                   {Qt::Key_Backspace, QStringLiteral("\b")},
                                   {Qt::Key_Backspace, QStringLiteral("\b")},
                                   {Qt::Key_Tab, QStringLiteral("\t")},
                                   {Qt::Key_Up, QString()},
                                   {Qt::Key_Delete, QString()}};
    const int roll = below(100);
    if (roll >= 70) {
      if (const int k = below(10); k < 9) return kEditing[k];
      // Pasting a random text, or selecting everything.
      if (chance(0.5)) {
        QString pasted;
        for (int i = below(12); i > 0; --i) pasted += randomKey().text;
        QApplication::clipboard()->setText(pasted);
        return {Qt::Key_V, QString(QChar(0x16)), Qt::ControlModifier};
      }
      return {Qt::Key_A, QString(QChar(0x01)), Qt::ControlModifier};
    }
    const QString& chars = roll < 25 ? kPrintable : roll < 45 ? kCyrillic : kNumeric;
    const QChar c = chars[below(chars.size())];
    const Qt::Key code = c.isLetterOrNumber() || c.isPunct() || c.isSymbol() || c.isSpace()
                             ? static_cast<Qt::Key>(c.toUpper().unicode())
                             : Qt::Key_unknown;
    return {code, QString(c)};
  }

  void pressKey() {
    QWidget* top = window();
    QWidget* target = top->focusWidget();
    if (!target || chance(0.3)) {
      QList<QWidget*> focusable;
      for (QWidget* w : reachable(top)) {
        if (w->focusPolicy() != Qt::NoFocus) focusable.push_back(w);
      }
      if (QWidget* chosen = pick(focusable)) {
        chosen->setFocus(Qt::MouseFocusReason);
        target = chosen;
      }
    }
    if (!target) target = top;
    const Key key = randomKey();
    QPointer<QWidget> guard(target);
    QKeyEvent press(QEvent::KeyPress, key.code, key.modifiers, key.text);
    QApplication::sendEvent(target, &press);
    if (!guard) return;
    QKeyEvent release(QEvent::KeyRelease, key.code, key.modifiers, key.text);
    QApplication::sendEvent(target, &release);
  }

  void moveScrollbar() {
    QList<QAbstractSlider*> sliders;
    for (QWidget* w : reachable(window())) {
      if (auto* slider = qobject_cast<QAbstractSlider*>(w)) sliders.push_back(slider);
    }
    QAbstractSlider* slider = pick(sliders);
    if (!slider) return;
    if (chance(0.5)) {
      const QAbstractSlider::SliderAction actions[] = {
          QAbstractSlider::SliderSingleStepAdd, QAbstractSlider::SliderSingleStepSub,
          QAbstractSlider::SliderPageStepAdd,   QAbstractSlider::SliderPageStepSub,
          QAbstractSlider::SliderToMinimum,     QAbstractSlider::SliderToMaximum};
      slider->triggerAction(actions[below(6)]);
    } else {
      const int low = slider->minimum() - 5;
      const int high = slider->maximum() + 5;
      slider->setValue(low + below(high - low + 1));
    }
  }

  // Press on a drawing surface or a control of the mounting table, a few moves over the window,
  // release somewhere.
  void drag() {
    QWidget* top = window();
    const QList<QWidget*> controls = reachable(top);
    QList<QWidget*> sources;
    for (QWidget* w : controls) {
      if (qobject_cast<PictureBox*>(w) || w->objectName().startsWith(QStringLiteral("Pic"))) {
        sources.push_back(w);
      }
    }
    QWidget* source = sources.isEmpty() || chance(0.15) ? pick(controls) : pick(sources);
    if (!source) return;
    QPointer<QWidget> guard(top);
    QPointer<QWindow> handle(top->windowHandle());
    const Qt::MouseButton button = randomButton();
    QTest::mousePress(handle, button, {}, randomPointIn(top, source));
    QPoint at;
    for (int step = 1 + below(4); step > 0 && guard && handle; --step) {
      QWidget* over = chance(0.6) ? pick(reachable(top)) : top;
      if (!over) over = top;
      at = randomPointIn(top, over);
      QTest::mouseMove(handle, at);
    }
    if (guard && handle) QTest::mouseRelease(handle, button, {}, at);
  }

  void chooseMenu() {
    QList<QAction*> actions;
    std::function<void(const QList<QAction*>&)> collect = [&](const QList<QAction*>& items) {
      for (QAction* a : items) {
        if (a->menu()) {
          collect(a->menu()->actions());
        } else if (a->isEnabled() && a->isVisible() && !a->isSeparator()) {
          actions.push_back(a);
        }
      }
    };
    for (QMenuBar* bar : window()->findChildren<QMenuBar*>()) {
      if (bar->isVisible()) collect(bar->actions());
    }
    if (QAction* action = pick(actions)) action->trigger();
  }

  // A menu that a click opened is used or closed before the next event.
  void closePopups() {
    if (closingPopups_) return;
    closingPopups_ = true;
    for (int guard = 0; guard < 5; ++guard) {
      QWidget* popup = QApplication::activePopupWidget();
      if (!popup) break;
      if (auto* menu = qobject_cast<QMenu*>(popup); menu && chance(0.5)) {
        QList<QAction*> usable;
        for (QAction* a : menu->actions()) {
          if (a->isEnabled() && !a->isSeparator() && !a->menu()) usable.push_back(a);
        }
        QPointer<QMenu> alive(menu);
        if (QAction* a = pick(usable)) a->trigger();
        if (alive) alive->close();
      } else {
        popup->close();
      }
    }
    closingPopups_ = false;
  }

  QString brokenInvariant() {
    if (hub_->programEnded() && desktop_.ended) ++tally_.endsOfWork;
    const QStringList faults = recordFaults(state_.Рез);
    if (!faults.isEmpty()) return faults.join(QStringLiteral("; "));
    if (const auto* assembly = hub_->find<FrmМонтаж>(ScreenId::Assembly)) {
      const QStringList table = assemblyFaults(assembly->model(), state_);
      if (!table.isEmpty()) return table.join(QStringLiteral("; "));
    }
    if (LabScreen* characteristic = hub_->find(ScreenId::Characteristic)) {
      const QString rows = characteristicRowsFault(characteristic);
      if (!rows.isEmpty()) return rows;
    }
    return {};
  }

  // The open rows of the characteristic table are rows 1..n with n in 1..14 (the row count
  // itself runs to 15 when every row is open).
  static QString characteristicRowsFault(LabScreen* screen) {
    auto* table = screen->findChild<QGroupBox*>(QStringLiteral("fraТаблица"));
    if (!table) return QStringLiteral("no table on the characteristic screen");
    int open = 0;
    bool gap = false;
    for (int row = 1; row <= 14; ++row) {
      auto* cell = screen->findChild<QLineEdit*>(QStringLiteral("Text1(%1)").arg(row));
      if (!cell) return QStringLiteral("row %1 has no cell").arg(row);
      if (cell->isVisibleTo(table)) {
        if (gap) return QStringLiteral("row %1 is open after a closed row").arg(row);
        ++open;
      } else {
        gap = true;
      }
    }
    if (open < 1 || open > 14) return QStringLiteral("%1 rows open").arg(open);
    return {};
  }

  TempProgramDir programDir_;
  ScreenId target_;
  std::vector<Step> road_;
  std::vector<ScreenId> openers_;
  std::mt19937_64 random_;
  ModЧМ state_;
  ScriptedDesktop desktop_;
  std::unique_ptr<ScreenHub> hub_;
  std::vector<QString> choices_;
  QString last_;
  Tally tally_;
  QTimer popupWatch_;
  bool closingPopups_ = false;
};

class RandomUse : public ::testing::TestWithParam<ScreenCase> {};

TEST_P(RandomUse, NoCrashAndTheRecordStaysSound) {
  const ScreenCase& screen = GetParam();
  // Each screen gets its own stream, so that one screen's run can be repeated alone.
  const quint64 seed = runSeed() ^ (static_cast<quint64>(screen.id) * 0x9E3779B97F4A7C15ull);
  const int events = eventsPerScreen();
  warnings().clear();
  const QtMessageHandler previous = qInstallMessageHandler(keepWarning);
  RandomStudent student(screen, seed);
  const QString broken = student.run(events);
  qInstallMessageHandler(previous);
  for (const QString& warning : warnings()) std::printf("  Qt said: %s\n", qPrintable(warning));
  EXPECT_TRUE(broken.isEmpty()) << screen.name << ", seed " << runSeed() << ": "
                                << broken.toStdString();
  const Tally& tally = student.tally();
  std::string kinds;
  for (const auto& [kind, n] : tally.events) kinds += " " + kind + " " + std::to_string(n) + ";";
  std::printf(
      "random use: %-14s %d events (%s), %d messages answered, %d restarts, %d ends of work\n",
      screen.name, events, kinds.c_str(), tally.messages, tally.restarts, tally.endsOfWork);
}

INSTANTIATE_TEST_SUITE_P(EveryScreen, RandomUse, ::testing::ValuesIn(kScreens),
                         [](const ::testing::TestParamInfo<ScreenCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
