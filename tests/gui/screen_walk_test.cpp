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
    hub = qApp->findChild<ScreenHub*>();
    ASSERT_NE(hub, nullptr);
  }
  void TearDown() override {
    delete hub;
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
  void click(ScreenId id, const char* button) {
    auto* control = hub->find(id)->findChild<QPushButton*>(QString::fromUtf8(button));
    ASSERT_NE(control, nullptr) << button;
    control->click();
    settleEvents();
  }
  void trigger(ScreenId id, const char* action) {
    auto* control = hub->find(id)->findChild<QAction*>(QString::fromUtf8(action));
    ASSERT_NE(control, nullptr) << action;
    control->trigger();
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
      ScreenId::Title,          ScreenId::PersonalData, ScreenId::MainWindow, ScreenId::Assembly,
      ScreenId::Bench,          ScreenId::Characteristic, ScreenId::Band,   ScreenId::Literature,
      ScreenId::Bessel,         ScreenId::Report};
  TempProgramDir programDir;
  ModЧМ state;
  ScriptedDesktop desktop;
  ScreenHub* hub = nullptr;
};

TEST_F(ScreenWalk, StartShowsTheTitleInTheProgramsDirectory) {
  EXPECT_EQ(loaded(), std::vector<ScreenId>{ScreenId::Title});
  EXPECT_TRUE(visible(ScreenId::Title));
  EXPECT_EQ(QDir::current().canonicalPath(), QDir(programDir.path()).canonicalPath());
  EXPECT_EQ(state.Предв, 0);
  EXPECT_EQ(state.Рез.Вариант.toQString(), QStringLiteral("55"));  // drawn by the title's load
  EXPECT_EQ(hub->find(ScreenId::Title)->windowTitle(), QStringLiteral("Аналоговые системы связи"));
}

TEST_F(ScreenWalk, EachStepOpensTheNextAndClosesWhatTheStepsSay) {
  hub->show(ScreenId::PersonalData);
  EXPECT_EQ(loaded(), std::vector<ScreenId>{ScreenId::PersonalData});

  hub->show(ScreenId::MainWindow);  // assembly mode: closes personal data, holds the assembly
  EXPECT_EQ(loaded(), (std::vector<ScreenId>{ScreenId::MainWindow, ScreenId::Assembly}));
  EXPECT_TRUE(visible(ScreenId::Assembly));
  EXPECT_EQ(hub->find(ScreenId::Assembly)->window(), hub->find(ScreenId::MainWindow));

  hub->unload(ScreenId::Assembly);  // "Монтаж окончен"
  hub->show(ScreenId::Bench);       // closes the main window
  EXPECT_EQ(loaded(), std::vector<ScreenId>{ScreenId::Bench});
  EXPECT_EQ(state.Fmod, 550);

  hub->show(ScreenId::Characteristic);  // the bench stays open behind it
  hub->show(ScreenId::Band);
  EXPECT_EQ(loaded(), (std::vector<ScreenId>{ScreenId::Bench, ScreenId::Characteristic,
                                             ScreenId::Band}));
  EXPECT_TRUE(visible(ScreenId::Bench));
  EXPECT_TRUE(visible(ScreenId::Characteristic));
  EXPECT_TRUE(visible(ScreenId::Band));
}

TEST_F(ScreenWalk, TheVariantIsDrawnAgainAtEachScreenThatDrawsIt) {
  int draws = 0;
  state.rnd = [&draws] {
    ++draws;
    return 0.5;
  };
  hub->show(ScreenId::PersonalData);
  EXPECT_EQ(draws, 2);
  hub->show(ScreenId::MainWindow);
  EXPECT_EQ(draws, 2);  // the main window and the assembly draw nothing
  hub->unload(ScreenId::Assembly);
  hub->show(ScreenId::Bench);
  EXPECT_EQ(draws, 4);
  hub->show(ScreenId::Characteristic);
  hub->show(ScreenId::Band);
  EXPECT_EQ(draws, 6);
}

