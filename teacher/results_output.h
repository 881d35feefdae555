#pragma once

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <vector>

#include "teacher/results_check.h"

// A readable card of one file in Russian: the personal fields, the variant and the answers, the
// characteristic table and the band values as the program shows them, then the findings.
QString resultsCard(const ResultsFileReport& report, const QLocale& locale = QLocale::system());

// One row per file under a header row, as a Russian spreadsheet opens it: UTF-8 with a byte
// order mark, ";" between fields, quoted where needed, a comma as the decimal separator.
QString resultsCsv(const std::vector<ResultsFileReport>& reports);

// A line per file for a class at once: surname and initials, group, rows filled, the
// modulators the readings fit and the number of findings.
QString resultsSummary(const std::vector<ResultsFileReport>& reports);

// The same as a JSON array, one object per file.
QByteArray resultsJson(const std::vector<ResultsFileReport>& reports);

// Which of the lab's modulators the readings u вх came from, as a sentence.
QString readingsSentence(const ReadingsVerdict& readings);

// The student as the summary names them: surname and initials, or the file's name.
QString studentShortName(const ResultsFileReport& report);
