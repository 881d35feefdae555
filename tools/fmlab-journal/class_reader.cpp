#include "tools/fmlab-journal/class_reader.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <algorithm>

#include "records/results_file.h"

namespace {

constexpr int kPollMs = 1000;
// Reading stops after this long to let the window answer, and goes on at the next turn.
constexpr int kSliceMs = 20;
// A file written less than this long ago that is not one whole record is taken as still copied.
constexpr qint64 kRestMs = 2000;
// The stamp of a file that is still being copied: never what the next look finds, so it is
// read again then.
constexpr std::pair<qint64, qint64> kUnsettled{-1, -1};

std::pair<qint64, qint64> stampOf(const QFileInfo& info) {
  return {info.size(), info.lastModified().toMSecsSinceEpoch()};
}

}  // namespace

ClassReader::ClassReader(QObject* parent) : QObject(parent) {
  connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &ClassReader::rescan);
  connect(&poll_, &QTimer::timeout, this, &ClassReader::rescan);
  connect(&slice_, &QTimer::timeout, this, &ClassReader::readSome);
  poll_.setInterval(kPollMs);
  slice_.setInterval(0);
}

void ClassReader::open(const QStringList& paths, bool add) {
  if (!add) {
    if (!watcher_.directories().isEmpty()) watcher_.removePaths(watcher_.directories());
    sources_.clear(), folders_.clear(), known_.clear(), queue_.clear();
    done_ = total_ = 0;
    emit cleared();
  }
  for (const QString& path : paths) {
    const QFileInfo info(path);
    const QString absolute = QDir::cleanPath(info.absoluteFilePath());
    if (sources_.contains(absolute)) continue;
    sources_ << absolute;
    if (info.isDir()) folders_ << absolute, watcher_.addPath(absolute);
  }
  poll_.start();
  rescan();
}

void ClassReader::rescan() {
  QHash<QString, Stamp> present;
  for (const QString& source : sources_) {
    if (!folders_.contains(source)) {
      present.insert(source, stampOf(QFileInfo(source)));  // a file not there is listed as such
      continue;
    }
    for (const QFileInfo& file : resultsFilesIn(source))
      present.insert(file.filePath(), stampOf(file));
  }
  for (auto it = known_.begin(); it != known_.end();) {
    if (present.contains(it.key())) {
      ++it;
      continue;
    }
    const QString path = it.key();
    it = known_.erase(it);
    std::erase(queue_, path);
    emit gone(path);
  }
  QStringList changed;
  for (auto it = present.cbegin(); it != present.cend(); ++it) {
    const auto was = known_.constFind(it.key());
    if ((was == known_.cend() || *was != it.value()) &&
        std::find(queue_.begin(), queue_.end(), it.key()) == queue_.end()) {
      changed << it.key();
    }
  }
  if (changed.isEmpty()) return;
  // In name order, as a file manager lists them.
  changed.sort(Qt::CaseInsensitive);
  queue_.insert(queue_.end(), changed.begin(), changed.end());
  total_ += static_cast<int>(changed.size());
  slice_.start();
}

void ClassReader::readSome() {
  QElapsedTimer clock;
  clock.start();
  std::vector<ClassEntry> entries;
  while (!queue_.empty() && clock.elapsed() < kSliceMs) {
    const QString path = queue_.front();
    queue_.pop_front();
    // The stamp is taken before the file is read: a file that changes while it is read has
    // another stamp at the next look, and is read again then.
    const QFileInfo info(path);
    const Stamp stamp = stampOf(info);
    ClassEntry entry{inspectResultsFile(path)};
    const qint64 age = info.lastModified().msecsTo(QDateTime::currentDateTime());
    entry.copying = info.exists() && age < kRestMs && entry.report.size != kResultRecordSize;
    known_.insert(path, entry.copying ? kUnsettled : stamp);
    entries.push_back(std::move(entry));
    ++done_;
  }
  emit read(entries);
  emit progress(done_, total_);
  if (queue_.empty()) {
    slice_.stop();
    done_ = total_ = 0;
  }
}
