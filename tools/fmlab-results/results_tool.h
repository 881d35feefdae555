#pragma once

#include <QLocale>
#include <QStringList>
#include <functional>
#include <vector>

class QTextStream;
struct ResultsFileReport;

// Writes the PDF of the files read (`withSummary`: with the class summary after their pages);
// false when the PDF cannot be written.
using ResultsPdfWriter = std::function<bool(
    const QString& fileName, const std::vector<ResultsFileReport>& reports, bool withSummary)>;

// The teacher's tool: reads, checks and tabulates results files. `arguments` are the command
// line without the program's name. Returns the exit code: 0 when every file is sound, 1 when a
// file has findings, 2 when a file cannot be read (or nothing was given to read). --pdf needs
// `writePdf`, which draws (the rest of the tool needs no screen).
int runResultsTool(const QStringList& arguments, QTextStream& out, QTextStream& err,
                   const QLocale& locale = QLocale::system(),
                   const ResultsPdfWriter& writePdf = nullptr);
