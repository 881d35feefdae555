#include "bench/instrument_drawing.h"

#include "platform/picture_box.h"

void drawGraticule(PictureBox& screen, const ScreenScale& scale,
                   const std::vector<GridLine>& lines) {
  static const QColor kRed(255, 0, 0), kYellow(255, 255, 0);
  screen.setScale(scale.left, scale.top, scale.right, scale.bottom);
  screen.setDrawWidth(1);
  for (const GridLine& line : lines) {
    screen.line(line.from.x(), line.from.y(), line.to.x(), line.to.y(), line.zero ? kRed : kYellow);
  }
  screen.setAutoRedraw(false);
  screen.setDrawWidth(2);
  screen.setDrawStyle(Qt::SolidLine);
}

void drawTrace(PictureBox& screen, const Trace& trace, const QColor& color) {
  if (trace.dotAtStart) {
    screen.pset(trace.start.x(), trace.start.y());
  } else {
    screen.setCurrentPoint(trace.start.x(), trace.start.y());
  }
  const QColor pen = color.isValid() ? color : screen.foreColor();
  for (const QPointF& point : trace.points) screen.lineTo(point.x(), point.y(), pen);
}

void drawSpectrum(PictureBox& screen, const std::vector<SpectrumLine>& lines) {
  for (const SpectrumLine& line : lines) screen.line(line.x, 0, line.x, line.height, kTraceGreen);
}
