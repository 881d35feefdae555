#include "tools/fmlab-journal/class_filter.h"

#include "tools/fmlab-journal/class_table.h"

ClassFilter::ClassFilter(QObject* parent)
    : QSortFilterProxyModel(parent), collator_(QLocale(QLocale::Russian, QLocale::Russia)) {
  collator_.setCaseSensitivity(Qt::CaseInsensitive);
  collator_.setNumericMode(true);
  setSortRole(ClassTable::SortRole);
}

void ClassFilter::setGroup(const QString& group) {
  group_ = group;
  invalidateFilter();
}

void ClassFilter::setSearch(const QString& text) {
  search_ = text.trimmed().toLower();
  invalidateFilter();
}

bool ClassFilter::filterAcceptsRow(int row, const QModelIndex& parent) const {
  const QAbstractItemModel& table = *sourceModel();
  if (!group_.isEmpty() &&
      table.index(row, ClassTable::Group, parent).data().toString() != group_) {
    return false;
  }
  return search_.isEmpty() ||
         table.index(row, 0, parent).data(ClassTable::SearchRole).toString().contains(search_);
}

bool ClassFilter::lessThan(const QModelIndex& left, const QModelIndex& right) const {
  const QVariant a = left.data(sortRole());
  const QVariant b = right.data(sortRole());
  if (a.typeId() == QMetaType::Int && b.typeId() == QMetaType::Int) return a.toInt() < b.toInt();
  return collator_.compare(a.toString(), b.toString()) < 0;
}
