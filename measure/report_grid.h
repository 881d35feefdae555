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

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::vector<QLineF> lines_;
  QRectF header_;  // the header row, tinted
};
