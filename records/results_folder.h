#pragma once

#include <QString>
#include <functional>

// The folder made for the results file in the student's documents when the program's own folder
// cannot be written (an installed program).
inline const char* const kResultsFolderName = "Исследование модуляционной характеристики";

// Whether a file can be created in `folder`: a trial file is made there and removed. This asks
// the file system itself, so it also answers for read-only disks and for root.
bool folderTakesFiles(const QString& folder);

// Where the results file goes: `programFolder` when `takesFiles` says it can be written,
// otherwise the lab's folder in the student's documents, created when needed (when it cannot be
// created, its path is still returned, so that a failed write names it).
QString resultsFolder(const QString& programFolder,
                      const std::function<bool(const QString&)>& takesFiles = folderTakesFiles);
// The same for the current directory, which start-up makes the program's folder.
QString resultsFolder();
