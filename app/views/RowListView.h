#pragma once

#include <QTableView>

namespace telvoran {

// The list of a data view's rows: rows of one height in one column. A list view lays every row
// out again whenever rows are inserted, which costs a followed view of a million rows a large
// share of a core; a table view places its rows by a header of sections of one fixed height and
// takes inserted rows without a look at the others. It is dressed as a list: no headers, no
// grid, its column as wide as the widest row or the list, whichever is wider, and Home and End
// go to the first and the last row.
class RowListView : public QTableView {
  Q_OBJECT

 public:
  explicit RowListView(int rowHeight, QWidget* parent = nullptr);

  // The width of the widest row, in pixels.
  void SetRowWidth(int width);

 protected:
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
  bool viewportEvent(QEvent* event) override;

 private:
  void FitColumn();

  int rowWidth_ = 0;
};

}  // namespace telvoran
