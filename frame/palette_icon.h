#pragma once

#include <QFrame>
#include <QIcon>
#include <functional>

// One picture of the instrument palette: an image that reports a click (or Space or Enter when
// it has the keyboard focus) and can be framed with a thin single line to mark the chosen
// instrument. A screen reader reads it as a radio button, checked while it is framed.
class PaletteIcon : public QFrame {
 public:
  explicit PaletteIcon(QWidget* parent = nullptr);

  void setIcon(const QIcon& icon);
  bool hasIcon() const { return !icon_.isNull(); }
  void setFramed(bool framed);
  bool framed() const { return frameShape() == QFrame::Box; }
  void setOnClick(std::function<void()> onClick) { onClick_ = std::move(onClick); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  static constexpr int kIconSide = 32;  // logical pixels

  QIcon icon_;
  std::function<void()> onClick_;
};
