#include "assembly/mounting_table.h"

#include <QPainter>

#include "assembly/assembly_model.h"
#include "platform/access.h"
#include "platform/twips.h"
#include "platform/vb_color.h"

namespace {
constexpr int kCableWidth = 2;  // pixels
constexpr int kCrossArm = 12;   // pixels from the keyboard point

// A cross at the keyboard point, over the instruments that may stand there.
class PointMark : public QWidget {
 public:
  explicit PointMark(QWidget* table) : QWidget(table) {
    setObjectName(QStringLiteral("PicСтол.point"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    resize(2 * kCrossArm + 3, 2 * kCrossArm + 3);
    hide();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF at = QRectF(rect()).center();
    for (const auto& [colour, width] : {std::pair(QColor(Qt::white), 4), {focusColour(), 2}}) {
      painter.setPen(QPen(colour, width));
      painter.drawLine(at - QPointF(kCrossArm, 0), at + QPointF(kCrossArm, 0));
      painter.drawLine(at - QPointF(0, kCrossArm), at + QPointF(0, kCrossArm));
      painter.drawEllipse(at, kCrossArm / 2.0, kCrossArm / 2.0);
    }
  }
};
}  // namespace

MountingTable::MountingTable(QWidget* parent, const AssemblyModel& model)
    : QWidget(parent), model_(model), pointMark_(new PointMark(this)) {
  setObjectName(QStringLiteral("PicСтол"));
  setKeyboardPoint(keyboardPoint_);
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

void MountingTable::setKeyboardPoint(QPoint at) {
  keyboardPoint_ = at;
  pointMark_->move(at - pointMark_->rect().center());
  pointMark_->raise();
}

void MountingTable::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  setKeyboardPoint(keyboardPoint_);
  pointMark_->show();
}

void MountingTable::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  pointMark_->hide();
}
