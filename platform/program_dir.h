#pragma once

#include <QString>

// The folder that holds the program file, where its pictures and the results file lie.
QString programDirectory();
// Tests point the program at a folder of their own; an empty path restores the real one.
void setProgramDirectory(const QString& path);
// Makes the program's folder the current directory (РабочийКаталог); false when it cannot.
bool makeProgramDirectoryCurrent();
