#pragma once

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <vector>

#include "tools/fmlab-results/results_check.h"

// A readable card of one file in Russian: the personal fields, the variant and the answers, the
// characteristic table and the band values as the program shows them, then the findings.
QString resultsCard(const ResultsFileReport& report, const QLocale& locale = QLocale::system());

// One row per file under a header row: comma-separated, quoted where needed, a point as the
// decimal separator.
QString resultsCsv(const std::vector<ResultsFileReport>& reports);

// The same as a JSON array, one object per file.
QByteArray resultsJson(const std::vector<ResultsFileReport>& reports);
