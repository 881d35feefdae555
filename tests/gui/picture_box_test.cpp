#include "platform/picture_box.h"

#include <gtest/gtest.h>

#include <QImage>

namespace {

// A 200 x 100 px surface with the user scale x -10..10, y 1..-1 (y up), black background.
class PictureBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    box.resize(200, 100);
    box.setBackColor(Qt::black);
    box.setScale(-10, 1, 10, -1);
  }
  QColor at(int x, int y) const { return box.image().pixelColor(x, y); }

  PictureBox box;
};

TEST_F(PictureBoxTest, MapsUserCoordinatesWithYUp) {
  EXPECT_EQ(box.toPixels(-10, 1), QPointF(0, 0));
  EXPECT_EQ(box.toPixels(10, -1), QPointF(200, 100));
  EXPECT_EQ(box.toPixels(0, 0), QPointF(100, 50));
  EXPECT_EQ(box.toPixels(5, 0.5), QPointF(150, 25));
}

TEST_F(PictureBoxTest, LinesLandWhereTheScaleSays) {
  box.line(-10, 0.5, 10, 0.5, Qt::yellow);  // y = 0.5 -> row 25
  EXPECT_EQ(at(40, 25), QColor(Qt::yellow));
  EXPECT_EQ(at(40, 30), QColor(Qt::black));
  box.setCurrentPoint(0, -1);
  box.lineTo(0, 1, Qt::red);  // x = 0 -> column 100
  EXPECT_EQ(at(100, 70), QColor(Qt::red));
  EXPECT_DOUBLE_EQ(box.currentX(), 0);
  EXPECT_DOUBLE_EQ(box.currentY(), 1);
}

TEST_F(PictureBoxTest, PersistentDrawingIsTheBackgroundThatClsRestores) {
  box.setAutoRedraw(true);
  box.line(-10, 0.5, 10, 0.5, Qt::yellow);  // graticule, persistent
  box.setAutoRedraw(false);
  box.line(-10, -0.5, 10, -0.5, Qt::green);  // trace, on top
  EXPECT_EQ(at(40, 75), QColor(Qt::green));
  box.cls();  // off: back to the graticule, the trace is gone
  EXPECT_EQ(at(40, 25), QColor(Qt::yellow));
  EXPECT_EQ(at(40, 75), QColor(Qt::black));
  box.setAutoRedraw(true);
  box.cls();  // on: the graticule itself is erased
  EXPECT_EQ(at(40, 25), QColor(Qt::black));
}

TEST_F(PictureBoxTest, DrawWidthAndDottedStyle) {
  box.setDrawWidth(5);
  box.line(-10, 0, 10, 0, Qt::green);
  EXPECT_EQ(at(60, 48), QColor(Qt::green));  // 2 px above the centre line
  EXPECT_EQ(at(60, 44), QColor(Qt::black));

  box.setDrawWidth(1);
  box.setDrawStyle(Qt::DotLine);
  box.line(-10, 0.8, 10, 0.8, Qt::white);  // row 10
  int lit = 0;
  for (int x = 0; x < 200; ++x) lit += at(x, 10) == QColor(Qt::white);
  EXPECT_GT(lit, 40);
  EXPECT_LT(lit, 160);  // gaps between the dots
}

TEST_F(PictureBoxTest, PsetMarksAPointAndMovesTheCurrentPoint) {
  box.pset(5, 0.5, Qt::white);
  EXPECT_EQ(at(150, 25), QColor(Qt::white));
  EXPECT_DOUBLE_EQ(box.currentX(), 5);
  EXPECT_DOUBLE_EQ(box.currentY(), 0.5);
}

TEST_F(PictureBoxTest, TextAtTheCurrentPoint) {
  box.setForeColor(Qt::white);
  box.setCurrentPoint(0, 0);  // pixel (100, 50): the text's top-left corner
  box.print(QStringLiteral("ЖЖЖ"));
  int lit = 0;
  for (int y = 50; y < 70; ++y)
    for (int x = 100; x < 140; ++x) lit += at(x, y).lightness() > 128;
  EXPECT_GT(lit, 10);
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 200; ++x) ASSERT_EQ(at(x, y), QColor(Qt::black));
  EXPECT_DOUBLE_EQ(box.currentX(), -10);  // next line starts at the left edge
  EXPECT_LT(box.currentY(), 0);           // and lower down (y grows upwards)
}

TEST_F(PictureBoxTest, PaintRequestedWhenFirstShownAndWhenResized) {
  int requests = 0;
  QObject::connect(&box, &PictureBox::paintRequested, [&] { ++requests; });
  box.show();
  EXPECT_EQ(requests, 1);
  box.resize(300, 150);
  EXPECT_EQ(requests, 2);
  box.hide();
  box.show();
  EXPECT_EQ(requests, 2);
}

// Wide solid lines are smoothed: a pixel fully inside takes the colour, an edge pixel half
// inside is half blended, and they obey persistent drawing like any other drawing.
TEST_F(PictureBoxTest, WideLinesAreSmoothedAndLandWhereTheScaleSays) {
  box.setDrawWidth(2);
  box.line(-10, 0.49, 10, 0.49, Qt::green);  // centre on row 25's centre: rows 24.5..26.5
  EXPECT_EQ(at(100, 25), QColor(Qt::green));
  EXPECT_NEAR(at(100, 24).green(), 128, 2);
  EXPECT_NEAR(at(100, 26).green(), 128, 2);
  EXPECT_EQ(at(100, 23), QColor(Qt::black));
  EXPECT_EQ(at(100, 27), QColor(Qt::black));

  box.setDrawWidth(3);
  box.line(-10, -1, 10, 1, Qt::red);  // the diagonal from the bottom-left corner
  EXPECT_EQ(at(100, 50), QColor(Qt::red));
  EXPECT_EQ(at(100, 45), QColor(Qt::black));
  EXPECT_DOUBLE_EQ(box.currentX(), 10);

  box.setDrawWidth(4);
  box.line(5, -0.5, 5, -0.5, Qt::white);  // a dot at (150, 75)
  EXPECT_EQ(at(150, 75), QColor(Qt::white));
  EXPECT_EQ(at(148, 73), QColor(Qt::white));
  EXPECT_EQ(at(145, 75), QColor(Qt::black));

  box.cls();  // drawn with persistent drawing off: gone
  EXPECT_EQ(at(100, 25), QColor(Qt::black));
  EXPECT_EQ(at(150, 75), QColor(Qt::black));
}

}  // namespace
