#pragma once

#include <QWidget>
#include <vector>

class QPainter;

// The widget's font for a painter whose units are the widget's pixels (a printer's painter scaled
// to them, say): the text then takes the same room as on the screen, whatever the device's dpi.
QFont fontInScreenPixels(const QWidget* widget, const QPainter& painter);

// The tick labels along one axis of a plot: each text centred on its position along the axis
// (pixels from the widget's left or top edge); across the axis, horizontal ticks are centred and
// vertical ones start at the left edge.
class TickLabels : public QWidget {
 public:
  struct Tick {
    QString text;
    double position;
  };

  TickLabels(Qt::Orientation orientation, QWidget* parent);
  void setTicks(std::vector<Tick> ticks);
  const std::vector<Tick>& ticks() const { return ticks_; }
  // Draws the labels into `area`, which stands for the widget's rectangle on the painter.
  void paintTicks(QPainter& painter, const QRectF& area) const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Qt::Orientation orientation_;
  std::vector<Tick> ticks_;
};
