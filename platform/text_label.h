#pragma once

#include <QColor>
#include <QLabel>

#include "platform/vb_color.h"

// The captions of the title, literature and personal data screens: a font, a colour and an
// alignment, and long texts word-wrapped with the line-end hyphens they were typed with.

// The lab's caption colours.
inline const QColor kNavy = vbColor(vbRgb(0, 0, 128));
inline const QColor kMaroon = vbColor(vbRgb(128, 0, 0));

// Font and colour of a caption: point size (0 keeps the font's own), weight, text colour and
// alignment.
struct TextStyle {
  double pointSize = 0;
  bool bold = false;
  QColor colour;  // invalid: the palette's text colour
  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
};
void applyTextStyle(QWidget* label, const TextStyle& style);

// A word-wrapped label for texts typed with their line-end hyphens ("лабо- раторной"): text()
// keeps the text as it was given, but a hyphen followed by a blank inside a word is shown as a
// soft hyphen, so the word breaks there only when the line ends there.
class WrappedLabel : public QLabel {
 public:
  explicit WrappedLabel(QWidget* parent = nullptr);
  void setWrappedText(const QString& text);
  // What is painted.
  QString shownText() const { return shown_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString shown_;
};

// "лабо- раторной" -> "лабо\u00ADраторной"; other text is left as it is.
QString withSoftHyphens(const QString& text);

// A caption of one line at a rectangle in twips, and a wrapped one.
QLabel* makeStyledLabel(QWidget* parent, const QString& name, const QString& text, int left,
                        int top, int width, int height, const TextStyle& style = {});
WrappedLabel* makeWrappedLabel(QWidget* parent, const QString& name, const QString& text, int left,
                               int top, int width, int height, const TextStyle& style = {});
