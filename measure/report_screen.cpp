#include "measure/report_screen.h"

#include <QAction>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPicture>
#include <algorithm>
#include <cmath>

#include "measure/characteristic_table.h"
#include "measure/greek_delta.h"
#include "measure/report_grid.h"
#include "measure/tick_labels.h"
#include "platform/access.h"
#include "platform/desktop.h"
#include "platform/picture_box.h"
#include "platform/twips.h"
#include "platform/vb_color.h"
#include "records/results_folder.h"
#include "screen/navigation.h"
#include "state/work_state.h"
#include "types/display_format.h"

namespace {

// Layout, twips. The table: a header row and 14 rows, 240 high.
constexpr double kHeaderTop = 765;
constexpr double kFirstRowTop = 1005;
constexpr double kRowHeight = 240;
constexpr double kColumnLeft[6] = {1380, 1740, 2640, 3525, 4290, 4800};
constexpr double kColumnWidth[6] = {375, 915, 915, 780, 525, 915};
constexpr double kTableRight = 4800 + 915;
constexpr double kReportWidth = 7700;

// The plot frame, its plot area and the labels round it (frame coordinates).
constexpr double kFrameWidth = 4605, kFrameHeight = 4425;
constexpr double kFrameLeft = (kColumnLeft[0] + kTableRight - kFrameWidth) / 2;  // under the table
constexpr double kPlotLeft = 60, kPlotTop = 30, kPlotWidth = 4125, kPlotHeight = 4035;
constexpr double kTickLabelSpacing = 339;  // vertical tick labels, 2 MHz apart
constexpr double kMarginLabelLeft = 4200, kMarginLabelWidth = 390;
constexpr double kBottomLabelHeight = 345;

// Rows plotted: row 14 is listed in the table but not drawn.
constexpr int kPlottedRows = 13;
// Half the vertical extent of the plot, MHz: the same as on the characteristic screen, so that
// the grid lines fall on 2-MHz steps and agree with the tick labels.
constexpr double kDeviationExtent = 12;

constexpr double rowTop(int row) { return kFirstRowTop + kRowHeight * (row - 1); }

// The modulation index of each row, as the report prints it.
const char* const kModulationIndex[15] = {"",      "2.408", "3.832", "5.520", "7.016",
                                          "8.654", "10.17", "11.79", "13.21", "14.93",
                                          "16.10", "18.07", "19.60", "20.10", "20.82"};

QLabel* tableLabel(QWidget* parent, const char* name, int index, const QString& text, int column,
                   double top) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QStringLiteral("%1(%2)").arg(QString::fromUtf8(name)).arg(index));
  label->setAlignment(Qt::AlignCenter);
  label->setGeometry(twipsRect(kColumnLeft[column], top, kColumnWidth[column], kRowHeight));
  return label;
}

// The ruling of the table: one line at the left of each column and at the top of each row, and
// the closing lines on the right and at the bottom (on the last pixel inside the table).
std::vector<QLineF> tableLines() {
  const double top = px(kHeaderTop) + 0.5;
  const double bottom = px(rowTop(15)) - 0.5;
  const double left = px(kColumnLeft[0]) + 0.5;
  const double right = px(kTableRight) - 0.5;
  std::vector<QLineF> lines;
  for (double x : kColumnLeft) lines.emplace_back(px(x) + 0.5, top, px(x) + 0.5, bottom);
  lines.emplace_back(right, top, right, bottom);
  for (int row = 0; row <= 14; ++row) {
    const double y = px(row == 0 ? kHeaderTop : rowTop(row)) + 0.5;
    lines.emplace_back(left, y, right, y);
  }
  lines.emplace_back(left, bottom, right, bottom);
  return lines;
}

}  // namespace

