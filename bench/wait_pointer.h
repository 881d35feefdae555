#pragma once

#include <QGuiApplication>

// The program's mouse pointer (one for all its windows): the hourglass while a long job runs.
inline void showHourglass() {
  if (!QGuiApplication::overrideCursor()) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

// Back to the default pointer of each window.
inline void restoreDefaultPointer() {
  while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
}
