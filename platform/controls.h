#pragma once

#include <QString>

class QGroupBox;
class QLabel;
class QPushButton;
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
