#include "platform/controls.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

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
