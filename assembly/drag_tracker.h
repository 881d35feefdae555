#pragma once

#include <QObject>
#include <QPointF>
#include <functional>

class QLabel;
class QWidget;

// Follows one drag of a control from the press to the release of that button: a half-transparent
// image of the control goes with the pointer over the area, and every pointer movement and the
// release are reported with the pointer's global position, whichever widget Qt hands them to.
class DragTracker : public QObject {
 public:
  explicit DragTracker(QWidget* area);
  ~DragTracker() override;

  // Starts the drag of `source`, pressed at `grab` (its own pixels) with `button`.
  void begin(QWidget* source, QPointF grab, Qt::MouseButton button, QPointF globalPos);
  bool active() const { return button_ != Qt::NoButton; }

  std::function<void(QPointF globalPos)> moved;
  std::function<void(QPointF globalPos)> dropped;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void follow(QPointF globalPos);
  void finish(QPointF globalPos);

  QWidget* area_;
  QLabel* image_;
  QPointF grab_;
  Qt::MouseButton button_ = Qt::NoButton;
};
