#pragma once

#include <QImage>
#include <QString>
#include <functional>
#include <vector>

#include "teacher/results_check.h"

class QPagedPaintDevice;
class QPdfWriter;

// The teacher's pages, A4, vector only: a page per file in the given order (the file's card over
// the student's report as the report screen draws it, with the bench's characteristic of the
// fitted modulator and the rows named in the findings marked), then, when `withSummary`, the
// summary as a table. They need a QApplication. `pageDone` is told after each file's page (files
// done, files in all).

// On a PDF file made by fmlab-results, or on a PDF writer that the caller named the creator of.
// False when it cannot be written.
bool writeResultsPdf(const QString& fileName, const std::vector<ResultsFileReport>& reports,
                     bool withSummary,
                     const std::function<void(int done, int total)>& pageDone = nullptr);
bool writeResultsPdf(QPdfWriter& writer, const std::vector<ResultsFileReport>& reports,
                     bool withSummary,
                     const std::function<void(int done, int total)>& pageDone = nullptr);
// On a device whose page layout is set (a printer), at its own resolution. False when the
// device cannot be painted on.
bool drawResultsPages(QPagedPaintDevice& device, const std::vector<ResultsFileReport>& reports,
                      bool withSummary,
                      const std::function<void(int done, int total)>& pageDone = nullptr);
// A4 with the pages' margins.
void setResultsPageLayout(QPagedPaintDevice& device);

// One file's page as it is on paper, a white sheet with its margins, drawn on an image of the
// largest A4 size that fits in `room` (device pixels).
QImage resultsPageImage(const ResultsFileReport& report, QSize room);
