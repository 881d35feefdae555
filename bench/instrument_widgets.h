#pragma once

#include <QLabel>
#include <QPolygonF>
#include <vector>

class PictureBox;
class ValueLabel;

// The pieces the bench's instrument panels are made of. Rectangles are in twips of the parent.

// A label that reports a click of the left mouse button (the power switches), or Space or
// Enter pressed while it has the focus. A double-click is one click: the desktop's second press
// of it is no click of its own.
class ClickableLabel : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

 signals:
  void clicked();

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool doubleClicked_ = false;  // the press being released was the second of a double-click
};

// The cables between the instruments, drawn over the client area as polylines given in twips;
// mouse clicks pass through to the controls under them.
class CableLayer : public QWidget {
 public:
  CableLayer(QWidget* parent, std::vector<QPolygonF> cablesInTwips);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::vector<QPolygonF> cables_;  // in pixels
};

// A control knob of an instrument's front panel (decoration).
class Knob : public QWidget {
 public:
  Knob(QWidget* panel, int centreX, int centreY, int diameter, double angleDegrees);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  double angle_;  // of the pointer mark, clockwise from twelve o'clock
};

// A grey (&H808080) instrument front panel; its labels are white on grey.
QWidget* makePanel(QWidget* parent, const QString& name, int left, int top, int width, int height);
// A static caption on a panel; titles are bold.
QLabel* makeCaption(QWidget* panel, const QString& text, int left, int top, int width, int height,
                    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter, bool title = false);
// A digital readout: green figures on black, read by its name and the unit beside it.
ValueLabel* makeReadout(QWidget* panel, const QString& name, const QString& caption, int left,
                        int top, int width, int height, const QString& toolTip,
                        const QString& unit);
// A coaxial socket drawn at its centre point.
QWidget* makeSocket(QWidget* panel, int centreX, int centreY);
// An instrument screen: a black drawing surface.
PictureBox* makeScreen(QWidget* panel, const QString& name, int left, int top, int width,
                       int height);
// A power switch label ("   ", dark green text): off = light green, no border; on = red with a
// single border.
ClickableLabel* makePowerLabel(QWidget* panel, const QString& name, int left, int top,
                               const QString& spokenName);
void setPowerLamp(QLabel* label, bool on);
