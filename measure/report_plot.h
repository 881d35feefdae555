#pragma once

#include <QColor>
#include <QLineF>
#include <QRectF>

#include "measure/characteristic_table.h"
#include "records/result_record.h"

class QPainter;

// The drawing calls of a picture box, made on any painter (a printer's, a PDF's): the same
// routine then draws the plot on the screen and, as vector lines, on paper. Widths are in the
// painter's units, so a painter scaled to the screen's pixels keeps the screen's proportions.
class PlotPainter {
 public:
  PlotPainter(QPainter& painter, const QRectF& area, const QColor& foreColor);

  void setScale(double left, double top, double right, double bottom);
  double scaleLeft() const { return left_; }
  double scaleTop() const { return top_; }
  double scaleRight() const { return right_; }
  double scaleBottom() const { return bottom_; }
  void setDrawWidth(int width) { drawWidth_ = width < 1 ? 1 : width; }
  void setDrawStyle(Qt::PenStyle style) { drawStyle_ = style; }
  QColor foreColor() const { return foreColor_; }

  void setCurrentPoint(double x, double y);
  void pset(double x, double y);
  void lineTo(double x, double y, const QColor& color);
  void line(double x1, double y1, double x2, double y2);
  void line(double x1, double y1, double x2, double y2, const QColor& color);

 private:
  QPointF map(double x, double y) const;

  QPainter& painter_;
  QRectF area_;
  QColor foreColor_;
  double left_ = 0, top_ = 0, right_ = 1, bottom_ = 1;
  int drawWidth_ = 1;
  Qt::PenStyle drawStyle_ = Qt::SolidLine;
  double currentX_ = 0, currentY_ = 0;
};

// Rows plotted by the report: row 14 is listed in the table but not drawn.
inline constexpr int kReportPlottedRows = 13;
// Half the vertical extent of the report's plot, MHz: the same as on the characteristic screen,
// so that the grid lines fall on 2-MHz steps and agree with the tick labels.
inline constexpr double kReportDeviationExtent = 12;

// The report's plot on a surface with the picture-box calls: a grid of 14 x 12 cells in the fore
// colour, the characteristic and its mirror through the origin in blue two pixels wide, and the
// idealized characteristic dotted in the fore colour.
template <class Surface>
void drawReportCharacteristic(Surface& plot, const Результат& record) {
  const QColor blue(0, 0, 255);
  plot.setScale(-0.35, kReportDeviationExtent, 0.35, -kReportDeviationExtent);
  const double kx = (plot.scaleRight() - plot.scaleLeft()) / 14;  // 0.05 V
  const double ky = (plot.scaleBottom() - plot.scaleTop()) / 12;  // -2 MHz
  plot.setDrawWidth(1);
  for (int i = -5; i <= 5; ++i) plot.line(-0.35, i * ky, 0.35, i * ky);
  for (int i = -6; i <= 6; ++i) plot.line(i * kx, plot.scaleTop(), i * kx, plot.scaleBottom());

  plot.setDrawWidth(2);
  const std::vector<QPointF> points = characteristicPoints(record, kReportPlottedRows);
  plot.pset(0, 0);
  for (size_t i = 1; i < points.size(); ++i) plot.lineTo(points[i].x(), points[i].y(), blue);
  plot.setCurrentPoint(0, 0);
  for (size_t i = 1; i < points.size(); ++i) plot.lineTo(-points[i].x(), -points[i].y(), blue);

  plot.setDrawWidth(1);
  plot.setDrawStyle(Qt::DotLine);
  const QLineF ideal = idealizedCharacteristic(record);
  plot.line(ideal.x1(), ideal.y1(), ideal.x2(), ideal.y2());
  plot.setDrawStyle(Qt::SolidLine);
}
