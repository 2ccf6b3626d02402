#pragma once

#include <QAbstractListModel>

#include <functional>
#include <optional>
#include <span>
#include <string>

#include "core/view/ViewContent.h"

namespace telvoran {

// Hands the rows a view shows to its list (every row of its content, or those its filter keeps):
// row i's display role is the text drawn for it, built when the list asks. The rows change only
// inside Change(), so the list never sees a half-built list.
class RowListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  RowListModel(const ViewContent& content, QObject* parent = nullptr);

  // Runs `change` on the content's rows and tells the list to take them anew.
  void Change(const std::function<void()>& change);
  // The same in two calls, for rows changed elsewhere: the rows are not looked at in between.
  void BeginChange() { beginResetModel(); }
  void EndChange() { endResetModel(); }
  // Rows merged in elsewhere among the others: from BeginInsert() until EndInsert() the list is
  // told the count it had, and EndInsert() then tells it of the rows now at `places` (ascending,
  // in the new list), one run of neighbouring rows at a time, so that it keeps its current row,
  // selection and scroll position instead of taking every row anew.
  void BeginInsert();
  void EndInsert(std::span<const RowNumber> places);
  // Ends BeginInsert() with the rows changed otherwise: the list takes them all anew.
  void EndInsertByReset();
  // The stored text of a row of the list, sort prefix included; empty for a row that does not
  // exist.
  std::string StoredText(int row) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  // The list asks for the index of every row each time it lays them out: answered without the
  // general checks of the base class.
  QModelIndex index(int row, int column = 0, const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  const ViewContent& content_;
  mutable RowText text_;
  // The count the list is told while rows are being inserted.
  std::optional<int> insertingCount_;
};

}  // namespace telvoran
