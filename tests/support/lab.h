#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <deque>
#include <functional>
#include <memory>

#include "app/screen_hub.h"
#include "platform/desktop.h"
#include "screen/lab_screen.h"
#include "state/work_state.h"

// One thing the program asked of the desktop.
struct DesktopCall {
  enum class Kind { Message, Beep, OpenFile, Print, End } kind;
  QString text = {};                  // message text, or the printed document's name
  std::optional<QString> title = {};  // none: the application's title
  MsgButtons buttons = MsgButtons::Ok;
  MsgIcon icon = MsgIcon::None;
  QString path = {};  // the PDF file a print proposes
};

// A desktop for tests: message boxes are answered from a queue, file dialogs from another, and
// every call is recorded, so that a test reads like the student's road and never blocks.
class ScriptedDesktop : public Desktop {
 public:
  using Kind = DesktopCall::Kind;
  std::deque<MsgAnswer> answers;  // a box with no queued answer gets OK, or No for Yes/No
  std::deque<QString> fileNames;  // an empty queue means the student cancels
  std::vector<DesktopCall> calls;
  // Runs when a message box is shown, before it is answered (the box is "open" then).
  std::function<void(const DesktopCall&)> onMessage;
  PrintOutcome printOutcome = PrintOutcome::Printed;
  bool ended = false;
  MsgAnswer message(QWidget*, const QString& text, MsgButtons buttons, MsgIcon icon,
                    const std::optional<QString>& title) override {
    calls.push_back({Kind::Message, text, title, buttons, icon});
    if (onMessage) onMessage(calls.back());
    if (answers.empty()) return buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Ok;
    const MsgAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void beep() override { calls.push_back({Kind::Beep}); }
  QString openFileName(QWidget*, const OpenFileRequest& request) override {
    calls.push_back({Kind::OpenFile, request.title});
    if (fileNames.empty()) return {};
    const QString name = fileNames.front();
    fileNames.pop_front();
    return name;
  }
  PrintOutcome printPage(QWidget* parent, const QString& documentName, const QString& pdfPath,
                         const PagePainter& paint) override;
  void endProgram() override { calls.push_back({Kind::End}), ended = true; }
  std::vector<DesktopCall> messages() const {
    std::vector<DesktopCall> result;
    for (const DesktopCall& c : calls)
      if (c.kind == Kind::Message) result.push_back(c);
    return result;
  }
  int beepCount() const { return int(std::ranges::count(calls, Kind::Beep, &DesktopCall::kind)); }
  void clear() { calls.clear(), answers.clear(), fileNames.clear(); }
};

void settleEvents();
// Writes what the widget's window shows to build/screens/<name, or the form's name>.png.
bool saveScreenPng(QWidget* widget, const QString& name = {});
// gtest shows a QString as its text.
inline void PrintTo(const QString& text, std::ostream* out) { *out << text.toStdString(); }
// Numbers written with a point, as the system locale shows them ("2.6 дел." -> "2,6 дел.").
QString localeNumber(const char* text);
// Types the keys one by one into the box (QTest::keyClicks takes Latin-1 only), the box given
// the focus first. Keys that type no character are written \r (Enter), ⌫ (Backspace), ⌦
// (Delete), ⇤ (Home), ⇥ (End) and ⎘ (Ctrl+V, pasting the clipboard).
void typeInto(QWidget* box, const QString& keys);
// How many pixels of the image (of `within` only, when given) have one of the colours.
int inkCount(const QImage& image, const QList<QColor>& colours, QRect within = {});
// Whether a pixel of the colour lies within `radius` pixels of `at` (pixels of the image).
inline bool inkNear(const QImage& image, QPointF at, const QColor& colour, int radius = 1) {
  const QPoint p(int(at.x()) - radius, int(at.y()) - radius);
  return inkCount(image, {colour}, QRect(p, QSize(2 * radius + 1, 2 * radius + 1))) > 0;
}

// A program folder of the test's own (a temporary folder with a copy of the pictures, made the
// program's directory and the current directory), a home of its own (HOME), a work state (every
// draw 0.5), a scripted desktop and a hub.
class ScreenTest : public ::testing::Test {
 public:
  ScreenTest();
  ~ScreenTest() override;
  // Loads what lies before the screen on the student's road, as the screens' buttons do, then
  // the screen itself (the report through the characteristic's preview).
  LabScreen* reach(ScreenId id);
  // A fresh run: the screens closed, a new work state (every draw `draw`) and desktop, no key
  // pressed yet.
  void restart(double draw = 0.5);
  std::vector<ScreenId> loaded() const {
    std::vector<ScreenId> ids;
    for (int i = int(ScreenId::Title); i <= int(ScreenId::Report); ++i)
      if (hub && hub->find(ScreenId(i))) ids.push_back(ScreenId(i));
    return ids;
  }
  template <class T = QWidget>
  T* child(ScreenId id, const QString& name) const {
    LabScreen* screen = hub ? hub->find(id) : nullptr;
    T* found = screen ? screen->findChild<T*>(name) : nullptr;
    if (!found) ADD_FAILURE() << "no " << name.toStdString();
    return found;
  }
  // A button, a clickable label or a menu item: with the mouse, or with byKeys by Tab and Space
  // (a menu item by F10, the arrows and Enter).
  void click(ScreenId id, const QString& name);
  void enter(ScreenId id, const QString& name, const QString& text);  // into an emptied box
  bool byKeys = false;           // click, enter and walkRoad use the keyboard only
  void tabTo(QWidget* control);  // Tab pressed until the control has the focus
  void chooseByKeys(QAction* item);
  // The whole road from Main to the end of the work through the real controls, the boxes
  // answered by their texts; `done` runs when a screen's part is done, before the click that
  // leaves it. After the channel count is confirmed, Δfk is typed again: 150.
  void walkRoad(const std::function<void(ScreenId)>& done = nullptr);
  QTemporaryDir programDir, home;
  QString previousCurrent;
  QByteArray previousHome;
  ModЧМ state;
  ScriptedDesktop desktop;
  ScreenHub* hub = nullptr;  // the test's own, or the one Main started
  std::unique_ptr<ScreenHub> ownHub;
  void closeScreens();
};
