#include "platform/picture_box.h"

#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QSvgRenderer>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/twips.h"

namespace {
// The pixel a coordinate falls in; a coordinate a rounding error short of a pixel edge
// (9.999999999999998 for 0.8 on a 1..-1 scale) belongs to the pixel after the edge.
double pixelFloor(double v) { return std::floor(v + 1e-9); }

// The x range [low, high] of a row where |(x - cx) * a + dy * b| <= reach, for a row at height
// dy from the centre; false when the row lies outside the band.
bool bandOnRow(double cx, double a, double b, double dy, double reach, double& low, double& high) {
  const double offset = dy * b;
  if (std::fabs(a) < 1e-12) {
    if (std::fabs(offset) > reach) return false;
    low = -std::numeric_limits<double>::infinity();
    high = std::numeric_limits<double>::infinity();
    return true;
  }
  const double x1 = cx + (-reach - offset) / a, x2 = cx + (reach - offset) / a;
  low = std::min(x1, x2);
  high = std::max(x1, x2);
  return true;
}

// The coverage of a pixel by a band edge at distance d from the pixel centre: the share of a
// one-pixel box inside |d| <= half (exact for edges along the pixel grid).
double edgeCoverage(double half, double d) {
  return std::clamp(half + 0.5 - std::fabs(d), 0.0, 1.0);
}

}  // namespace

// A solid line of `width` logical pixels with square ends, smoothed, written straight into the
// image. QPainter strokes every segment as a path, about a microsecond each, which is too slow
// for traces of hundreds of segments redrawn at every turn of a control.
void PictureBox::fillWideLine(QImage& image, QPointF from, QPointF to, int width,
                              const QColor& color) const {
  const double ratio = image.devicePixelRatio();
  const QPointF a = from * ratio, b = to * ratio;
  if (!std::isfinite(a.x()) || !std::isfinite(a.y()) || !std::isfinite(b.x()) ||
      !std::isfinite(b.y())) {
    return;  // nothing to draw
  }
  const double halfWidth = width * ratio / 2;
  const QPointF d = b - a;
  const double length = std::hypot(d.x(), d.y());
  const QPointF u = length > 1e-12 ? d / length : QPointF(1, 0);  // along the line
  const QPointF n(-u.y(), u.x());                                 // across it
  const QPointF centre = (a + b) / 2;
  const double halfLength = length / 2 + halfWidth;  // square ends reach half a width further

  // The rectangle's bounding box, one pixel wider for the smoothed edges, within the image.
  const double extentX = std::fabs(u.x()) * halfLength + std::fabs(n.x()) * halfWidth + 1;
  const double extentY = std::fabs(u.y()) * halfLength + std::fabs(n.y()) * halfWidth + 1;
  const int top = std::max(0, int(std::floor(centre.y() - extentY)));
  const int bottom = std::min(image.height() - 1, int(std::ceil(centre.y() + extentY)));
  const int leftLimit = std::max(0, int(std::floor(centre.x() - extentX)));
  const int rightLimit = std::min(image.width() - 1, int(std::ceil(centre.x() + extentX)));
  if (top > bottom || leftLimit > rightLimit) return;

  const QRgb source = qPremultiply(color.rgba());
  uchar* const bits = image.bits();
  const qsizetype stride = image.bytesPerLine();
  for (int row = top; row <= bottom; ++row) {
    const double dy = row + 0.5 - centre.y();
    double acrossLow, acrossHigh, alongLow, alongHigh;
    if (!bandOnRow(centre.x(), n.x(), n.y(), dy, halfWidth + 0.5, acrossLow, acrossHigh)) continue;
    if (!bandOnRow(centre.x(), u.x(), u.y(), dy, halfLength + 0.5, alongLow, alongHigh)) continue;
    const double low = std::max(acrossLow, alongLow), high = std::min(acrossHigh, alongHigh);
    // The pixels whose centres lie in both bands.
    const int first = std::max(leftLimit, int(std::ceil(low - 0.5)));
    const int last = std::min(rightLimit, int(std::floor(high - 0.5)));
    auto* line = reinterpret_cast<QRgb*>(bits + row * stride);
    // Distances of the pixel centre across and along the line, stepped column by column.
    const double dx = first + 0.5 - centre.x();
    double across = dx * n.x() + dy * n.y();
    double along = dx * u.x() + dy * u.y();
    for (int column = first; column <= last; ++column, across += n.x(), along += u.x()) {
      const double coverage = edgeCoverage(halfWidth, across) * edgeCoverage(halfLength, along);
      if (coverage >= 1) {
        line[column] = source;
      } else if (coverage > 0) {
        // Source over destination with the coverage as alpha (256 = the colour itself).
        const uint alpha = uint(coverage * 256 + 0.5), rest = 256 - alpha;
        const QRgb target = line[column];
        line[column] = qRgba((qRed(source) * alpha + qRed(target) * rest) >> 8,
                             (qGreen(source) * alpha + qGreen(target) * rest) >> 8,
                             (qBlue(source) * alpha + qBlue(target) * rest) >> 8,
                             (qAlpha(source) * alpha + qAlpha(target) * rest) >> 8);
      }
    }
  }
}

