#include "student_road.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "app/screen_hub.h"
#include "app/startup.h"
#include "app/work_state.h"
#include "assembly/assembly_screen.h"
#include "platform/program_dir.h"
#include "records/results_file.h"
#include "support/assembly_driver.h"
#include "support/screen_capture.h"
#include "support/scripted_desktop.h"

namespace {

// Answers the questions of the road by their texts; every other box gets OK.
void answerQuestions(ScriptedDesktop& desktop) {
  desktop.onMessage = [&desktop](const DesktopCall& call) {
    if (call.buttons != MsgButtons::YesNo) return;
    const QString& text = call.text;
    MsgAnswer answer = MsgAnswer::Yes;
    if (text.startsWith(QStringLiteral("  Для дальнейшей работы"))) answer = MsgAnswer::No;
    if (text == QStringLiteral("Вы хотите окончить работу с программой?")) answer = MsgAnswer::No;
    desktop.answers.push_front(answer);
  };
}

class Road {
 public:
  Road(ScreenHub& hub) : hub_(hub) {}

  template <class T = QWidget>
  T* control(ScreenId id, const QString& name) {
    LabScreen* screen = hub_.find(id);
    if (!screen) {
      ADD_FAILURE() << "screen not open for " << name.toStdString();
      return nullptr;
    }
    T* found = screen->findChild<T*>(name);
    if (!found) ADD_FAILURE() << "no control " << name.toStdString();
    return found;
  }
  bool click(ScreenId id, const QString& name) {
    auto* button = control<QPushButton>(id, name);
    if (!button) return false;
    EXPECT_TRUE(button->isEnabled()) << name.toStdString();
    QTest::mouseClick(button, Qt::LeftButton);
    settleEvents();
    return true;
  }
  bool trigger(ScreenId id, const QString& name) {
    auto* action = control<QAction>(id, name);
    if (!action) return false;
    action->trigger();
    settleEvents();
    return true;
  }
  // Types the text into the box and confirms it with Enter.
  bool enter(ScreenId id, const QString& name, const QString& text) {
    auto* box = control(id, name);
    if (!box) return false;
    box->setFocus();
    // Key by key (QTest::keyClicks takes Latin-1 only); a letter's key code is its capital.
    for (const QChar c : text) {
      QTest::sendKeyEvent(QTest::Click, box, static_cast<Qt::Key>(c.toUpper().unicode()),
                          QString(c), Qt::NoModifier);
    }
    QTest::keyClick(box, Qt::Key_Return);
    settleEvents();
    return true;
  }

 private:
  ScreenHub& hub_;
};

}  // namespace

QString walkStudentRoad(ModЧМ& state, ScriptedDesktop& desktop, const StudentInput& input) {
  answerQuestions(desktop);
  Main(state, desktop);
  ScreenHub* hub = startedProgram();
  if (!hub) {
    ADD_FAILURE() << "Main made no screen hub";
    return {};
  }
  Road road(*hub);
  auto onScreen = [&hub](ScreenId id) { return hub->find(id) != nullptr; };

  // Title: the required reading first, then on.
  road.click(ScreenId::Title, QStringLiteral("CmdИнф"));
  road.click(ScreenId::Title, QStringLiteral("CmdДальше"));
  if (!onScreen(ScreenId::PersonalData)) return {};

  // Personal data, each field confirmed with Enter.
  const QStringList boxes{QStringLiteral("TxtФИО(0)"), QStringLiteral("TxtФИО(1)"),
                          QStringLiteral("TxtФИО(2)"), QStringLiteral("Txt№(0)"),
                          QStringLiteral("Txt№(1)"),   QStringLiteral("Txt№(2)")};
  for (int i = 0; i < boxes.size(); ++i) {
    road.enter(ScreenId::PersonalData, boxes[i], input.personal.value(i));
  }
  road.click(ScreenId::PersonalData, QStringLiteral("CmdОК"));
  if (!onScreen(ScreenId::Assembly)) return {};

  // The mounting table: instruments from the palette, cables with the mouse.
  auto* assembly = hub->find<FrmМонтаж>(ScreenId::Assembly);
  AssemblyDriver table(assembly, state);
  table.showWhole();
  const QPoint spots[] = {{120, 60}, {120, 150}, {250, 215}, {560, 60}, {610, 180}};
  for (int i = 1; i <= 5; ++i) {
    QWidget* icon = road.control(ScreenId::MainWindow, QStringLiteral("ImgПрибор(%1)").arg(i));
    if (!icon) return {};
    QTest::mouseClick(icon, Qt::LeftButton, {}, QPoint(8, 8));
    QTest::mouseClick(table.table(), Qt::LeftButton, {}, spots[i - 1]);
    settleEvents();
  }
  table.plugInto(1, 1, 1);
  table.plugToInput(1, 2);
  table.plugInto(2, 1, 2);
  table.plugToInput(2, 2);
  table.plugInto(3, 1, 3);
  table.plugToInput(3, 2);
  table.plugToOutput(4, 1);
  table.plugInto(4, 2, 4);
  table.plugToOutput(5, 1);
  table.plugInto(5, 2, 5);
  road.click(ScreenId::Assembly, QStringLiteral("CmdДальше"));  // "Монтаж окончен", Yes
  if (!onScreen(ScreenId::Bench)) return {};

  // The bench: the three stages, the generator's amplitude turned up, then on.
  for (int stage = 1; stage <= 3; ++stage) {
    road.trigger(ScreenId::Bench, QStringLiteral("mnuЭтап(%1)").arg(stage));
  }
  if (auto* amplitude = road.control<QScrollBar>(ScreenId::Bench, QStringLiteral("HScrUвх"))) {
    amplitude->triggerAction(QAbstractSlider::SliderPageStepAdd);
    amplitude->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    settleEvents();
  }
  road.click(ScreenId::Bench, QStringLiteral("CmdNext"));
  if (!onScreen(ScreenId::Characteristic)) return {};

  // The characteristic: the readings row by row, the idealized line, then on (No, then Yes).
  for (int row = 1; row <= input.readings.size(); ++row) {
    road.enter(ScreenId::Characteristic, QStringLiteral("Text1(%1)").arg(row),
               input.readings[row - 1]);
  }
  road.click(ScreenId::Characteristic, QStringLiteral("CmdИХ"));
  road.click(ScreenId::Characteristic, QStringLiteral("CmdДальше"));
  if (!onScreen(ScreenId::Band)) return {};

  // The band: the inputs, "Расчет", Yes to both questions, a channel count, the end.
  road.enter(ScreenId::Band, QStringLiteral("txtГрЧаст(1)"), input.f1);
  road.enter(ScreenId::Band, QStringLiteral("txtГрЧаст(2)"), input.f2);
  road.enter(ScreenId::Band, QStringLiteral("Txtрк"), input.pk);
  road.enter(ScreenId::Band, QStringLiteral("Txtdfk"), input.dfk);
  road.click(ScreenId::Band, QStringLiteral("Command2"));
  road.click(ScreenId::Band, QStringLiteral("CmdДальше"));
  road.enter(ScreenId::Band, QStringLiteral("TxtN"), input.channels);
  road.click(ScreenId::Band, QStringLiteral("CmdДальше"));

  EXPECT_TRUE(desktop.ended) << "the work did not end";
  const QString path = QDir(programDirectory()).filePath(resultsFileName(state.Рез));
  desktop.onMessage = nullptr;
  closeProgram();
  settleEvents();
  return path;
}
