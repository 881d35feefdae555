#pragma once

#include <QWidget>
#include <vector>

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

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Qt::Orientation orientation_;
  std::vector<Tick> ticks_;
};
