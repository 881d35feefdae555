#include "measure/report_screen.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cmath>

#include "app/lab_screen.h"
#include "app/screen_hub.h"
#include "app/work_state.h"
#include "measure/characteristic_table.h"
#include "platform/page_printing.h"
#include "platform/picture_box.h"
#include "platform/twips.h"
#include "support/screen_capture.h"
#include "support/scripted_desktop.h"
#include "support/temp_program_dir.h"

namespace {

const QColor kBlue(0, 0, 255);

// Readings of a whole table and the modulation index of each row.
constexpr double kReadings[15] = {0,     20.5,  32.6,  46.9,  59.6,  73.6,  88.0, 105.3,
                                  122.0, 144.5, 161.2, 190.4, 214.8, 223.0, 200.0};
constexpr double kIndices[15] = {0,     2.408, 3.832, 5.52,  7.016, 8.654, 10.17, 11.79,
                                 13.21, 14.93, 16.10, 18.07, 19.60, 20.10, 20.82};

// The report opened as the characteristic screen's preview opens it.
class ReportScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    state.rnd = [] { return 0.5; };
    hub.show(ScreenId::Characteristic);  // the screen the preview is opened from stays open
  }
  void TearDown() override { settleEvents(); }

  void fillTable() {
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
  QString text(const char* name, int row) const {
    return report
        ->findChild<QLabel*>(QStringLiteral("%1(%2)").arg(QString::fromUtf8(name)).arg(row))
        ->text();
  }
  QColor pixel(double x, double y) const {
    const QPointF at = plot->toPixels(x, y);
    return plot->image().pixelColor(int(at.x()), int(at.y()));
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
  // Blue pixels farther than `radius` pixels from the origin.
  int blueAwayFromOrigin(int radius) const {
    const QImage image = plot->image();
    const QPointF origin = plot->toPixels(0, 0);
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        if (std::hypot(x - origin.x(), y - origin.y()) > radius &&
            image.pixelColor(x, y) == kBlue) {
          ++count;
        }
      }
    }
    return count;
  }
  QImage page() const {
    QImage image(620, 877, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    report->drawPage(painter, QRectF(image.rect()));
    return image;
  }
  static QString separator() { return QString(QLocale::system().decimalPoint()); }

  TempProgramDir programDir;
  ModЧМ state;
  ScriptedDesktop desktop;
  ScreenHub hub{state, desktop};
  FrmОтчет* report = nullptr;
  PictureBox* plot = nullptr;
};

TEST_F(ReportScreen, EmptyTableShowsLoneSeparatorsAndOnlyTheGridAndTheOriginDot) {
  ASSERT_NE(open(), nullptr);
  EXPECT_EQ(state.Предв, 0);
  for (int row = 1; row <= 14; ++row) {
    for (const char* column : {"Label2", "Label3", "Label4", "Label6"}) {
      EXPECT_EQ(text(column, row), separator()) << column << row;
    }
  }
  EXPECT_EQ(text("Label5", 3), QStringLiteral("5.520"));
  const QColor grid = plot->foreColor(), paper = plot->backColor();
  EXPECT_EQ(pixel(0.1, 5), grid);  // on a vertical grid line
  EXPECT_EQ(pixel(0.2, 6), grid);  // on a horizontal one
  EXPECT_NE(pixel(0, 0), paper);   // the dot at the origin
  // Inside every grid cell there is nothing: no curve and no idealized line.
  for (int i = -7; i < 7; ++i) {
    for (int j = -6; j < 6; ++j) {
      EXPECT_EQ(pixel((i + 0.5) * 0.05, (j + 0.5) * 2), paper) << i << ' ' << j;
    }
  }
  EXPECT_EQ(blueAwayFromOrigin(3), 0);
}

TEST_F(ReportScreen, FullTablePlotsThirteenPointsEachWayAndTheDottedLine) {
  fillTable();
  ASSERT_NE(open(), nullptr);
  EXPECT_EQ(text("Label2", 1), QStringLiteral("20") + separator() + QStringLiteral("5"));
  EXPECT_EQ(text("Label3", 14), QStringLiteral("282") + separator());
  EXPECT_EQ(text("Label4", 14), QStringLiteral("10") + separator() + QStringLiteral("41"));
  const Результат& рез = state.Рез;
  for (int row = 1; row <= 13; ++row) {
    const double x = рез.ХарUвх[row] / 1000, y = рез.Харdf[row];
    EXPECT_TRUE(plotted(x, y, kBlue)) << row;
    EXPECT_TRUE(plotted(-x, -y, kBlue)) << row;
  }
  // Row 14 (a smaller reading, so its point lies off the curve) is not plotted.
  EXPECT_FALSE(plotted(рез.ХарUвх[14] / 1000, рез.Харdf[14], kBlue, 2));
  EXPECT_FALSE(plotted(-рез.ХарUвх[14] / 1000, -рез.Харdf[14], kBlue, 2));
  // The idealized line through the first point, dotted in the fore colour.
  const double u1 = рез.ХарUвх[1] / 1000, f1 = рез.Харdf[1];
  int dots = 0;
  for (double t = 4.1; t < 8.9; t += 0.25) dots += plotted(-t * u1, -t * f1, plot->foreColor(), 0);
  EXPECT_GE(dots, 4);
  EXPECT_LT(dots, 20);  // with gaps
}

