#include "platform/controls.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <memory>

#include "platform/twips.h"

void placeTwips(QWidget* widget, int left, int top, int width, int height) {
  widget->setGeometry(twipsRect(left, top, width, height));
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption, int left, int top,
                  int width, int height) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(name);
  placeTwips(label, left, top, width, height);
  return label;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, int left,
                        int top, int width, int height) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  placeTwips(button, left, top, width, height);
  return button;
}

QGroupBox* makeFrame(QWidget* parent, const QString& name, const QString& caption, int left,
                     int top, int width, int height) {
  auto* frame = new QGroupBox(caption, parent);
  frame->setObjectName(name);
  placeTwips(frame, left, top, width, height);
  return frame;
}

void onScrollBarChange(QScrollBar* bar, QObject* receiver, std::function<void()> handler) {
  auto takenAt = std::make_shared<int>(bar->value());
  QObject::connect(bar, &QScrollBar::sliderPressed, receiver,
                   [bar, takenAt] { *takenAt = bar->value(); });
  QObject::connect(bar, &QScrollBar::valueChanged, receiver, [bar, handler] {
    if (!bar->isSliderDown()) handler();
  });
  QObject::connect(bar, &QScrollBar::sliderReleased, receiver, [bar, takenAt, handler] {
    if (bar->value() != *takenAt) handler();
  });
}
