#include "screen_capture.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QWidget>

QString saveScreenPng(QWidget* widget, const QString& name) {
  QDir().mkpath(QStringLiteral(FMLAB_SCREENS_DIR));
  const QString path = QDir(QStringLiteral(FMLAB_SCREENS_DIR)).filePath(name + ".png");
  settleEvents();
  widget->window()->grab().save(path);
  return path;
}

void settleEvents() {
  for (int i = 0; i < 3; ++i) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
  }
}