// Room for the calls of a bench screen's traces (a few hundred segments each).
PictureBox::Strokes::Strokes() {
  calls.reserve(1024);
  texts.reserve(16);
}

void PictureBox::Strokes::clear() {
  calls.clear();
  texts.clear();
}

void PictureBox::replay(QPainter& painter, const Stroke& stroke, const TextRun* run) {
  switch (stroke.kind) {
    case Stroke::Kind::Point:
      painter.setRenderHint(QPainter::Antialiasing, stroke.width > 1);
      if (stroke.width <= 1) {
        painter.fillRect(QRectF(pixelFloor(stroke.from.x()), pixelFloor(stroke.from.y()), 1, 1),
                         stroke.color);
      } else {
        painter.setPen(Qt::NoPen);
        painter.setBrush(stroke.color);
        painter.drawEllipse(stroke.from, stroke.width / 2.0, stroke.width / 2.0);
      }
      break;
    case Stroke::Kind::Line:
      // Made again, the line is smoothed on whatever resolution the device has.
      painter.setRenderHint(QPainter::Antialiasing);
      painter.setPen(QPen(stroke.color, stroke.width, stroke.style, Qt::RoundCap, Qt::RoundJoin));
      painter.drawLine(stroke.from, stroke.to);
      break;
    case Stroke::Kind::Text:
      painter.setFont(run->font);
      painter.setPen(stroke.color);
      painter.drawText(stroke.from, run->text);
      break;
  }
}

void PictureBox::replay(QPainter& painter, const Strokes& strokes) {
  for (const Stroke& stroke : strokes.calls) {
    replay(painter, stroke,
           stroke.kind == Stroke::Kind::Text ? &strokes.texts[stroke.text] : nullptr);
  }
}

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  backColor_ = palette().color(QPalette::Base);
  foreColor_ = palette().color(QPalette::Text);
  persistent_ = blankImage();
}

PictureBox::~PictureBox() { endPainting(); }

void PictureBox::setScale(double left, double top, double right, double bottom) {
  left_ = left;
  top_ = top;
  right_ = right;
  bottom_ = bottom;
  customScale_ = true;
}

void PictureBox::setBackColor(const QColor& color) {
  endPainting();
  backColor_ = color;
  persistent_ = blankImage();
  persistentStrokes_.clear();
  showTransient_ = false;
  update();
}

void PictureBox::setPicture(std::shared_ptr<QSvgRenderer> picture) {
  endPainting();
  picture_ = std::move(picture);
  persistent_ = blankImage();
  persistentStrokes_.clear();
  showTransient_ = false;
  update();
}

QImage PictureBox::blankImage() const {
  const qreal ratio = devicePixelRatioF();
  const QSize size = this->size().expandedTo(QSize(1, 1)) * ratio;
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(ratio);
  image.fill(backColor_);
  if (picture_) {
    QPainter painter(&image);
    picture_->render(&painter, QRectF(QPointF(0, 0), QSizeF(this->size())));
  }
  return image;
}

void PictureBox::endPainting() const {
  painter_.reset();
  painterTarget_ = nullptr;
}

QImage& PictureBox::drawingTarget(const Stroke& stroke, const TextRun* run) {
  QImage* target = &persistent_;
  Strokes* strokes = &persistentStrokes_;
  if (!autoRedraw_) {
    if (!showTransient_) {
      endPainting();
      transient_ = persistent_.copy();
      // The background's own calls are replayed from their list, under these.
      transientStrokes_.clear();
      showTransient_ = true;
    }
    target = &transient_;
    strokes = &transientStrokes_;
  } else {
    // Drawing on the background shows the background: what was drawn on top is dropped.
    showTransient_ = false;
  }
  strokes->calls.push_back(stroke);
  if (run) {
    strokes->calls.back().text = strokes->texts.size();
    strokes->texts.push_back(*run);
  }
  update();
  return *target;
}

QPainter& PictureBox::painterForDrawing(const Stroke& stroke, const TextRun* run) {
  QImage* target = &drawingTarget(stroke, run);
  if (painterTarget_ != target) {
    endPainting();
    painter_ = std::make_unique<QPainter>(target);
    painterTarget_ = target;
  }
  return *painter_;
}

void PictureBox::cls() {
  endPainting();
  if (autoRedraw_) {
    persistent_ = blankImage();
    persistentStrokes_.clear();
  }
  showTransient_ = false;
  currentX_ = 0;
  currentY_ = 0;
  update();
}

QPointF PictureBox::toPixels(double x, double y) const {
  if (!customScale_) return {x / kTwipsPerPixel, y / kTwipsPerPixel};
  return {(x - left_) * width() / (right_ - left_), (y - top_) * height() / (bottom_ - top_)};
}

