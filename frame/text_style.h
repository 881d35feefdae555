#pragma once

#include <QColor>
#include <Qt>

class QWidget;

// Font and colour of a caption: point size (0 keeps the font's own), weight, text colour and
// alignment.
struct TextStyle {
  double pointSize = 0;
  bool bold = false;
  QColor colour;  // invalid: the palette's text colour
  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
};
void applyTextStyle(QWidget* label, const TextStyle& style);
