#include "measure/report_screen.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cmath>

#include "measure/characteristic_table.h"
#include "platform/page_printing.h"
#include "platform/picture_box.h"
#include "support/screen_fixture.h"

namespace {

const QColor kBlue(0, 0, 255);

// Readings of a whole table and the modulation index of each row.
constexpr double kReadings[15] = {0,     20.5,  32.6,  46.9,  59.6,  73.6,  88.0, 105.3,
                                  122.0, 144.5, 161.2, 190.4, 214.8, 223.0, 200.0};
constexpr double kIndices[15] = {0,     2.408, 3.832, 5.52,  7.016, 8.654, 10.17, 11.79,
                                 13.21, 14.93, 16.10, 18.07, 19.60, 20.10, 20.82};

// Pixels of the image at which `take(x, y, colour)` holds.
template <class Take>
int count(const QImage& image, Take take) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) n += take(x, y, image.pixelColor(x, y));
  }
  return n;
}

// The report of a whole table, opened as the characteristic screen's preview opens it; that
// screen stays open.
class ReportScreen : public ScreenShots {
 protected:
  void SetUp() override {
    hub.show(ScreenId::Characteristic);
    for (int row = 1; row <= 14; ++row) {
      storeCharacteristicRow(state.Рез, row,
                             computeCharacteristicRow(kReadings[row], kIndices[row]));
    }
  }
  FrmОтчет* open() {
    state.Предв = 1;
    hub.show(ScreenId::MainWindow);
    settleEvents();
    report = hub.find<FrmОтчет>(ScreenId::Report);
    plot = report ? report->findChild<PictureBox*>(QStringLiteral("PicЧМХар")) : nullptr;
    return report;
  }
  void trigger(const char* action) {
    report->findChild<QAction*>(QString::fromUtf8(action))->trigger();
    settleEvents();
  }
  void print(MsgAnswer answer) {
    desktop.answers = {answer};
    trigger("mnuПеч");
  }
  QString text(const char* name, int row) const {
    return report->findChild<QLabel*>(QString::fromUtf8(name) + QStringLiteral("(%1)").arg(row))
        ->text();
  }
  // A pixel of the colour within `radius` pixels of the user point (x V, y MHz).
  bool plotted(double x, double y, const QColor& colour, int radius = 1) const {
    const QImage image = plot->image();
    const QPointF at = plot->toPixels(x, y);
    for (int dx = -radius; dx <= radius; ++dx) {
      for (int dy = -radius; dy <= radius; ++dy) {
        const QPoint p(int(at.x()) + dx, int(at.y()) + dy);
        if (image.valid(p) && image.pixelColor(p) == colour) return true;
      }
    }
    return false;
  }
  static QString number(const char* text) {
    return QString::fromLatin1(text).replace(QLatin1Char('.'), QLocale::system().decimalPoint());
  }

  FrmОтчет* report = nullptr;
  PictureBox* plot = nullptr;
};

TEST_F(ReportScreen, EmptyTableShowsLoneSeparatorsAndOnlyTheGridAndTheOriginDot) {
  state.Рез = Результат();
  ASSERT_NE(open(), nullptr);
  for (int row = 1; row <= 14; ++row) {
    for (const char* column : {"Label2", "Label3", "Label4", "Label6"}) {
      EXPECT_EQ(text(column, row), number(".")) << column << row;
    }
  }
  const QColor grid = plot->foreColor(), paper = plot->backColor();
  EXPECT_TRUE(plotted(0.1, 5, grid, 0) && plotted(0.2, 6, grid, 0));  // on grid lines
  EXPECT_FALSE(plotted(0, 0, paper, 0));                              // the dot at the origin
  // Inside every grid cell there is nothing: no curve and no idealized line.
  for (int i = -7; i < 7; ++i) {
    for (int j = -6; j < 6; ++j) EXPECT_TRUE(plotted((i + 0.5) * 0.05, (j + 0.5) * 2, paper, 0));
  }
  const QPointF o = plot->toPixels(0, 0);
  const auto away = [&](int x, int y) { return std::hypot(x - o.x(), y - o.y()) > 3; };
  EXPECT_EQ(count(plot->image(), [&](int x, int y, QColor c) { return c == kBlue && away(x, y); }),
            0);
}

