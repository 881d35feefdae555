#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QStringList>
#include <vector>

#include "tools/fmlab-journal/class_reader.h"

// The class as a table, a row per results file, in the order the files were read.
class ClassTable : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { Student, Group, Card, Variant, Rows, Modulators, Findings, File, ColumnCount };
  enum Role {
    SortRole = Qt::UserRole,  // a number for the counts, the shown text otherwise
    SearchRole,               // the names, the card and the file's name, in lower case
  };
  struct Counts {
    int files = 0, sound = 0, withFindings = 0, unread = 0, copying = 0;
  };

  using QAbstractTableModel::QAbstractTableModel;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  void clear();
  // New files become rows at the end; a file read again changes its row.
  void put(const std::vector<ClassEntry>& entries);
  void remove(const QString& path);
  const ClassEntry& entry(int row) const { return entries_[static_cast<std::size_t>(row)]; }
  QStringList groups() const;  // the groups of the rows, each once, unordered
  Counts counts() const;

 private:
  QString text(const ClassEntry& entry, int column) const;

  std::vector<ClassEntry> entries_;
  QHash<QString, int> rows_;  // the row of each file's path
};
