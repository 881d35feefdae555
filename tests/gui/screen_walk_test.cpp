#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPushButton>

#include "app/lab_screen.h"
#include "app/screen_hub.h"
#include "app/startup.h"
#include "app/work_state.h"
#include "support/screen_capture.h"
#include "support/scripted_desktop.h"
#include "support/temp_program_dir.h"

namespace {

// The screens open and close one another as the student goes through the work. These tests
// go the road through the hub, the way each screen's "Дальше" does.
class ScreenWalk : public ::testing::Test {
 protected:
  void SetUp() override {
    state.rnd = [] { return 0.5; };
    Main(state, desktop);
    hub = startedProgram();
    ASSERT_NE(hub, nullptr);
  }
  void TearDown() override {
    closeProgram();
    settleEvents();
  }

  // Which screens are loaded, and which of them are visible.
  std::vector<ScreenId> loaded() const {
    std::vector<ScreenId> ids;
    for (ScreenId id : all) {
      if (hub->find(id)) ids.push_back(id);
    }
    return ids;
  }
  bool visible(ScreenId id) const {
    settleEvents();
    LabScreen* screen = hub->find(id);
    return screen && screen->isVisible();
  }
  // Clicks the button or triggers the menu item of that name.
  void use(ScreenId id, const char* name) {
    QObject* control = hub->find(id)->findChild<QObject*>(QString::fromUtf8(name));
    ASSERT_NE(control, nullptr) << name;
    if (auto* action = qobject_cast<QAction*>(control)) {
      action->trigger();
    } else {
      static_cast<QPushButton*>(control)->click();
    }
    settleEvents();
  }
  void walkToCharacteristic() {
    hub->show(ScreenId::PersonalData);
    hub->show(ScreenId::MainWindow);
    hub->unload(ScreenId::Assembly);
    hub->show(ScreenId::Bench);
    hub->show(ScreenId::Characteristic);
    settleEvents();
  }

  static constexpr ScreenId all[] = {
      ScreenId::Title,  ScreenId::PersonalData,   ScreenId::MainWindow, ScreenId::Assembly,
      ScreenId::Bench,  ScreenId::Characteristic, ScreenId::Band,       ScreenId::Literature,
      ScreenId::Bessel, ScreenId::Report};
  TempProgramDir programDir;
  ModЧМ state;
  ScriptedDesktop desktop;
  ScreenHub* hub = nullptr;
};

TEST_F(ScreenWalk, StartShowsTheTitleInTheProgramsDirectory) {
  EXPECT_EQ(loaded(), std::vector<ScreenId>{ScreenId::Title});
  EXPECT_TRUE(visible(ScreenId::Title));
  EXPECT_EQ(QDir::current().canonicalPath(), QDir(programDir.path()).canonicalPath());
  EXPECT_EQ(state.Рез.Вариант.toQString(), QStringLiteral("55"));  // drawn by the title's load
}

// Each step opens the next and closes what it should; the variant is drawn again (two draws)
// at each screen that draws it.
TEST_F(ScreenWalk, EachStepOpensTheNextAndClosesWhatTheStepsSay) {
  int draws = 0;
  state.rnd = [&draws] { return ++draws, 0.5; };
  hub->show(ScreenId::PersonalData);
  EXPECT_EQ(loaded(), std::vector<ScreenId>{ScreenId::PersonalData});
  EXPECT_EQ(draws, 2);

  hub->show(ScreenId::MainWindow);  // assembly mode: closes personal data, holds the assembly
  EXPECT_EQ(loaded(), (std::vector<ScreenId>{ScreenId::MainWindow, ScreenId::Assembly}));
  EXPECT_TRUE(visible(ScreenId::Assembly));
  EXPECT_EQ(hub->find(ScreenId::Assembly)->window(), hub->find(ScreenId::MainWindow));
  EXPECT_EQ(draws, 2);  // the main window and the assembly draw nothing

  hub->unload(ScreenId::Assembly);  // "Монтаж окончен"
  hub->show(ScreenId::Bench);       // closes the main window
  EXPECT_EQ(loaded(), std::vector<ScreenId>{ScreenId::Bench});
  EXPECT_EQ(state.Fmod, 550);
  EXPECT_EQ(draws, 4);

  hub->show(ScreenId::Characteristic);  // the bench stays open behind it
  hub->show(ScreenId::Band);
  EXPECT_EQ(loaded(),
            (std::vector<ScreenId>{ScreenId::Bench, ScreenId::Characteristic, ScreenId::Band}));
  for (ScreenId id : loaded()) EXPECT_TRUE(visible(id));
  EXPECT_EQ(draws, 6);
}

// A side screen opened twice comes forward instead of opening again, and closes with "ОК".
TEST_F(ScreenWalk, SideScreensOpenOnceAndCloseWithOk) {
  walkToCharacteristic();
  use(ScreenId::Characteristic, "mnuЛит");
  use(ScreenId::Characteristic, "mnuЛит");
  int open = 0;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    open += w->objectName() == QStringLiteral("FrmЛитература") && w->isVisible();
  }
  EXPECT_EQ(open, 1);
  use(ScreenId::Literature, "CmdОК");
  EXPECT_EQ(hub->find(ScreenId::Literature), nullptr);
  EXPECT_TRUE(visible(ScreenId::Characteristic));
  use(ScreenId::Characteristic, "mnuЛит");  // and opens again after "ОК"
  EXPECT_NE(hub->find(ScreenId::Literature), nullptr);
}

