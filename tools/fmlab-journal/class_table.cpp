#include "tools/fmlab-journal/class_table.h"

#include <QColor>
#include <QFileInfo>
#include <QSet>

#include "teacher/results_output.h"
#include "teacher/results_text.h"

namespace {

const char* const kHeaders[ClassTable::ColumnCount] = {
    "Студент", "Группа", "Студ. билет", "Вариант", "Строк", "Модулятор", "Замечания", "Файл"};

bool marked(const ClassEntry& entry) { return !entry.copying && !entry.report.sound(); }

}  // namespace

int ClassTable::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

int ClassTable::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : ColumnCount;
}

QString ClassTable::text(const ClassEntry& entry, int column) const {
  const ResultsFileReport& report = entry.report;
  const QString fileName = shownText(QFileInfo(report.path).fileName());
  const bool record = report.hasRecord && !entry.copying;
  const Результат& r = report.record;
  switch (column) {
    case Student:
      return record ? studentShortName(report) : fileName;
    case Group:
      return record ? shownField(r.Группа.toQString()).trimmed() : QString();
    case Card:
      return record ? shownField(r.НомерСБ.toQString()).trimmed() : QString();
    case Variant:
      return record ? shownField(r.Вариант.toQString()).trimmed() : QString();
    case Rows:
      return record ? QString::number(report.readings.filledRows.size()) : QString();
    case Modulators:
      if (!record) return {};
      return report.readings.modulators.empty() ? QStringLiteral("—")
                                                : modulatorsText(report.readings.modulators);
    case Findings:
      if (entry.copying) return QStringLiteral("копируется…");
      if (!report.readable()) return QStringLiteral("не прочитан: ") + report.error;
      return report.findings.empty() ? QStringLiteral("нет")
                                     : QString::number(report.findings.size());
    case File:
      return fileName;
  }
  return {};
}

QVariant ClassTable::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const ClassEntry& entry = entries_[static_cast<std::size_t>(index.row())];
  const int column = index.column();
  switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
      return text(entry, column);
    case SortRole:
      if (column == Rows) return int(entry.report.readings.filledRows.size());
      if (column == Findings) {
        // Files still copied first, then by the number of findings, the unread ones last.
        if (entry.copying) return -1;
        return entry.report.readable() ? int(entry.report.findings.size()) : 1'000'000;
      }
      return text(entry, column);
    case SearchRole: {
      const Результат& r = entry.report.record;
      return QStringList{r.Фамилия.toQString(), r.Имя.toQString(), r.Отчество.toQString(),
                         r.НомерСБ.toQString(), QFileInfo(entry.report.path).fileName()}
          .join(QLatin1Char(' '))
          .toLower();
    }
    case Qt::BackgroundRole:
      if (marked(entry)) return QColor(255, 226, 226);
      return {};
    case Qt::ForegroundRole:
      if (marked(entry)) return QColor(Qt::black);  // on the light red whatever the palette
      if (entry.copying) return QColor(Qt::gray);
      return {};
    case Qt::TextAlignmentRole:
      return column == Rows ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
  }
  return {};
}

QVariant ClassTable::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount ||
      role != Qt::DisplayRole) {
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  return QString::fromUtf8(kHeaders[section]);
}

void ClassTable::clear() {
  beginResetModel();
  entries_.clear();
  rows_.clear();
  endResetModel();
}

void ClassTable::put(const std::vector<ClassEntry>& entries) {
  std::vector<const ClassEntry*> added;
  for (const ClassEntry& entry : entries) {
    const auto row = rows_.constFind(entry.report.path);
    if (row == rows_.cend()) {
      added.push_back(&entry);
      continue;
    }
    entries_[static_cast<std::size_t>(*row)] = entry;
    emit dataChanged(index(*row, 0), index(*row, ColumnCount - 1));
  }
  if (added.empty()) return;
  const int first = rowCount();
  beginInsertRows({}, first, first + static_cast<int>(added.size()) - 1);
  for (const ClassEntry* entry : added) {
    rows_.insert(entry->report.path, rowCount());
    entries_.push_back(*entry);
  }
  endInsertRows();
}

void ClassTable::remove(const QString& path) {
  const auto found = rows_.constFind(path);
  if (found == rows_.cend()) return;
  const int row = *found;
  beginRemoveRows({}, row, row);
  entries_.erase(entries_.begin() + row);
  rows_.erase(found);
  for (auto& later : rows_) later -= later > row ? 1 : 0;
  endRemoveRows();
}

QStringList ClassTable::groups() const {
  QSet<QString> groups;
  for (int row = 0; row < rowCount(); ++row) {
    const QString group = text(entries_[static_cast<std::size_t>(row)], Group);
    if (!group.isEmpty()) groups.insert(group);
  }
  return groups.values();
}

ClassTable::Counts ClassTable::counts() const {
  Counts counts;
  for (const ClassEntry& entry : entries_) {
    ++counts.files;
    if (entry.copying) {
      ++counts.copying;
    } else if (!entry.report.readable()) {
      ++counts.unread;
    } else {
      ++(entry.report.findings.empty() ? counts.sound : counts.withFindings);
    }
  }
  return counts;
}
