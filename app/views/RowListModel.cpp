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

std::string RowListModel::StoredText(int row) const {
  if (row < 0 || static_cast<std::size_t>(row) >= content_.ShownCount()) return {};
  return content_.rows[content_.shown.StoreRow(static_cast<std::size_t>(row))];
}

int RowListModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
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
