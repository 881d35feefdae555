#pragma once

#include <QLabel>

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