TEST_F(ReportScreen, PlotFrameGoesThreeRowsBelowRowFourteen) {
  ASSERT_NE(open(), nullptr);
  EXPECT_EQ(report->findChild<QFrame*>(QStringLiteral("PictХар"))->y(), px(4845));
}

TEST_F(ReportScreen, OpeningTwiceShowsTheSameAndThenTheCurrentTable) {
  fillTable();
  ASSERT_NE(open(), nullptr);
  const QImage first = plot->image();
  const QString reading = text("Label2", 7);
  report->findChild<QAction*>(QStringLiteral("mnuOK"))->trigger();
  settleEvents();
  EXPECT_EQ(hub.find(ScreenId::MainWindow), nullptr);
  EXPECT_EQ(hub.find(ScreenId::Report), nullptr);
  EXPECT_FALSE(desktop.ended);
  EXPECT_NE(hub.find(ScreenId::Characteristic), nullptr);

  ASSERT_NE(open(), nullptr);
  EXPECT_EQ(plot->image(), first);
  EXPECT_EQ(text("Label2", 7), reading);

  // What is open stays as it was read, on the screen and on paper.
  const QImage before = page();
  state.Рез.ХарUвх[2] = 300;
  EXPECT_EQ(page(), before);
  report->findChild<QAction*>(QStringLiteral("mnuOK"))->trigger();
  settleEvents();
  ASSERT_NE(open(), nullptr);
  EXPECT_EQ(text("Label3", 2), QStringLiteral("300") + separator());
  EXPECT_NE(plot->image(), first);
}

class ReportPrinting : public ReportScreen, public ::testing::WithParamInterface<MsgAnswer> {};

TEST_P(ReportPrinting, AsksFirstAndPrintsOnlyOnYes) {
  fillTable();
  ASSERT_NE(open(), nullptr);
  desktop.answers = {GetParam()};
  report->findChild<QAction*>(QStringLiteral("mnuПеч"))->trigger();
  ASSERT_EQ(desktop.messages().size(), 1u);
  const DesktopCall question = desktop.messages().front();
  EXPECT_EQ(question.text, QStringLiteral("Готовы печатать?"));
  EXPECT_EQ(question.title, QStringLiteral("  "));
  EXPECT_EQ(question.buttons, MsgButtons::YesNo);
  const bool yes = GetParam() == MsgAnswer::Yes;
  int prints = 0;
  for (const DesktopCall& call : desktop.calls) prints += call.kind == DesktopCall::Kind::Print;
  EXPECT_EQ(prints, yes ? 1 : 0);
  ASSERT_EQ(desktop.printedPages.size(), yes ? 1u : 0u);
  if (!yes) return;
  // The page holds the table (dark text in its upper part) and the curve (blue).
  const QImage printed = desktop.printedPages.front();
  int blue = 0, dark = 0;
  for (int y = 0; y < printed.height(); ++y) {
    for (int x = 0; x < printed.width(); ++x) {
      const QColor c = printed.pixelColor(x, y);
      blue += c == kBlue;
      dark += y < printed.height() / 3 && c.lightness() < 60;
    }
  }
  EXPECT_GT(blue, 500);
  EXPECT_GT(dark, 2000);
}

INSTANTIATE_TEST_SUITE_P(Answers, ReportPrinting, ::testing::Values(MsgAnswer::Yes, MsgAnswer::No));

TEST_F(ReportScreen, PrintedIntoAPdfGivesOneVectorPage) {
  fillTable();
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
  EXPECT_FALSE(pdf.contains(QRegularExpression(
      QStringLiteral("/Subtype\\s*/Image"))));  // drawn, not a picture of the screen
}

TEST(PagePrinting, AFileThatCannotBeWrittenIsReportedAsAFailure) {
  QPrinter printer(QPrinter::HighResolution);
  setUpPdfOutput(printer, QStringLiteral("/nonexistent-folder/report.pdf"), QStringLiteral("x"));
  EXPECT_FALSE(printOnePage(printer, [](QPainter&, const QRectF&) {}));
}

}  // namespace
