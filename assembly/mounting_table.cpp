#include "assembly/mounting_table.h"

#include <QPainter>

#include "assembly/assembly_model.h"
#include "platform/twips.h"
#include "platform/vb_color.h"

namespace {
constexpr int kCableWidth = 2;  // pixels
constexpr int kCrossArm = 12;   // pixels from the keyboard point
}  // namespace

MountingTable::MountingTable(QWidget* parent, const AssemblyModel& model)
    : QWidget(parent), model_(model) {
  setObjectName(QStringLiteral("PicСтол"));
}

void MountingTable::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), vbColor(vbRgb(255, 255, 255)));  // white on any desktop
  painter.setPen(QPen(vbColor(vbRgb(128, 128, 128)), 1));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));

  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(vbColor(vbRgb(0, 0, 192)), kCableWidth, Qt::SolidLine, Qt::RoundCap));
  for (int k = 1; k <= AssemblyModel::kCables; ++k) {
    const AssemblyModel::Line& line = model_.Кабель(k);
    painter.drawLine(QPointF(line.X1, line.Y1) / kTwipsPerPixel,
                     QPointF(line.X2, line.Y2) / kTwipsPerPixel);
  }
  if (hasFocus()) {
    painter.setPen(QPen(palette().color(QPalette::Active, QPalette::Highlight), 2));
    const QPoint at = keyboardPoint_;
    painter.drawLine(at - QPoint(kCrossArm, 0), at + QPoint(kCrossArm, 0));
    painter.drawLine(at - QPoint(0, kCrossArm), at + QPoint(0, kCrossArm));
    painter.drawEllipse(QPointF(at), kCrossArm / 2.0, kCrossArm / 2.0);
  }
}

void MountingTable::setKeyboardPoint(QPoint at) {
  keyboardPoint_ = at;
  update();
}

void MountingTable::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  update();
}

void MountingTable::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  update();
}
