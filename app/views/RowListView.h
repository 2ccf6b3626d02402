#pragma once

#include <QAbstractItemView>

namespace telvoran {

// The list of a data view's rows: rows of one height in one column, as wide as the widest row or
// the list, whichever is wider. Row r is placed by arithmetic alone, (r - first row shown) times
// the row height, so inserting, painting and scrolling cost the same for a million rows as for
// ten: a list view lays every row out again on insert, and a table view's header keeps and
// re-sums a position per row. The vertical scroll bar counts rows, its value the first row shown,
// so the top row is always whole, and follows rows inserted above it; the horizontal one counts
// pixels. Home and End go to the first and the last row; Tab leaves the list.
class RowListView : public QAbstractItemView {
  Q_OBJECT

 public:
  explicit RowListView(int rowHeight, QWidget* parent = nullptr);

  // The width of the widest row, in pixels.
  void SetRowWidth(int width);
  // The width every row is drawn at; there is only column 0.
  int columnWidth(int column) const;

  void setModel(QAbstractItemModel* model) override;
  QRect visualRect(const QModelIndex& index) const override;
  void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
  QModelIndex indexAt(const QPoint& point) const override;

 protected:
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
  int horizontalOffset() const override;
  int verticalOffset() const override;
  bool isIndexHidden(const QModelIndex& index) const override;
  void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags flags) override;
  QRegion visualRegionForSelection(const QItemSelection& selection) const override;
  void updateGeometries() override;
  void rowsInserted(const QModelIndex& parent, int start, int end) override;
  void scrollContentsBy(int dx, int dy) override;
  void paintEvent(QPaintEvent* event) override;
  bool viewportEvent(QEvent* event) override;

 private:
  int RowCount() const;
  int FirstRowShown() const;
  // Rows wholly in sight; at least one, so that a list lower than a row still moves by rows.
  int WholeRowsShown() const;
  // The row at viewport height y, whether or not it exists.
  int RowAtY(int y) const;
  void UpdateScrollBars();
  void RowsChanged();

  const int rowHeight_;
  int rowWidth_ = 0;
  // The scroll bar follows rows inserted above those in sight: nothing on screen moves.
  bool shiftingRows_ = false;
};

}  // namespace telvoran
