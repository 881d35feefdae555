#include "tools/fmlab-journal/page_view.h"

#include <QKeyEvent>
#include <QPainter>

#include "teacher/results_pages.h"

namespace {

constexpr int kGap = 8;  // pixels of the desk round the sheet

}  // namespace

PageView::PageView(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setMinimumSize(200, 280);
}

void PageView::setReport(const ResultsFileReport& report) {
  report_ = report;
  hint_.clear();
  draw();
}

void PageView::setHint(const QString& text) {
  report_.reset();
  hint_ = text;
  draw();
}

void PageView::draw() {
  const QSize room = size() - QSize(2 * kGap, 2 * kGap);
  if (!report_ || room.isEmpty()) {
    page_ = QImage();
  } else {
    // Drawn in the screen's own pixels, so that it is sharp on a high-density screen too.
    const double ratio = devicePixelRatioF();
    page_ = resultsPageImage(*report_, room * ratio);
    page_.setDevicePixelRatio(ratio);
  }
  update();
}

void PageView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().mid());
  if (page_.isNull()) {
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect().adjusted(kGap, kGap, -kGap, -kGap), Qt::AlignCenter | Qt::TextWordWrap,
                     hint_);
  } else {
    const QSizeF sheet = page_.deviceIndependentSize();
    const QPointF corner((width() - sheet.width()) / 2, (height() - sheet.height()) / 2);
    painter.drawImage(corner, page_);
    if (hasFocus()) {
      painter.setPen(QPen(palette().color(QPalette::Highlight), 3));
      painter.drawRect(QRectF(corner, sheet).adjusted(-3, -3, 3, 3));
    }
  }
}

void PageView::resizeEvent(QResizeEvent*) { draw(); }

void PageView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
    emit step(event->key() == Qt::Key_Up ? -1 : 1);
  } else {
    QWidget::keyPressEvent(event);
  }
}
