#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "teacher/results_check.h"

enum class ExportFormat { Pdf, Csv, Json };

// Writes the files' reports as fmlab-results writes them (the PDF with the summary after the
// pages when there is more than one file), all at once or not at all: false when the file cannot
// be written. `pageDone` follows the PDF's pages.
bool exportReports(ExportFormat format, const QString& fileName,
                   const std::vector<ResultsFileReport>& reports,
                   const std::function<void(int done, int total)>& pageDone = nullptr);
