#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include "assembly/picture_control.h"
#include "support/assembly_driver.h"
#include "support/screen_fixture.h"

namespace {

// The main window opened in assembly mode holds the mounting table.
class AssemblyScreen : public ScreenShots {
 protected:
  void SetUp() override {
    hub.show(ScreenId::MainWindow);
    screen = hub.find<FrmМонтаж>(ScreenId::Assembly);
    ASSERT_NE(screen, nullptr);
    table.emplace(screen, state);
    table->showWhole();
  }

  QString pictureOf(QWidget* w) const { return static_cast<PictureControl*>(w)->pictureName(); }
  QLabel* label(const char* name) const {
    return screen->findChild<QLabel*>(QString::fromUtf8(name));
  }
  // A cable's end (1 or 2), in twips of the table.
  QPointF lineEnd(int k, int end) const {
    const QObject* line = screen->findChild<QObject*>(QStringLiteral("Кабель(%1)").arg(k));
    return {line->property(end == 1 ? "X1" : "X2").toDouble(),
            line->property(end == 1 ? "Y1" : "Y2").toDouble()};
  }
  void clickDone() {
    screen->findChild<QPushButton*>(QStringLiteral("CmdДальше"))->click();
    settleEvents();
  }

  FrmМонтаж* screen = nullptr;
  std::optional<AssemblyDriver> table;
};

TEST_F(AssemblyScreen, AssemblyWithTheMouseLeadsToTheBench) {
  // The top plug of each stack is the one a press reaches.
  EXPECT_EQ(table->table()->childAt(30, 277), table->plug(1, 1));
  EXPECT_EQ(table->table()->childAt(460, 277), table->plug(4, 1));
  EXPECT_EQ(pictureOf(table->plug(1, 1)), QStringLiteral("РазъемЛев.wmf"));
  clickDone();
  ASSERT_EQ(desktop.messages().size(), 1u);
  EXPECT_EQ(desktop.lastMessage(), QStringLiteral("Ошибка при монтаже! "));
  const DesktopCall error = desktop.messages().back();
  EXPECT_EQ(std::tuple(error.buttons, error.icon, error.defaultTitle),
            std::tuple(MsgButtons::OkCancel, MsgIcon::None, true));

  table->assembleEverything();
  for (int i = 1; i <= 5; ++i) EXPECT_TRUE(table->instrument(i)->isVisible()) << i;
  EXPECT_EQ(table->plug(1, 1)->parentWidget(), table->instrument(1));
  EXPECT_EQ(pictureOf(table->plug(1, 1)), QStringLiteral("ВклРазъемЛев.wmf"));
  EXPECT_EQ(pictureOf(table->plug(3, 2)), QStringLiteral("ВхРазъем.wmf"));
  EXPECT_EQ(pictureOf(table->plug(5, 1)), QStringLiteral("ВыхРазъем.wmf"));
  // Input plugs in the modulator's bottom-left corner, output plugs in its top-right one; the
  // cables follow.
  EXPECT_EQ(table->plug(3, 2)->geometry(), QRect(376, 169, 37, 16));
  EXPECT_EQ(table->plug(5, 1)->geometry(), QRect(396, 54, 37, 16));
  EXPECT_EQ(lineEnd(1, 2), QPointF(5640, 2655));
  EXPECT_EQ(lineEnd(5, 1), QPointF(6495, 930));

  desktop.answers = {MsgAnswer::No};
  clickDone();
  EXPECT_EQ(desktop.lastMessage(), QStringLiteral("Монтаж сделан правильно. Продолжить работу? "));
  EXPECT_EQ(desktop.messages().back().buttons, MsgButtons::YesNo);
  EXPECT_EQ(hub.find(ScreenId::Assembly), screen);  // "No": everything stays in place
  EXPECT_EQ(table->plug(1, 1)->parentWidget(), table->instrument(1));

  // More changes, then the check again.
  table->drag(table->plug(4, 2), {10, 8}, table->table(), {700, 280});
  clickDone();
  EXPECT_EQ(desktop.lastMessage(), QStringLiteral("Ошибка при монтаже! "));
  table->plugInto(4, 2, 4);
  desktop.answers = {MsgAnswer::Yes};
  clickDone();
  EXPECT_EQ(hub.find(ScreenId::Assembly), nullptr);
  EXPECT_EQ(hub.find(ScreenId::MainWindow), nullptr);
  ASSERT_NE(hub.find(ScreenId::Bench), nullptr);
  EXPECT_TRUE(hub.find(ScreenId::Bench)->isVisible());
}

TEST_F(AssemblyScreen, APlugBeepsOverEveryTargetItPassesAndItsImageFollowsThePointer) {
  table->place(2, {120, 150});
  QWidget* plug = table->plug(1, 1);
  QWidget* mv = table->instrument(2);
  QTest::mousePress(plug, Qt::RightButton, {}, {10, 8});  // any button starts the drag
  QWidget* image = screen->findChild<QWidget*>(QStringLiteral("dragImage"));
  ASSERT_NE(image, nullptr);
  for (int x = 30; x <= 50; x += 10) QTest::mouseMove(mv, {x, 5});
  EXPECT_EQ(desktop.beepCount(), 3);
  EXPECT_TRUE(image->isVisible());
  EXPECT_EQ(image->mapToGlobal(QPoint(10, 8)), mv->mapToGlobal(QPoint(50, 5)));
  QTest::mouseMove(table->modulator(), {20, 20});
  QTest::mouseMove(table->table(), {300, 150});  // the bare table stays silent
  EXPECT_EQ(desktop.beepCount(), 4);
  QTest::mouseRelease(table->table(), Qt::RightButton, {}, {300, 150});
  settleEvents();
  EXPECT_FALSE(image->isVisible());
  EXPECT_EQ(plug->geometry().topLeft(), QPoint(290, 142));

  table->drag(mv, {20, 5}, table->instrument(2), {30, 5});  // an instrument makes no sound
  EXPECT_EQ(desktop.beepCount(), 4);
  EXPECT_EQ(mv->geometry().topLeft(), QPoint(83, 135));
}

// A click on the table places only a chosen instrument, centred on the click; a click on a
// caption of the table places nothing.
TEST_F(AssemblyScreen, AClickOnTheTablePlacesOnlyAChosenInstrument) {
  QTest::mouseClick(table->table(), Qt::LeftButton, {}, {300, 100});  // nothing chosen yet
  table->place(6, {300, 100});
  for (int i = 1; i <= 5; ++i) EXPECT_FALSE(table->instrument(i)->isVisible()) << i;
  table->place(3, {300, 100});
  EXPECT_TRUE(table->instrument(3)->isVisible());
  EXPECT_EQ(table->instrument(3)->geometry(), QRect(245, 74, 111, 52));
  QTest::mouseClick(table->table(), Qt::LeftButton, {}, {500, 200});
  EXPECT_EQ(table->instrument(3)->geometry(), QRect(445, 174, 111, 52));
  QTest::mouseClick(label("Label16"), Qt::LeftButton, {}, {50, 5});
  EXPECT_EQ(table->instrument(3)->geometry(), QRect(445, 174, 111, 52));
}

// A plug released where it was pressed stays and redraws its cable's end; an instrument dragged
// away takes its plugs and their cable ends along.
TEST_F(AssemblyScreen, DraggedThingsTakeTheirCableEndsAlong) {
  QWidget* plug = table->plug(1, 1);
  const QRect before = plug->geometry();
  QTest::mousePress(plug, Qt::LeftButton, {}, {12, 6});
  QTest::mouseRelease(plug, Qt::LeftButton, {}, {12, 6});
  settleEvents();
  EXPECT_EQ(plug->geometry(), before);
  EXPECT_EQ(lineEnd(1, 1), QPointF(285 + 555, 4035 + 120));  // was 870, 4155

  table->place(3, {250, 100});
  table->plugInto(1, 1, 3);
  table->plugToInput(1, 2);
  QWidget* scope = table->instrument(3);
  table->drag(scope, {60, 10}, table->table(), {160, 200});
  EXPECT_EQ(scope->geometry().topLeft(), QPoint(100, 190));
  EXPECT_EQ(plug->parentWidget(), scope);
  EXPECT_EQ(plug->mapTo(table->table(), QPoint(0, 0)), QPoint(100, 226));
  EXPECT_EQ(lineEnd(1, 1), QPointF(1500, 190 * 15 + 780 - 120));
}

TEST_F(AssemblyScreen, TheInstructionsComeInSevenLines) {
  QTest::mouseClick(label("Lblинф"), Qt::LeftButton);
  ASSERT_EQ(desktop.messages().size(), 1u);
  const DesktopCall box = desktop.messages().back();
  EXPECT_EQ(std::tuple(box.title, box.icon, box.buttons),
            std::tuple(QStringLiteral("Информация"), MsgIcon::Information, MsgButtons::Ok));
  const QStringList lines = box.text.split(QStringLiteral("\r\n"));
  ASSERT_EQ(lines.size(), 7);
  EXPECT_TRUE(lines[0].startsWith(QStringLiteral("1. Щелкнуть мышкой")));
  EXPECT_TRUE(lines[6].startsWith(QStringLiteral("     Примечание:")));
}

TEST_F(AssemblyScreen, AWiderWindowWidensThePanelAndTheTableOnly) {
  screen->parentWidget()->resize(screen->parentWidget()->size() + QSize(200, 100));
  settleEvents();
  QWidget* panel = screen->findChild<QWidget*>(QStringLiteral("Picture1"));
  const int width = panel->parentWidget()->width();
  EXPECT_GE(width, 995);
  EXPECT_EQ(panel->geometry(), QRect(0, 0, width, 148));
  EXPECT_EQ(table->table()->geometry(), QRect(0, 148, width, 314));
}

}  // namespace
