#include "tools/fmlab-journal/class_export.h"

#include <QPdfWriter>
#include <QSaveFile>

#include "teacher/results_output.h"
#include "teacher/results_pages.h"

bool exportReports(ExportFormat format, const QString& fileName,
                   const std::vector<ResultsFileReport>& reports,
                   const std::function<void(int, int)>& pageDone) {
  QSaveFile file(fileName);
  if (!file.open(QIODevice::WriteOnly)) return false;
  bool written = true;
  switch (format) {
    case ExportFormat::Csv:
      written = file.write(resultsCsv(reports).toUtf8()) >= 0;
      break;
    case ExportFormat::Json:
      written = file.write(resultsJson(reports)) >= 0;
      break;
    case ExportFormat::Pdf: {
      QPdfWriter writer(&file);
      writer.setCreator(QStringLiteral("fmlab-journal"));
      written = writeResultsPdf(writer, reports, reports.size() > 1, pageDone);
      break;
    }
  }
  return written && file.commit();
}
