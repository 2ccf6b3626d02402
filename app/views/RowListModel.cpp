#include "app/views/RowListModel.h"

#include <climits>

#include "app/QtText.h"

namespace telvoran {

RowListModel::RowListModel(const ViewContent& content, QObject* parent)
    : QAbstractListModel(parent), content_(content) {}

void RowListModel::Change(const std::function<void()>& change) {
  beginResetModel();
  change();
  endResetModel();
}

void RowListModel::BeginInsert() {
  insertingCount_ = rowCount();
}

void RowListModel::EndInsert(std::span<const RowNumber> places) {
  for (std::size_t first = 0; first < places.size();) {
    std::size_t last = first;
    while (last + 1 < places.size() && places[last + 1] == places[last] + 1) ++last;
    // Runs go in ascending order, so that each one's places are already those of the new list.
    beginInsertRows({}, static_cast<int>(places[first]), static_cast<int>(places[last]));
    *insertingCount_ += static_cast<int>(last - first + 1);
    endInsertRows();
    first = last + 1;
  }
  insertingCount_.reset();
}

void RowListModel::EndInsertByReset() {
  beginResetModel();
  insertingCount_.reset();
  endResetModel();
}

std::string RowListModel::StoredText(int row) const {
  if (row < 0 || static_cast<std::size_t>(row) >= content_.ShownCount()) return {};
  return content_.rows[content_.shown.StoreRow(static_cast<std::size_t>(row))];
}

int RowListModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  if (insertingCount_) return *insertingCount_;
  return static_cast<int>(std::min<std::size_t>(content_.ShownCount(), INT_MAX));
}

QModelIndex RowListModel::index(int row, int column, const QModelIndex& parent) const {
  if (row < 0 || column != 0 || parent.isValid() ||
      static_cast<std::size_t>(row) >= content_.rows.Size())
    return {};
  return createIndex(row, 0);
}

QVariant RowListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  const auto row = static_cast<std::size_t>(index.row());
  if (row >= content_.ShownCount()) return {};
  return FromCp1250(content_.rows.DisplayText(content_.shown.StoreRow(row), text_));
}

}  // namespace telvoran
