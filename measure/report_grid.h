#pragma once

#include <QLineF>
#include <QWidget>
#include <vector>

// The ruling of a table of labels: horizontal and vertical lines (in pixels of the widget) drawn
// under the labels, so that neighbouring cells share one line.
class ReportGrid : public QWidget {
 public:
  explicit ReportGrid(QWidget* parent);
  void setLines(std::vector<QLineF> lines, const QRectF& header);
  // Draws the ruling on a painter whose units are this widget's pixels.
  void paintGrid(QPainter& painter) const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::vector<QLineF> lines_;
  QRectF header_;  // the header row, tinted
};
