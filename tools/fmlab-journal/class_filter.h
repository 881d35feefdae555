#pragma once

#include <QCollator>
#include <QSortFilterProxyModel>

// The class table as the teacher narrows and orders it: one group or all, the rows whose names,
// card or file name hold the searched text; texts ordered by one fixed collation (Russian, case
// ignored, digits as numbers: "РС-9" before "РС-10"), whatever the desktop's language.
class ClassFilter : public QSortFilterProxyModel {
  Q_OBJECT

 public:
  explicit ClassFilter(QObject* parent = nullptr);
  void setGroup(const QString& group);  // empty: every group
  void setSearch(const QString& text);

 protected:
  bool filterAcceptsRow(int row, const QModelIndex& parent) const override;
  bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

 private:
  QString group_;
  QString search_;
  QCollator collator_;
};
