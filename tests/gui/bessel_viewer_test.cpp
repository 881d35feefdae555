#include <QGuiApplication>
#include <QPushButton>
#include <cmath>

#include "bench_fixture.h"

namespace {

class BesselViewerTest : public BenchTest {
 protected:
  void SetUp() override {
    openBench();
    openViewer();
    ASSERT_NE(viewer, nullptr);
    plot = screen(viewer, "picБессель");
  }
  QScrollBar* order() const { return child<QScrollBar>(viewer, "HScrlПорядок"); }
  QString orderLabel() const { return child<QLabel>(viewer, "Label2")->text(); }

  // Pixels of a colour within two pixels of the user point.
  int near(double x, double y, const QColor& colour) const {
    const QImage image = plot->image();
    const QPointF p = plot->toPixels(x, y) * image.devicePixelRatio();
    return count(image.copy(QRect(int(p.x()) - 2, int(p.y()) - 2, 5, 5)), colour);
  }

  PictureBox* plot = nullptr;
};

TEST_F(BesselViewerTest, LoadLeavesOrderZeroShownAndTheSweepsLastAbscissa) {
  EXPECT_EQ(orderLabel(), QStringLiteral("0"));
  EXPECT_EQ(order()->value(), 0);
  EXPECT_EQ(state.Порядок, 0);
  EXPECT_GT(state.ИндексМод, 20);
  EXPECT_LT(state.ИндексМод, 20.001);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_FALSE(plot->autoRedraw());
}

TEST_F(BesselViewerTest, GridAxesAndThinCurvesFormTheBackground) {
  EXPECT_GT(near(10, 0, kRed), 0);     // the zero line and the x = 10 line
  EXPECT_GT(near(3, 0.5, kBlue), 0);   // the grid
  EXPECT_EQ(near(22, 0.5, kBlue), 0);  // the grid ends at x = 20
  // The thin curves of orders 1..4 at their first maxima (J1(1.84) = 0.58, J4(5.32) = 0.40).
  EXPECT_GT(near(1.84, 0.5819, kBlack), 0);
  EXPECT_GT(near(5.32, 0.3996, kBlack), 0);
  // Tick labels left of the y axis and under the x axis.
  const QImage image = plot->image();
  const QPointF labels = plot->toPixels(-2.9, 0.45), axis = plot->toPixels(-0.2, -0.2);
  const QImage ticks = image.copy(QRectF(labels, axis).toRect());
  int ink = 0;
  for (int y = 0; y < ticks.height(); ++y) {
    for (int x = 0; x < ticks.width(); ++x) ink += ticks.pixelColor(x, y).lightness() < 128;
  }
  EXPECT_GT(ink, 20);
}

TEST_F(BesselViewerTest, TheHighlightedCurveFollowsTheScrollbar) {
  // Order 0: red at J0(4) = -0.397, where only J0 passes.
  EXPECT_GT(near(4, -0.3971, kRed), 0);
  order()->setValue(5);
  EXPECT_EQ(state.Порядок, 5);
  EXPECT_EQ(orderLabel(), QStringLiteral("5"));
  EXPECT_EQ(near(4, -0.3971, kRed), 0);    // the previous highlight is gone,
  EXPECT_GT(near(4, -0.3971, kBlack), 0);  // its thin curve stays
  EXPECT_GT(near(6.42, 0.3621, kRed), 0);  // J5 at its first maximum

  order()->setSliderDown(true);
  order()->setValue(8);
  EXPECT_EQ(state.Порядок, 5);
  EXPECT_EQ(orderLabel(), QStringLiteral("5"));
  order()->setSliderDown(false);
  EXPECT_EQ(state.Порядок, 8);
  EXPECT_EQ(orderLabel(), QStringLiteral("8"));
}

// The viewer's sweep leaves ИндексМод above 20 and the bench's spectrum leaves Порядок at 5:
// each screen, activated again, takes its value from its own scrollbar.
TEST_F(BesselViewerTest, ReactivationTakesTheIndexAndTheOrderFromTheScrollbars) {
  order()->setValue(3);
  EXPECT_GT(state.ИндексМод, 20);
  activate(bench);
  EXPECT_EQ(state.ИндексМод, 0);
  child<QScrollBar>(bench, "HScrUвх")->setValue(500);
  EXPECT_EQ(state.Порядок, 5);
  EXPECT_EQ(state.ИндексМод, 5);
  const QImage highlighted = plot->image();
  activate(viewer);
  EXPECT_EQ(state.Порядок, 3);
  EXPECT_EQ(orderLabel(), QStringLiteral("3"));
  EXPECT_EQ(plot->image(), highlighted);
}

TEST_F(BesselViewerTest, OkUnloadsAndReopeningDrawsAfresh) {
  const QImage first = plot->image();
  child<QPushButton>(viewer, "CmdОК")->click();
  settleEvents();
  EXPECT_EQ(hub->find(ScreenId::Bessel), nullptr);
  EXPECT_NE(hub->find(ScreenId::Bench), nullptr);
  openViewer();
  EXPECT_EQ(screen(viewer, "picБессель")->image(), first);
}

}  // namespace
