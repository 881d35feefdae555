#include "platform/text_label.h"

#include <QPainter>
#include <QRegularExpression>

#include "platform/controls.h"

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

QLabel* makeStyledLabel(QWidget* parent, const QString& name, const QString& text, int left,
                        int top, int width, int height, const TextStyle& style) {
  QLabel* label = makeLabel(parent, name, text, left, top, width, height);
  applyTextStyle(label, style);
  return label;
}

WrappedLabel* makeWrappedLabel(QWidget* parent, const QString& name, const QString& text, int left,
                               int top, int width, int height, const TextStyle& style) {
  auto* label = new WrappedLabel(parent);
  label->setObjectName(name);
  placeTwips(label, left, top, width, height);
  applyTextStyle(label, style);
  label->setWrappedText(text);
  return label;
}
