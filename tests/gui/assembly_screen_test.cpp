#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include "app/screen_hub.h"
#include "assembly/picture_control.h"
#include "support/assembly_driver.h"
#include "platform/pictures.h"
#include "support/scripted_desktop.h"
#include "support/temp_program_dir.h"

namespace {

// The main window opened in assembly mode holds the mounting table.
class AssemblyScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    state.rnd = [] { return 0.5; };
    state.Предв = 0;
    hub.show(ScreenId::MainWindow);
    screen = hub.find<FrmМонтаж>(ScreenId::Assembly);
    ASSERT_NE(screen, nullptr);
    table.emplace(screen, state);
    table->showWhole();
  }
  void TearDown() override { settleEvents(); }

  QString pictureOf(QWidget* w) const { return static_cast<PictureControl*>(w)->pictureName(); }
  QLabel* label(const char* name) const {
    return screen->findChild<QLabel*>(QString::fromUtf8(name));
  }
  QPointF lineEnd(int k, int end) const {
    const QObject* line = screen->findChild<QObject*>(QStringLiteral("Кабель(%1)").arg(k));
    const char* x = end == 1 ? "X1" : "X2";
    const char* y = end == 1 ? "Y1" : "Y2";
    return {line->property(x).toDouble(), line->property(y).toDouble()};
  }
  void clickDone() {
    screen->findChild<QPushButton*>(QStringLiteral("CmdДальше"))->click();
    settleEvents();
  }

  TempProgramDir programDir;
  ModЧМ state;
  ScriptedDesktop desktop;
  ScreenHub hub{state, desktop};
  FrmМонтаж* screen = nullptr;
  std::optional<AssemblyDriver> table;
};

TEST_F(AssemblyScreen, OpensWithHiddenInstrumentsAndTwoStacksOfPlugs) {
  for (int i = 1; i <= 5; ++i) {
    EXPECT_FALSE(table->instrument(i)->isVisible()) << i;
    EXPECT_EQ(table->instrument(i)->cursor().shape(), Qt::BitmapCursor);
  }
  EXPECT_EQ(table->instrument(3)->toolTip(), QStringLiteral("Низкочастотный осциллограф"));
  EXPECT_EQ(table->modulator()->toolTip(), QStringLiteral("Исследуемый частотный модулятор"));
  EXPECT_EQ(table->modulator()->geometry(), QRect(376, 54, 57, 131));
  EXPECT_EQ(table->plug(2, 1)->geometry(), QRect(19, 269, 37, 16));
  EXPECT_EQ(table->plug(5, 2)->geometry(), QRect(596, 269, 37, 16));
  EXPECT_EQ(pictureOf(table->plug(4, 1)), QStringLiteral("РазъемЛев.wmf"));
  EXPECT_EQ(pictureOf(table->plug(4, 2)), QStringLiteral("РазъемПр.wmf"));
  EXPECT_EQ(table->plug(4, 2)->property("Tag").toString(), QStringLiteral("20"));
  EXPECT_EQ(lineEnd(4, 1), QPointF(7335, 4155));
  EXPECT_EQ(lineEnd(4, 2), QPointF(8895, 4170));
  // The top plug of each stack is the one a press reaches.
  EXPECT_EQ(table->table()->childAt(30, 277), table->plug(1, 1));
  EXPECT_EQ(table->table()->childAt(460, 277), table->plug(4, 1));
  EXPECT_TRUE(label("Label18")->text().startsWith(QStringLiteral(" Для выполнения работы")));
  EXPECT_EQ(label("Lblинф")->cursor().shape(), Qt::BitmapCursor);
  EXPECT_TRUE(label("Label16")->isVisible());
}