TEST_F(ScreenWalk, ExitAnsweredNoChangesNothingAndYesEndsTheProgram) {
  walkToCharacteristic();
  const auto before = loaded();
  desktop.answers = {MsgAnswer::No};
  use(ScreenId::Characteristic, "CmdEnd");
  ASSERT_EQ(desktop.messages().size(), 1u);
  const DesktopCall question = desktop.messages().back();
  EXPECT_EQ(std::tuple(question.text, question.title, question.buttons),
            std::tuple(QStringLiteral("Вы хотите окончить работу с программой?"),
                       QStringLiteral("   "), MsgButtons::YesNo));
  EXPECT_EQ(loaded(), before);
  EXPECT_FALSE(desktop.ended);

  desktop.answers = {MsgAnswer::Yes};
  use(ScreenId::Bench, "mnuВыход");
  EXPECT_TRUE(desktop.ended);
  EXPECT_TRUE(loaded().empty());
  for (QWidget* w : QApplication::topLevelWidgets()) {
    EXPECT_FALSE(w->isVisible() && dynamic_cast<LabScreen*>(w)) << w->objectName().toStdString();
  }
}

TEST_F(ScreenWalk, PreviewOpensTheReportInTheMainWindowEveryTime) {
  walkToCharacteristic();
  for (int round = 0; round < 2; ++round) {
    use(ScreenId::Characteristic, "mnuПредв");
    ASSERT_NE(hub->find(ScreenId::Report), nullptr) << round;
    EXPECT_EQ(hub->find(ScreenId::Assembly), nullptr);
    EXPECT_EQ(hub->find(ScreenId::Report)->window(), hub->find(ScreenId::MainWindow));
    EXPECT_EQ(state.Предв, 0);  // the report's load resets it
    EXPECT_TRUE(visible(ScreenId::Report));
    use(ScreenId::Report, "mnuOK");
    EXPECT_EQ(hub->find(ScreenId::MainWindow), nullptr);
    EXPECT_EQ(hub->find(ScreenId::Report), nullptr);
    EXPECT_FALSE(desktop.ended);
    EXPECT_TRUE(visible(ScreenId::Characteristic));
  }
}

// Closing one of several screens with its close box leaves the others; closing the last one
// ends the program.
TEST_F(ScreenWalk, ClosingTheLastScreenWithItsCloseBoxEndsTheProgram) {
  walkToCharacteristic();
  hub->find(ScreenId::Characteristic)->close();
  settleEvents();
  EXPECT_FALSE(desktop.ended);
  EXPECT_TRUE(visible(ScreenId::Bench));
  hub->find(ScreenId::Bench)->close();
  settleEvents();
  EXPECT_TRUE(desktop.ended);
}

}  // namespace
