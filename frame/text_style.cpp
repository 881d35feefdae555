#include "frame/text_style.h"

#include <QLabel>

void applyTextStyle(QWidget* widget, const TextStyle& style) {
  QFont font = widget->font();
  if (style.pointSize > 0) font.setPointSizeF(style.pointSize);
  font.setBold(style.bold);
  widget->setFont(font);
  if (style.colour.isValid()) {
    QPalette colours = widget->palette();
    colours.setColor(QPalette::WindowText, style.colour);
    widget->setPalette(colours);
  }
  if (auto* label = qobject_cast<QLabel*>(widget)) label->setAlignment(style.alignment);
}
