#pragma once

#include <QColor>
#include <QPointF>
#include <array>
#include <vector>

#include "screen/lab_screen.h"
#include "state/result_record.h"

class PictureBox;
class QFrame;
class QLabel;
class QPainter;
class ReportGrid;
class TickLabels;

// The report of the characteristic, inside the main window: the table of the 14 rows and the plot
// of the characteristic with its idealized line, as they stood when the report was opened.
class FrmОтчет : public LabScreen {
 public:
  explicit FrmОтчет(Navigation& hub);
  void load() override;

  // The report's content, table and plot, drawn on a page (a printer's painter and its printable
  // area) by the widgets' own drawing, as vectors, scaled to fit the page and centred across it.
  void drawPage(QPainter& painter, const QRectF& page) const;
  // For a reader of the report: a thin line through `points` (volts, MHz) and its mirror through
  // the origin on the plot, in `colour`.
  void addCurve(const std::vector<QPointF>& points, const QColor& colour);
  // Rows 1..14 written in `colour` in the table, and ringed in it on the plot where plotted.
  void markRows(const std::vector<int>& rows, const QColor& colour);
  // The whole report, 7700 twips wide, down to below the plot.
  QSize sizeHint() const override;

 private:
  void ПостроитьХарактеристику();
  void mnuПеч_Click();
  QRectF contentRect() const;

  Результат shown_;  // the table as it was read at load

  ReportGrid* grid_;
  QLabel* Label11;
  // Columns of the table; element 0 is the header, 1..14 the rows.
  std::array<QLabel*, 15> Label1{};
  std::array<QLabel*, 15> Label2{};
  std::array<QLabel*, 15> Label3{};
  std::array<QLabel*, 15> Label4{};
  std::array<QLabel*, 15> Label5{};
  std::array<QLabel*, 15> Label6{};
  QLabel* delta_;  // the Δ of the header "  f, МГц"
  QFrame* PictХар;
  PictureBox* PicЧМХар;
  TickLabels* Label7;  // along the horizontal axis
  TickLabels* Label8;  // along the vertical axis
  QLabel* Label9;
  QLabel* Label10;
};