FrmОтчет::FrmОтчет(Navigation& hub)
    : LabScreen(hub, ScreenId::Report, QStringLiteral("FrmОтчет"),
                QStringLiteral("Модуляционная характеристика")) {
  connect(addMenuBarItem(QStringLiteral("mnuПеч"), QStringLiteral("Печать")), &QAction::triggered,
          this, &FrmОтчет::mnuПеч_Click);
  connect(addMenuBarItem(QStringLiteral("mnuOK"), QStringLiteral("Выход")), &QAction::triggered,
          this, [this] { this->hub().unload(ScreenId::MainWindow); });
  setClientSizeTwips(kReportWidth, 11460, false);

  // The report reads as a sheet of paper: white, in a small type.
  QWidget* sheet = client();
  sheet->setAutoFillBackground(true);
  QPalette paper = sheet->palette();
  paper.setColor(QPalette::Window, Qt::white);
  paper.setColor(QPalette::WindowText, Qt::black);
  sheet->setPalette(paper);
  QFont small = sheet->font();
  small.setPointSizeF(8);
  sheet->setFont(small);

  grid_ = new ReportGrid(sheet);
  grid_->setGeometry(twipsRect(0, 0, kReportWidth, rowTop(15) + 30));
  grid_->setLines(tableLines(), QRectF(twipsPoint(kColumnLeft[0], kHeaderTop),
                                       twipsPoint(kTableRight, kFirstRowTop)));

  Label11 = new QLabel(QStringLiteral("Модуляционная характеристика"), sheet);
  Label11->setObjectName(QStringLiteral("Label11"));
  Label11->setAlignment(Qt::AlignCenter);
  QFont title = small;
  title.setPointSizeF(11);
  title.setBold(true);
  Label11->setFont(title);
  Label11->setGeometry(twipsRect(kColumnLeft[0], 405, kTableRight - kColumnLeft[0], 330));

  const char* const headers[6] = {"№", "u вх, мВ", "U вх, мВ", "  f, МГц", "mf", "S, МГц/В"};
  std::array<std::array<QLabel*, 15>*, 6> columns{&Label1, &Label2, &Label3,
                                                  &Label4, &Label5, &Label6};
  const char* const names[6] = {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6"};
  for (int column = 0; column < 6; ++column) {
    (*columns[column])[0] =
        tableLabel(sheet, names[column], 0, QString::fromUtf8(headers[column]), column, kHeaderTop);
    for (int row = 1; row <= 14; ++row) {
      (*columns[column])[row] =
          tableLabel(sheet, names[column], row, QString(), column, rowTop(row));
    }
  }
  for (int row = 1; row <= 14; ++row) {
    Label1[row]->setText(QString::number(row));
    Label5[row]->setText(QString::fromUtf8(kModulationIndex[row]));
  }
  delta_ = new QLabel(QStringLiteral("Δ"), sheet);
  delta_->setObjectName(QStringLiteral("Label4(0).delta"));
  placeDeltaInLeadingBlanks(delta_, Label4[0]);

  PictХар = new QFrame(sheet);
  PictХар->setObjectName(QStringLiteral("PictХар"));
  PictХар->setFrameShape(QFrame::Box);
  PictХар->setGeometry(twipsRect(kFrameLeft, rowTop(15) + 300, kFrameWidth, kFrameHeight));

  PicЧМХар = new PictureBox(PictХар);
  PicЧМХар->setObjectName(QStringLiteral("PicЧМХар"));
  describePicture(PicЧМХар, QStringLiteral("График модуляционной характеристики"), QString());
  PicЧМХар->setGeometry(twipsRect(kPlotLeft, kPlotTop, kPlotWidth, kPlotHeight));
  PicЧМХар->setBackColor(vbColor(kVbWindowBackground));
  PicЧМХар->setForeColor(vbColor(kVbWindowText));
  PicЧМХар->setAutoRedraw(true);

  Label7 = new TickLabels(Qt::Horizontal, PictХар);
  Label7->setObjectName(QStringLiteral("Label7"));
  Label7->setGeometry(twipsRect(0, kPlotTop + kPlotHeight, kMarginLabelLeft, kBottomLabelHeight));
  std::vector<TickLabels::Tick> across;
  const char* const volts[7] = {"-0.3", "-0.2", "-0.1", "0", "0.1", "0.2", "0.3"};
  for (int i = 0; i < 7; ++i) {
    const double volt = (i - 3) / 10.0;
    across.push_back({QString::fromUtf8(volts[i]),
                      (kPlotLeft + (volt + 0.35) / 0.7 * kPlotWidth) / kTwipsPerPixel});
  }
  Label7->setTicks(std::move(across));

  Label8 = new TickLabels(Qt::Vertical, PictХар);
  Label8->setObjectName(QStringLiteral("Label8"));
  Label8->setGeometry(twipsRect(kMarginLabelLeft, 0, kMarginLabelWidth, kPlotTop + kPlotHeight));
  std::vector<TickLabels::Tick> up;
  const char* const megahertz[11] = {"10", "8", "6", "4", "2", "0", "-2", "-4", "-6", "-8", "-10"};
  for (int i = 0; i < 11; ++i) {
    // Centred on the axis, "0" level with it.
    up.push_back({QString::fromUtf8(megahertz[i]),
                  (kPlotTop + kPlotHeight / 2 + (i - 5) * kTickLabelSpacing) / kTwipsPerPixel});
  }
  Label8->setTicks(std::move(up));

  Label9 = new QLabel(QStringLiteral("МГц"), PictХар);
  Label9->setObjectName(QStringLiteral("Label9"));
  Label9->setGeometry(twipsRect(kMarginLabelLeft, kPlotTop, kMarginLabelWidth, 240));
  Label10 = new QLabel(QStringLiteral(", В"), PictХар);
  Label10->setObjectName(QStringLiteral("Label10"));
  Label10->setGeometry(
      twipsRect(kMarginLabelLeft, kPlotTop + kPlotHeight, kMarginLabelWidth, kBottomLabelHeight));
  for (QLabel* unit : {Label9, Label10}) unit->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void FrmОтчет::load() {
  // The plot goes three rows below the top of row 14.
  PictХар->move(twipsPoint(kFrameLeft, rowTop(14) + 3 * kRowHeight));
  shown_ = state().Рез;
  for (int row = 1; row <= 14; ++row) {
    Label2[row]->setText(formatSingle(shown_.Харuвх[row], QStringLiteral("###.##")));
    Label3[row]->setText(formatSingle(shown_.ХарUвх[row], QStringLiteral("###.##")));
    Label4[row]->setText(formatSingle(shown_.Харdf[row], QStringLiteral("##.##")));
    Label6[row]->setText(formatSingle(shown_.ХарS[row], QStringLiteral("##.##")));
  }
  ПостроитьХарактеристику();
  state().Предв = 0;
}

// A grid of 14 x 12 cells in the fore colour, the characteristic and its mirror through the origin
// in blue two pixels wide, and the idealized characteristic dotted in the fore colour.
void FrmОтчет::ПостроитьХарактеристику() {
  PictureBox& plot = *PicЧМХар;
  const QColor blue(0, 0, 255);
  plot.setScale(-0.35, kDeviationExtent, 0.35, -kDeviationExtent);
  const double kx = (plot.scaleRight() - plot.scaleLeft()) / 14;  // 0.05 V
  const double ky = (plot.scaleBottom() - plot.scaleTop()) / 12;  // -2 MHz
  plot.setDrawWidth(1);
  for (int i = -5; i <= 5; ++i) plot.line(-0.35, i * ky, 0.35, i * ky);
  for (int i = -6; i <= 6; ++i) plot.line(i * kx, plot.scaleTop(), i * kx, plot.scaleBottom());

  plot.setDrawWidth(2);
  const std::vector<QPointF> points = characteristicPoints(shown_, kPlottedRows);
  plot.pset(0, 0);
  for (size_t i = 1; i < points.size(); ++i) plot.lineTo(points[i].x(), points[i].y(), blue);
  plot.setCurrentPoint(0, 0);
  for (size_t i = 1; i < points.size(); ++i) plot.lineTo(-points[i].x(), -points[i].y(), blue);

  plot.setDrawWidth(1);
  plot.setDrawStyle(Qt::DotLine);
  const QLineF ideal = idealizedCharacteristic(shown_);
  plot.line(ideal.x1(), ideal.y1(), ideal.x2(), ideal.y2());
  plot.setDrawStyle(Qt::SolidLine);
  describePicture(PicЧМХар, QStringLiteral("График модуляционной характеристики"),
                  characteristicPointsText(points));
}

void FrmОтчет::addCurve(const std::vector<QPointF>& points, const QColor& colour) {
  PictureBox& plot = *PicЧМХар;
  plot.setDrawWidth(1);
  for (const double sign : {1.0, -1.0}) {
    for (size_t i = 0; i < points.size(); ++i) {
      const QPointF p = points[i] * sign;
      if (i == 0)
        plot.setCurrentPoint(p.x(), p.y());
      else
        plot.lineTo(p.x(), p.y(), colour);
    }
  }
}

void FrmОтчет::markRows(const std::vector<int>& rows, const QColor& colour) {
  PictureBox& plot = *PicЧМХар;
  const std::vector<QPointF> points = characteristicPoints(shown_, kPlottedRows);
  // A diamond four pixels from the point each way, in user units.
  const double dx = 4 * (plot.scaleRight() - plot.scaleLeft()) / plot.width();
  const double dy = 4 * (plot.scaleTop() - plot.scaleBottom()) / plot.height();
  plot.setDrawWidth(1);
  for (int row : rows) {
    if (row < 1 || row > 14) continue;
    for (auto* column : {&Label1, &Label2, &Label3, &Label4, &Label5, &Label6}) {
      QLabel* cell = (*column)[row];
      QPalette ink = cell->palette();
      ink.setColor(QPalette::WindowText, colour);
      cell->setPalette(ink);
    }
    const QPointF p = points[std::min(row, kPlottedRows)];
    // Only a point on the plot is ringed: one off it is not drawn either.
    if (row > kPlottedRows || std::abs(p.x()) > plot.scaleRight() ||
        std::abs(p.y()) > plot.scaleTop()) {
      continue;
    }
    plot.setCurrentPoint(p.x() - dx, p.y());
    for (const QPointF& corner :
         {p + QPointF(0, dy), p + QPointF(dx, 0), p - QPointF(0, dy), p - QPointF(dx, 0)}) {
      plot.lineTo(corner.x(), corner.y(), colour);
    }
  }
}

namespace {

// The PDF of the report, where no printer is: named after the student card, as the results file
// is, in the folder the results file goes to.
QString reportPdfPath(const Результат& record) {
  QString card = record.НомерСБ.toQString().trimmed();
  card.replace(QLatin1Char('/'), QLatin1Char('_')).replace(QLatin1Char('\\'), QLatin1Char('_'));
  const QString name =
      card.isEmpty() ? QStringLiteral("Отчет.pdf") : QStringLiteral("Отчет_%1.pdf").arg(card);
  return QDir(resultsFolder()).filePath(name);
}

}  // namespace

void FrmОтчет::mnuПеч_Click() {
  if (desktop().message(this, QStringLiteral("Готовы печатать?"), MsgButtons::YesNo, MsgIcon::None,
                        QStringLiteral("  ")) != MsgAnswer::Yes) {
    return;
  }
  desktop().printPage(this, windowTitle(), reportPdfPath(state().Рез),
                      [this](QPainter& painter, const QRectF& page) { drawPage(painter, page); });
}

QSize FrmОтчет::sizeHint() const {
  const int menuHeight = menuWidget() ? menuWidget()->sizeHint().height() : 0;
  return contentRect().size().toSize() + QSize(0, menuHeight);
}

QRectF FrmОтчет::contentRect() const {
  const double bottom = PictХар->geometry().bottom() + 1 + px(405);
  return {0, 0, double(px(kReportWidth)), bottom};
}

void FrmОтчет::drawPage(QPainter& painter, const QRectF& page) const {
  const QRectF content = contentRect();
  const double scale = std::min(page.width() / content.width(), page.height() / content.height());
  // The widgets draw themselves into a recording, in the client's pixels and fonts; a printer's
  // painter handed to them directly would get them as one image instead.
  QPicture drawing;
  {
    QPainter recorder(&drawing);
    client()->render(&recorder, QPoint(), QRegion(content.toAlignedRect()));
  }
  painter.save();
  painter.translate(page.left() + (page.width() - content.width() * scale) / 2, page.top());
  // A picture plays back at its size in inches, here undone: the page has its own scale.
  const QPaintDevice& device = *painter.device();
  painter.scale(scale * drawing.logicalDpiX() / device.logicalDpiX(),
                scale * drawing.logicalDpiY() / device.logicalDpiY());
  painter.setRenderHint(QPainter::Antialiasing);
  painter.drawPicture(0, 0, drawing);
  painter.restore();
}
