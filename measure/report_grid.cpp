#include "measure/report_grid.h"

#include <QPainter>

ReportGrid::ReportGrid(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ReportGrid::setLines(std::vector<QLineF> lines, const QRectF& header) {
  lines_ = std::move(lines);
  header_ = header;
  update();
}

void ReportGrid::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(header_, QColor(0xe8, 0xed, 0xf3));
  painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
  for (const QLineF& line : lines_) painter.drawLine(line);
}
