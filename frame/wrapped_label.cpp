#include "frame/wrapped_label.h"

#include <QPainter>
#include <QRegularExpression>

QString withSoftHyphens(const QString& text) {
  // A word broken at a line end: letters, "- ", then at least two lower-case letters that are
  // not a conjunction ("радио- и телевидения", "звуко- или видеозапись" keep their hyphen).
  static const QRegularExpression broken(
      QStringLiteral("(\\p{L})- (?!(?:или|либо)\\b)(?=\\p{Ll}{2})"),
      QRegularExpression::UseUnicodePropertiesOption);
  QString shown = text;
  shown.replace(broken, QStringLiteral("\\1") + QChar(QChar::SoftHyphen));
  return shown;
}

WrappedLabel::WrappedLabel(QWidget* parent) : QLabel(parent) {
  setWordWrap(true);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void WrappedLabel::setWrappedText(const QString& text) {
  shown_ = withSoftHyphens(text);
  setText(text);
}

void WrappedLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(palette().color(foregroundRole()));
  painter.setFont(font());
  painter.drawText(contentsRect(), static_cast<int>(alignment()) | Qt::TextWordWrap, shown_);
}
