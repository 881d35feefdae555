#include "measure/greek_delta.h"

#include <QFontMetricsF>
#include <QLabel>
#include <cmath>

void placeDeltaInLeadingBlanks(QLabel* delta, const QLabel* header) {
  const QFontMetricsF metrics(header->font());
  const QString text = header->text();
  const double textLeft = (header->width() - metrics.horizontalAdvance(text)) / 2;
  const double blanks = metrics.horizontalAdvance(text.left(2));
  const double width = QFontMetricsF(delta->font()).horizontalAdvance(delta->text());
  // The delta ends where the blanks end, right before the letter that follows them.
  const int left = header->x() + static_cast<int>(std::lround(textLeft + blanks - width));
  delta->setAlignment(Qt::AlignCenter);
  delta->setGeometry(left - 1, header->y(), static_cast<int>(std::ceil(width)) + 2,
                     header->height());
  delta->raise();
}
