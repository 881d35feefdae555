#pragma once

#include <QLocale>
#include <QStringList>

class QTextStream;

// The teacher's tool: reads, checks and tabulates results files. `arguments` are the command
// line without the program's name. Returns the exit code: 0 when every file is sound, 1 when a
// file has findings, 2 when a file cannot be read (or nothing was given to read).
int runResultsTool(const QStringList& arguments, QTextStream& out, QTextStream& err,
                   const QLocale& locale = QLocale::system());
