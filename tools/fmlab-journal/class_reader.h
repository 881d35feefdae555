#pragma once

#include <QFileSystemWatcher>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <utility>
#include <vector>

#include "teacher/results_check.h"

// One results file as the journal holds it.
struct ClassEntry {
  ResultsFileReport report;
  // The file is not one whole record and was written just now: it is still being copied (saved
  // from the mail, say), and it is read again until it rests.
  bool copying = false;
};

// Reads the results files of the folders and files the teacher opened, a few at a time between
// the window's events, and goes on reading them as they arrive, change or go: the folders are
// watched, and everything is looked over every second.
class ClassReader : public QObject {
  Q_OBJECT

 public:
  explicit ClassReader(QObject* parent = nullptr);
  // Folders (every *.res file in them) and single files; `add` keeps what was open.
  void open(const QStringList& paths, bool add);
  const QStringList& sources() const { return sources_; }
  bool busy() const { return !queue_.empty(); }

 signals:
  void cleared();
  void read(const std::vector<ClassEntry>& entries);  // files new or changed since last read
  void gone(const QString& path);
  void progress(int done, int total);  // files read of those found; done == total at the end

 private:
  using Stamp = std::pair<qint64, qint64>;  // size, time of the last change (ms)
  void rescan();
  void readSome();

  QStringList sources_;
  QStringList folders_;          // the sources that were folders when opened
  QHash<QString, Stamp> known_;  // every file read, as it was then
  std::deque<QString> queue_;
  int done_ = 0;
  int total_ = 0;
  QFileSystemWatcher watcher_;
  QTimer poll_;
  QTimer slice_;
};