TEST_F(ReportScreen, FullTablePlotsThirteenPointsEachWayAndTheDottedLine) {
  ASSERT_NE(open(), nullptr);
  EXPECT_EQ(text("Label2", 1), number("20.5"));
  EXPECT_EQ(text("Label3", 14), number("282."));
  EXPECT_EQ(text("Label4", 14), number("10.41"));
  const Результат& рез = state.Рез;
  for (int row = 1; row <= 13; ++row) {
    const double x = рез.ХарUвх[row] / 1000, y = рез.Харdf[row];
    EXPECT_TRUE(plotted(x, y, kBlue) && plotted(-x, -y, kBlue)) << row;
  }
  // Row 14 (a smaller reading, so its point lies off the curve) is not plotted.
  const double x14 = рез.ХарUвх[14] / 1000, y14 = рез.Харdf[14];
  EXPECT_FALSE(plotted(x14, y14, kBlue, 2) || plotted(-x14, -y14, kBlue, 2));
  // The idealized line through the first point, dotted in the fore colour.
  const double u1 = рез.ХарUвх[1] / 1000, f1 = рез.Харdf[1];
  int dots = 0;
  for (double t = 4.1; t < 8.9; t += 0.25) dots += plotted(-t * u1, -t * f1, plot->foreColor(), 0);
  EXPECT_GE(dots, 4);
  EXPECT_LT(dots, 20);  // with gaps
}

// What is open stays as it was read; opened again, the report reads the table anew.
TEST_F(ReportScreen, OpeningTwiceShowsTheSameAndThenTheCurrentTable) {
  ASSERT_NE(open(), nullptr);
  const QImage first = plot->image();
  trigger("mnuOK");
  ASSERT_NE(open(), nullptr);
  EXPECT_EQ(plot->image(), first);
  state.Рез.ХарUвх[2] = 300;
  EXPECT_EQ(text("Label3", 2), number("45.97"));
  trigger("mnuOK");
  ASSERT_NE(open(), nullptr);
  EXPECT_EQ(text("Label3", 2), number("300."));
  EXPECT_NE(plot->image(), first);
}

// "No" prints nothing; "Yes" prints the table (dark text in the page's upper part) and the curve
// (blue) as they were read when the report opened.
TEST_F(ReportScreen, PrintsOnlyOnYesWhatWasReadAtOpening) {
  ASSERT_NE(open(), nullptr);
  print(MsgAnswer::No);
  EXPECT_TRUE(desktop.printedPages.empty());
  print(MsgAnswer::Yes);
  state.Рез.ХарUвх[2] = 300;
  print(MsgAnswer::Yes);
  ASSERT_EQ(desktop.messages().size(), 3u);
  for (const DesktopCall& question : desktop.messages()) {
    EXPECT_EQ(
        std::tuple(question.text, question.title, question.buttons),
        std::tuple(QStringLiteral("Готовы печатать?"), QStringLiteral("  "), MsgButtons::YesNo));
  }
  ASSERT_EQ(desktop.printedPages.size(), 2u);
  EXPECT_EQ(desktop.printedPages[0], desktop.printedPages[1]);
  const QImage printed = desktop.printedPages.front();
  EXPECT_GT(count(printed, [](int, int, QColor c) { return c == kBlue; }), 500);
  const int upper = printed.height() / 3;
  EXPECT_GT(count(printed, [&](int, int y, QColor c) { return y < upper && c.lightness() < 60; }),
            2000);
}

// One page, drawn, not a picture of the screen; a file that cannot be written is a failure.
TEST_F(ReportScreen, PrintedIntoAPdfGivesOneVectorPage) {
  ASSERT_NE(open(), nullptr);
  QTemporaryDir folder;
  const QString fileName = folder.filePath(QStringLiteral("отчет.pdf"));
  QPrinter printer(QPrinter::HighResolution);
  setUpPdfOutput(printer, fileName, report->windowTitle());
  ASSERT_TRUE(printOnePage(
      printer, [this](QPainter& painter, const QRectF& page) { report->drawPage(painter, page); }));
  QFile file(fileName);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QString pdf = QString::fromLatin1(file.readAll());
  EXPECT_TRUE(pdf.startsWith(QStringLiteral("%PDF-")));
  EXPECT_EQ(pdf.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))), 1);
  EXPECT_TRUE(pdf.contains(QRegularExpression(QStringLiteral("/Count\\s+1\\b"))));
  EXPECT_FALSE(pdf.contains(QRegularExpression(QStringLiteral("/Subtype\\s*/Image"))));
  setUpPdfOutput(printer, QStringLiteral("/nonexistent-folder/report.pdf"), QStringLiteral("x"));
  EXPECT_FALSE(printOnePage(printer, [](QPainter&, const QRectF&) {}));
}

}  // namespace