TEST_F(AssemblyScreen, AssemblyWithTheMouseLeadsToTheBench) {
  clickDone();
  ASSERT_EQ(desktop.messages().size(), 1u);
  EXPECT_EQ(desktop.lastMessage(), QStringLiteral("Ошибка при монтаже! "));
  EXPECT_EQ(desktop.messages().back().buttons, MsgButtons::OkCancel);
  EXPECT_EQ(desktop.messages().back().icon, MsgIcon::None);
  EXPECT_TRUE(desktop.messages().back().defaultTitle);

  table->assembleEverything();
  for (int i = 1; i <= 5; ++i) EXPECT_TRUE(table->instrument(i)->isVisible()) << i;
  EXPECT_EQ(table->plug(1, 1)->parentWidget(), table->instrument(1));
  EXPECT_EQ(pictureOf(table->plug(1, 1)), QStringLiteral("ВклРазъемЛев.wmf"));
  EXPECT_EQ(pictureOf(table->plug(2, 1)), QStringLiteral("ВклРазъемПр.wmf"));
  EXPECT_EQ(table->plug(3, 1)->property("Tag").toString(), QStringLiteral("13"));
  EXPECT_EQ(pictureOf(table->plug(3, 2)), QStringLiteral("ВхРазъем.wmf"));
  EXPECT_EQ(pictureOf(table->plug(5, 1)), QStringLiteral("ВыхРазъем.wmf"));
  // Input plugs in the modulator's bottom-left corner, output plugs in its top-right one.
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

TEST_F(AssemblyScreen, AClickOnTheTablePlacesOnlyAChosenInstrument) {
  QTest::mouseClick(table->table(), Qt::LeftButton, {}, {300, 100});  // nothing chosen yet
  table->place(6, {300, 100});
  for (int i = 1; i <= 5; ++i) EXPECT_FALSE(table->instrument(i)->isVisible()) << i;

  table->place(3, {300, 100});
  EXPECT_TRUE(table->instrument(3)->isVisible());
  EXPECT_EQ(table->instrument(3)->geometry(), QRect(245, 74, 111, 52));  // centred on the click
  QTest::mouseClick(table->table(), Qt::LeftButton, {}, {500, 200});
  EXPECT_EQ(table->instrument(3)->geometry(), QRect(445, 174, 111, 52));

  // A click on a caption of the table places nothing.
  QTest::mouseClick(label("Label16"), Qt::LeftButton, {}, {50, 5});
  EXPECT_EQ(table->instrument(3)->geometry(), QRect(445, 174, 111, 52));
}

TEST_F(AssemblyScreen, APlugReleasedWhereItWasPressedStaysAndRedrawsItsLineEnd) {
  QWidget* plug = table->plug(1, 1);
  const QRect before = plug->geometry();
  QTest::mousePress(plug, Qt::LeftButton, {}, {12, 6});
  QTest::mouseRelease(plug, Qt::LeftButton, {}, {12, 6});
  settleEvents();
  EXPECT_EQ(plug->geometry(), before);
  EXPECT_EQ(lineEnd(1, 1), QPointF(285 + 555, 4035 + 120));  // was 870, 4155
}

TEST_F(AssemblyScreen, AnInstrumentDraggedAwayTakesItsPlugsAndCableEnds) {
  table->place(3, {250, 100});
  table->plugInto(1, 1, 3);
  table->plugToInput(1, 2);
  QWidget* scope = table->instrument(3);
  table->drag(scope, {60, 10}, table->table(), {160, 200});
  EXPECT_EQ(scope->geometry().topLeft(), QPoint(100, 190));
  EXPECT_EQ(table->plug(1, 1)->parentWidget(), scope);
  EXPECT_EQ(table->plug(1, 1)->mapTo(table->table(), QPoint(0, 0)), QPoint(100, 226));
  EXPECT_EQ(lineEnd(1, 1), QPointF(1500, 190 * 15 + 780 - 120));
}

TEST_F(AssemblyScreen, TheInstructionsComeInSevenLines) {
  QTest::mouseClick(label("Lblинф"), Qt::LeftButton);
  ASSERT_EQ(desktop.messages().size(), 1u);
  const DesktopCall& box = desktop.messages().back();
  EXPECT_EQ(box.title, QStringLiteral("Информация"));
  EXPECT_EQ(box.icon, MsgIcon::Information);
  EXPECT_EQ(box.buttons, MsgButtons::Ok);
  const QStringList lines = box.text.split(QStringLiteral("\r\n"));
  ASSERT_EQ(lines.size(), 7);
  EXPECT_TRUE(lines[0].startsWith(QStringLiteral("1. Щелкнуть мышкой")));
  EXPECT_TRUE(lines[6].startsWith(QStringLiteral("     Примечание:")));
  EXPECT_FALSE(box.text.endsWith(QLatin1Char('\n')));
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

// Every drawing and pointer of the table has to be there: the load fails on the first one missing.
class AssemblyMissingFile : public ::testing::TestWithParam<const char*> {};

TEST_P(AssemblyMissingFile, MakesTheLoadFail) {
  TempProgramDir programDir;
  programDir.removePicture(QString::fromUtf8(GetParam()));
  ModЧМ state;
  ScriptedDesktop desktop;
  ScreenHub hub{state, desktop};
  FrmМонтаж screen(hub);
  try {
    screen.load();
    ADD_FAILURE() << "loaded without " << GetParam();
  } catch (const PictureError& error) {
    EXPECT_EQ(error.fileName(), QString::fromUtf8(GetParam()));
  }
}

INSTANTIATE_TEST_SUITE_P(Files, AssemblyMissingFile,
                         ::testing::Values("Генератор.wmf", "Мв.wmf", "Осцил.wmf", "СпектрАн.wmf",
                                           "ОсцВЧ.wmf", "ЧМ.wmf", "Сзема1.wmf", "РазъемЛев.wmf",
                                           "РазъемПр.wmf", "ВклРазъемЛев.wmf", "ВклРазъемПр.wmf",
                                           "ВхРазъем.wmf", "ВыхРазъем.wmf", "Рука.ICO",
                                           "РукаВз.ico"));

}  // namespace
