#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "teacher/results_check.h"

// The class's PDF, A4, vector only: a page per file in the given order (the file's card over the
// student's report as the report screen draws it, with the bench's characteristic of the fitted
// modulator and the rows named in the findings marked), then, when `withSummary`, the summary as
// a table. Needs a QApplication. `pageDone` is told after each file's page (files done, files in
// all). False when the PDF cannot be written.
bool writeResultsPdf(const QString& fileName, const std::vector<ResultsFileReport>& reports,
                     bool withSummary,
                     const std::function<void(int done, int total)>& pageDone = nullptr);
