#pragma once

#include <QImage>
#include <QWidget>
#include <optional>

#include "teacher/results_check.h"

// The chosen student's page, as on paper (the same drawing as the PDF's page), fitted to the
// pane. The page is drawn when the student or the pane's size changes; painting only shows it.
// Up and Down ask for the previous and the next student.
class PageView : public QWidget {
  Q_OBJECT

 public:
  explicit PageView(QWidget* parent = nullptr);
  void setReport(const ResultsFileReport& report);
  // No page: the text says what to do instead.
  void setHint(const QString& text);
  const QImage& page() const { return page_; }

 signals:
  void step(int rows);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void draw();

  std::optional<ResultsFileReport> report_;
  QString hint_;
  QImage page_;
};
