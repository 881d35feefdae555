#include "frame/main_window.h"

#include <gtest/gtest.h>

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTest>

#include "frame/palette_icon.h"
#include "platform/twips.h"
#include "support/screen_fixture.h"

namespace {

class MainWindow : public ScreenShots {
 protected:
  // The student's road to the main window: the personal data screen's "Дальше...".
  MDIFrmАнМод* open() {
    hub.show(ScreenId::PersonalData);
    auto* window = dynamic_cast<MDIFrmАнМод*>(hub.show(ScreenId::MainWindow));
    settleEvents();
    return window;
  }
  PaletteIcon* icon(int i) const {
    return hub.find(ScreenId::MainWindow)
        ->findChild<PaletteIcon*>(QStringLiteral("ImgПрибор(%1)").arg(i));
  }
  QMdiSubWindow* frameOf(ScreenId id) const {
    LabScreen* screen = hub.find(id);
    return screen ? qobject_cast<QMdiSubWindow*>(screen->parentWidget()) : nullptr;
  }
};

// The assembly takes 94 % of the window and follows it until the student sizes it.
TEST_F(MainWindow, AssemblyModeHoldsThePaletteAndTheAssemblyAtItsShare) {
  MDIFrmАнМод* window = open();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(desktop.messages().empty());
  EXPECT_TRUE(window->isMaximized());
  EXPECT_EQ(state.Заголовок, window->windowTitle());
  EXPECT_TRUE(window->findChild<QWidget*>(QStringLiteral("PicИнф"))->isVisible());
  for (int i = 1; i <= 6; ++i) {
    ASSERT_NE(icon(i), nullptr) << i;
    EXPECT_TRUE(icon(i)->hasIcon() && !icon(i)->framed()) << i;
  }
  QMdiSubWindow* assembly = frameOf(ScreenId::Assembly);
  ASSERT_NE(assembly, nullptr);
  EXPECT_EQ(assembly->pos(), QPoint(0, 0));
  EXPECT_NEAR(assembly->width(), 0.94 * window->width(), 0.5);
  EXPECT_NEAR(assembly->height(), 0.94 * window->height(), 0.5);

  window->showNormal();
  window->resize(1000, 760);
  settleEvents();
  EXPECT_EQ(assembly->size(), MDIFrmАнМод::assemblySize(window->size()));
  assembly->resize(500, 400);
  window->resize(900, 700);
  settleEvents();
  EXPECT_EQ(assembly->size(), QSize(500, 400));
}

// Clicking a picture of the palette chooses the instrument by its index.
TEST_F(MainWindow, OnlyTheLastChosenIconIsFramed) {
  open();
  for (int chosen : {6, 2}) {
    QTest::mouseClick(icon(chosen), Qt::LeftButton);
    for (int i = 1; i <= 6; ++i) EXPECT_EQ(icon(i)->framed(), i == chosen) << chosen << " " << i;
    EXPECT_EQ(state.НомПрибора, chosen);
    EXPECT_EQ(state.ВидОбъекта, QStringLiteral("Приборы"));
  }
}

// The report, twice as high as the window, scrolls; the icons are not loaded in this mode.
TEST_F(MainWindow, ReportModeShowsTheReportTopLeftTwiceAsHighAndScrolls) {
  programDir.removePicture(QStringLiteral("Гсс.ico"));
  state.Предв = 1;
  auto* window = dynamic_cast<MDIFrmАнМод*>(hub.show(ScreenId::MainWindow));
  ASSERT_NE(window, nullptr);
  settleEvents();
  EXPECT_TRUE(desktop.messages().empty());
  EXPECT_FALSE(window->findChild<QWidget*>(QStringLiteral("PicИнф"))->isVisible());
  EXPECT_TRUE(window->findChild<QWidget*>(QStringLiteral("PicПриб"))->isVisible());
  for (int i = 1; i <= 6; ++i) EXPECT_FALSE(icon(i)->hasIcon()) << i;
  EXPECT_TRUE(state.Заголовок.isEmpty());
  QMdiSubWindow* report = frameOf(ScreenId::Report);
  ASSERT_NE(report, nullptr);
  EXPECT_EQ(report->geometry(), QRect(0, 0, px(7700), 2 * window->height()));
  auto* area = window->findChild<QMdiArea*>();
  area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
  settleEvents();
  EXPECT_LT(report->y(), 0);  // scrolled to the report's lower half
}

}  // namespace
