#include "app/views/RowListView.h"

#include <QEvent>
#include <QHeaderView>

#include <algorithm>

namespace telvoran {

RowListView::RowListView(int rowHeight, QWidget* parent) : QTableView(parent) {
  setShowGrid(false);
  setWordWrap(false);
  setCornerButtonEnabled(false);
  // Tab leaves the list, as it leaves a list view, instead of going on to the next row.
  setTabKeyNavigation(false);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  QHeaderView* rows = verticalHeader();
  rows->hide();
  rows->setMinimumSectionSize(rowHeight);
  rows->setDefaultSectionSize(rowHeight);
  rows->setSectionResizeMode(QHeaderView::Fixed);
  QHeaderView* columns = horizontalHeader();
  columns->hide();
  columns->setMinimumSectionSize(0);
  columns->setSectionResizeMode(QHeaderView::Fixed);
}

void RowListView::SetRowWidth(int width) {
  rowWidth_ = width;
  FitColumn();
}

// The header keeps its default size across a reset of the model: the column's width is set as
// that.
void RowListView::FitColumn() {
  const int width = std::max(rowWidth_, viewport()->width());
  QHeaderView* columns = horizontalHeader();
  if (columns->defaultSectionSize() != width) columns->setDefaultSectionSize(width);
  if (columns->count() > 0 && columns->sectionSize(0) != width) columns->resizeSection(0, width);
}

QModelIndex RowListView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  // In a table Home and End stay in the row unless Ctrl is held; a list has one place a row.
  if (action == MoveHome || action == MoveEnd) modifiers |= Qt::ControlModifier;
  return QTableView::moveCursor(action, modifiers);
}

bool RowListView::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::Resize) FitColumn();
  return QTableView::viewportEvent(event);
}

}  // namespace telvoran
