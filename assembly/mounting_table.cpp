#include "assembly/mounting_table.h"

#include <QPainter>

#include "assembly/assembly_model.h"
#include "platform/twips.h"
#include "platform/vb_color.h"

namespace {
constexpr int kCableWidth = 2;  // pixels
}

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
}
