#pragma once

#include <QString>
#include <functional>

class QGroupBox;
class QLabel;
class QObject;
class QPushButton;
class QScrollBar;
class QWidget;

// Controls placed as the screens describe them: an objectName, a caption and a rectangle in
// twips (left, top, width, height) inside the parent.
QLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption, int left, int top,
                  int width, int height);
QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, int left,
                        int top, int width, int height);
QGroupBox* makeFrame(QWidget* parent, const QString& name, const QString& caption, int left,
                     int top, int width, int height);
// Places an existing widget at a rectangle in twips.
void placeTwips(QWidget* widget, int left, int top, int width, int height);

// A scrollbar acts on its change: an arrow or page click, a key, or the release of the thumb at
// another value than where it was taken, but not while the thumb is being dragged.
void onScrollBarChange(QScrollBar* bar, QObject* receiver, std::function<void()> handler);