void PictureBox::setCurrentPoint(double x, double y) {
  currentX_ = x;
  currentY_ = y;
}

void PictureBox::pset(double x, double y) { pset(x, y, foreColor_); }

void PictureBox::pset(double x, double y, const QColor& color) {
  const QPointF at = toPixels(x, y);
  const Stroke stroke{Stroke::Kind::Point, drawStyle_, drawWidth_, at, at, color};
  replay(painterForDrawing(stroke), stroke, nullptr);
  setCurrentPoint(x, y);
}

void PictureBox::drawLine(double x1, double y1, double x2, double y2, const QColor& color) {
  QPointF from = toPixels(x1, y1), to = toPixels(x2, y2);
  setCurrentPoint(x2, y2);
  const Stroke stroke{Stroke::Kind::Line, drawStyle_, drawWidth_, from, to, color};
  if (drawWidth_ > 1 && drawStyle_ == Qt::SolidLine) {
    QImage& target = drawingTarget(stroke);
    endPainting();
    fillWideLine(target, from, to, drawWidth_, color);
    return;
  }
  QPainter& painter = painterForDrawing(stroke);
  QPen pen(color, drawWidth_, drawStyle_, Qt::RoundCap, Qt::RoundJoin);
  if (drawWidth_ <= 1) {
    // Thin lines are drawn on pixel centres, without smoothing, so that they stay crisp.
    pen.setCapStyle(Qt::SquareCap);
    painter.setRenderHint(QPainter::Antialiasing, false);
    auto snap = [](QPointF p) { return QPointF(pixelFloor(p.x()) + 0.5, pixelFloor(p.y()) + 0.5); };
    from = snap(from);
    to = snap(to);
  } else {
    painter.setRenderHint(QPainter::Antialiasing, true);
  }
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  painter.drawLine(from, to);
}

void PictureBox::lineTo(double x, double y) { lineTo(x, y, foreColor_); }
void PictureBox::lineTo(double x, double y, const QColor& color) {
  drawLine(currentX_, currentY_, x, y, color);
}
void PictureBox::line(double x1, double y1, double x2, double y2) {
  line(x1, y1, x2, y2, foreColor_);
}
void PictureBox::line(double x1, double y1, double x2, double y2, const QColor& color) {
  drawLine(x1, y1, x2, y2, color);
}

void PictureBox::print(const QString& text) {
  const QFontMetricsF metrics(font());
  const QPointF at = toPixels(currentX_, currentY_);
  const QPointF baseline(at.x(), at.y() + metrics.ascent());
  const Stroke stroke{Stroke::Kind::Text, drawStyle_, drawWidth_, baseline, baseline, foreColor_};
  const TextRun run{text, font()};
  replay(painterForDrawing(stroke, &run), stroke, &run);
  // The next line starts at the left edge, one text height further down.
  const double unitsPerPixelY =
      customScale_ ? (bottom_ - top_) / std::max(1, height()) : double(kTwipsPerPixel);
  currentX_ = customScale_ ? left_ : 0;
  currentY_ += metrics.height() * unitsPerPixelY;
}

QImage PictureBox::image() const {
  endPainting();
  return showTransient_ ? transient_ : persistent_;
}

void PictureBox::paintEvent(QPaintEvent* event) {
  endPainting();
  QPainter painter(this);
  // A device of pixels gets the kept image; any other (a page recorded for a printer) gets the
  // drawing made again, as vectors at its own resolution.
  if (painter.paintEngine()->type() != QPaintEngine::Raster) {
    painter.setClipRect(rect());
    painter.fillRect(rect(), backColor_);
    if (picture_) picture_->render(&painter, QRectF(rect()));
    replay(painter, persistentStrokes_);
    if (showTransient_) replay(painter, transientStrokes_);
    return;
  }
  painter.drawImage(event->rect(), showTransient_ ? transient_ : persistent_,
                    QRectF(QPointF(event->rect().topLeft()) * devicePixelRatioF(),
                           QSizeF(event->rect().size()) * devicePixelRatioF()));
}

void PictureBox::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  endPainting();
  // The drawing so far stays where it was (the new area gets the background).
  QImage grown = blankImage();
  {
    QPainter painter(&grown);
    painter.drawImage(QPointF(0, 0), persistent_);
  }
  persistent_ = grown;
  showTransient_ = false;
  if (shownOnce_) emit paintRequested();
}

void PictureBox::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // The window system's repaints go to the top-level window, which Qt serves from its own
  // backing store without painting this widget again: they are watched there.
  if (QWindow* handle = window()->windowHandle()) handle->installEventFilter(this);
  if (!shownOnce_) {
    shownOnce_ = true;
    emit paintRequested();
  }
}

bool PictureBox::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Expose && watched == window()->windowHandle() && isVisible() &&
      static_cast<QWindow*>(watched)->isExposed()) {
    emit paintRequested();
  }
  return QWidget::eventFilter(watched, event);
}