TEST_F(ScreenWalk, SideScreensOpenOnceAndCloseWithOk) {
  trigger(ScreenId::Title, "mnuЛит");
  LabScreen* literature = hub->find(ScreenId::Literature);
  ASSERT_NE(literature, nullptr);
  trigger(ScreenId::Title, "mnuЛит");
  EXPECT_EQ(hub->find(ScreenId::Literature), literature);  // the open one comes forward
  int open = 0;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    open += w->objectName() == QStringLiteral("FrmЛитература") && w->isVisible();
  }
  EXPECT_EQ(open, 1);
  click(ScreenId::Literature, "CmdОК");
  EXPECT_EQ(hub->find(ScreenId::Literature), nullptr);
  EXPECT_TRUE(visible(ScreenId::Title));
}

TEST_F(ScreenWalk, ExitAnsweredNoChangesNothingAndYesEndsTheProgram) {
  walkToCharacteristic();
  const auto before = loaded();
  const ModЧМ snapshot = state;
  desktop.answers = {MsgAnswer::No};
  click(ScreenId::Characteristic, "CmdEnd");
  ASSERT_EQ(desktop.messages().size(), 1u);
  const DesktopCall question = desktop.messages().back();
  EXPECT_EQ(question.text, QStringLiteral("Вы хотите окончить работу с программой?"));
  EXPECT_EQ(question.title, QStringLiteral("   "));
  EXPECT_EQ(question.buttons, MsgButtons::YesNo);
  EXPECT_EQ(loaded(), before);
  EXPECT_FALSE(desktop.ended);
  EXPECT_EQ(state.Fmod, snapshot.Fmod);
  EXPECT_EQ(state.Рез.Вариант, snapshot.Рез.Вариант);

  desktop.answers = {MsgAnswer::Yes};
  trigger(ScreenId::Bench, "mnuВыход");
  EXPECT_TRUE(desktop.ended);
  EXPECT_TRUE(loaded().empty());
  for (QWidget* w : QApplication::topLevelWidgets()) {
    EXPECT_FALSE(w->isVisible() && dynamic_cast<LabScreen*>(w)) << w->objectName().toStdString();
  }
}

TEST_F(ScreenWalk, PreviewOpensTheReportInTheMainWindowEveryTime) {
  walkToCharacteristic();
  for (int round = 0; round < 2; ++round) {
    trigger(ScreenId::Characteristic, "mnuПредв");
    ASSERT_NE(hub->find(ScreenId::Report), nullptr) << round;
    EXPECT_EQ(hub->find(ScreenId::Assembly), nullptr);
    EXPECT_EQ(hub->find(ScreenId::Report)->window(), hub->find(ScreenId::MainWindow));
    EXPECT_EQ(state.Предв, 0);  // the report's load resets it
    EXPECT_TRUE(visible(ScreenId::Report));
    trigger(ScreenId::Report, "mnuOK");
    EXPECT_EQ(hub->find(ScreenId::MainWindow), nullptr);
    EXPECT_EQ(hub->find(ScreenId::Report), nullptr);
    EXPECT_TRUE(visible(ScreenId::Characteristic));
  }
}

TEST_F(ScreenWalk, ClosingTheLastScreenWithItsCloseBoxEndsTheProgram) {
  hub->show(ScreenId::PersonalData);
  settleEvents();
  EXPECT_FALSE(desktop.ended);  // the title went, but the personal data screen is there
  hub->find(ScreenId::PersonalData)->close();
  settleEvents();
  EXPECT_TRUE(desktop.ended);
}

TEST_F(ScreenWalk, ClosingOneOfSeveralScreensLeavesTheOthers) {
  walkToCharacteristic();
  hub->find(ScreenId::Characteristic)->close();
  settleEvents();
  EXPECT_FALSE(desktop.ended);
  EXPECT_TRUE(visible(ScreenId::Bench));
}

}  // namespace
