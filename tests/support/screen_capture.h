#pragma once

#include <QString>

class QWidget;

// Writes what the widget shows to build/screens/<name>.png; returns the file's path.
QString saveScreenPng(QWidget* widget, const QString& name);
// Lets pending events (paints, deferred deletions) run.
void settleEvents();
