#include "assembly/drag_tracker.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

namespace {
constexpr double kImageOpacity = 0.55;
}

DragTracker::DragTracker(QWidget* area) : QObject(area), area_(area), image_(new QLabel(area)) {
  image_->setObjectName(QStringLiteral("dragImage"));
  image_->setAttribute(Qt::WA_TransparentForMouseEvents);
  image_->hide();
}

DragTracker::~DragTracker() {
  if (active()) qApp->removeEventFilter(this);
}

void DragTracker::begin(QWidget* source, QPointF grab, Qt::MouseButton button, QPointF globalPos) {
  if (active()) return;
  const QPixmap shot = source->grab();
  QPixmap faded(shot.size());
  faded.setDevicePixelRatio(shot.devicePixelRatio());
  faded.fill(Qt::transparent);
  {
    QPainter painter(&faded);
    painter.setOpacity(kImageOpacity);
    painter.drawPixmap(0, 0, shot);
  }
  image_->setPixmap(faded);
  image_->resize(source->size());
  grab_ = grab;
  button_ = button;
  follow(globalPos);
  image_->raise();
  image_->show();
  qApp->installEventFilter(this);
}

void DragTracker::follow(QPointF globalPos) {
  image_->move((area_->mapFromGlobal(globalPos) - grab_).toPoint());
}

void DragTracker::finish(QPointF globalPos) {
  qApp->removeEventFilter(this);
  button_ = Qt::NoButton;
  image_->hide();
  image_->clear();
  if (dropped) dropped(globalPos);
}

bool DragTracker::eventFilter(QObject* watched, QEvent* event) {
  if (!watched->isWidgetType()) return false;
  switch (event->type()) {
    case QEvent::MouseMove: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (!(mouse->buttons() & button_)) {
        // The release went somewhere we never heard of: the drag ends here.
        finish(mouse->globalPosition());
        return true;
      }
      follow(mouse->globalPosition());
      if (moved) moved(mouse->globalPosition());
      return true;
    }
    case QEvent::MouseButtonRelease: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == button_) finish(mouse->globalPosition());
      return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      return true;  // other buttons do nothing while a drag goes on
    default:
      return false;
  }
}
