#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <vector>

class QPainter;
class QSvgRenderer;

// A drawing surface with a user coordinate system, as the instruments and plots use it:
// left/top/right/bottom in user units (y grows upwards when top > bottom), a current point,
// points and lines in a pen of the current width, style and colour, and text at the current
// point. With persistent drawing on, what is drawn becomes the background that cls() restores;
// with it off, drawing goes on top of that background and cls() takes it away again. Both are
// kept in the widget's own images, so an expose never loses anything, and as the list of drawing
// calls that made them, so that a device not of pixels (a page) gets them again as vectors.
class PictureBox : public QWidget {
  Q_OBJECT

 public:
  explicit PictureBox(QWidget* parent = nullptr);
  ~PictureBox() override;

  void setScale(double left, double top, double right, double bottom);
  double scaleLeft() const { return left_; }
  double scaleTop() const { return top_; }
  double scaleRight() const { return right_; }
  double scaleBottom() const { return bottom_; }

  void setAutoRedraw(bool on) { autoRedraw_ = on; }
  bool autoRedraw() const { return autoRedraw_; }

  void setBackColor(const QColor& color);
  QColor backColor() const { return backColor_; }
  void setForeColor(const QColor& color) { foreColor_ = color; }
  QColor foreColor() const { return foreColor_; }
  void setDrawWidth(int pixels) { drawWidth_ = pixels < 1 ? 1 : pixels; }
  int drawWidth() const { return drawWidth_; }
  void setDrawStyle(Qt::PenStyle style) { drawStyle_ = style; }
  Qt::PenStyle drawStyle() const { return drawStyle_; }
  // A picture drawn under everything, stretched over the whole surface (none: nullptr).
  void setPicture(std::shared_ptr<QSvgRenderer> picture);

  // Clears to the background: with persistent drawing on, the persistent drawing itself is
  // erased; with it off, the persistent drawing is shown again. The current point goes to (0, 0).
  void cls();

  double currentX() const { return currentX_; }
  double currentY() const { return currentY_; }
  void setCurrentPoint(double x, double y);
  // A point of the current width at (x, y), which becomes the current point.
  void pset(double x, double y);
  void pset(double x, double y, const QColor& color);
  // A line from the current point to (x, y), which becomes the current point.
  void lineTo(double x, double y);
  void lineTo(double x, double y, const QColor& color);
  // A line between two points; (x2, y2) becomes the current point.
  void line(double x1, double y1, double x2, double y2);
  void line(double x1, double y1, double x2, double y2, const QColor& color);
  // Text with its top-left corner at the current point, in the widget's font and the fore
  // colour; the current point then moves to the start of the next line.
  void print(const QString& text);

  // Where a user point lies on the widget, in logical pixels.
  QPointF toPixels(double x, double y) const;
  // What the surface shows now, at the device pixel ratio of the screen.
  QImage image() const;

 signals:
  // The surface wants its drawing made: when first shown, when its size changes, and when the
  // window system asks its window to be painted again (uncovered, say).
  void paintRequested();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  // One drawing call in the widget's pixels, as plain data, made again on a painter in those
  // units by replay().
  struct Stroke {
    enum class Kind : std::uint8_t { Point, Line, Text };
    Kind kind;
    Qt::PenStyle style;
    int width;
    QPointF from, to;  // the point (Point), the ends (Line), the start of the baseline (Text)
    QColor color;
    std::size_t text = 0;  // the text's place in Strokes::texts (Text)
  };
  struct TextRun {
    QString text;
    QFont font;
  };
  // The calls that drew an image; their vectors keep their room when cleared, so that a trace
  // redrawn at every turn of a control does not allocate.
  struct Strokes {
    std::vector<Stroke> calls;
    std::vector<TextRun> texts;
    Strokes();
    void clear();
  };
  // `run` is the text of a Text call.
  static void replay(QPainter& painter, const Stroke& stroke, const TextRun* run);
  static void replay(QPainter& painter, const Strokes& strokes);

  QImage blankImage() const;
  // The image that drawing goes to now (the background, or the copy of it drawn on top), with
  // `stroke` (and for a text, `run`) added to the calls that made it.
  QImage& drawingTarget(const Stroke& stroke, const TextRun* run = nullptr);
  QPainter& painterForDrawing(const Stroke& stroke, const TextRun* run = nullptr);
  void fillWideLine(QImage& image, QPointF from, QPointF to, int width, const QColor& color) const;
  void endPainting() const;
  void drawLine(double x1, double y1, double x2, double y2, const QColor& color);

  double left_ = 0, top_ = 0, right_ = 1, bottom_ = 1;
  bool customScale_ = false;
  bool autoRedraw_ = false;
  QColor backColor_;
  QColor foreColor_;
  int drawWidth_ = 1;
  Qt::PenStyle drawStyle_ = Qt::SolidLine;
  std::shared_ptr<QSvgRenderer> picture_;
  double currentX_ = 0, currentY_ = 0;

  QImage persistent_;          // the background that cls() restores
  mutable QImage transient_;   // background plus what was drawn with persistent drawing off
  Strokes persistentStrokes_;  // what drew the background
  Strokes transientStrokes_;   // what was drawn on top of it, with persistent drawing off
  mutable bool showTransient_ = false;
  mutable std::unique_ptr<QPainter> painter_;  // kept open between drawing calls
  mutable QImage* painterTarget_ = nullptr;
  bool shownOnce_ = false;
};
