#include "app/views/RowListView.h"

#include <QEvent>
#include <QMetaObject>
#include <QPaintEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyleOptionSlider>

#include <algorithm>
#include <tuple>

namespace telvoran {
namespace {

// The scroll bar of a million rows: each look at a followed file changes its range and value while
// its handle, a few pixels long, stays where it was. It is painted again, and the window frame
// beneath it, only when what it shows changed. A look sets the range first and the value after
// it, and between the two the handle is off the end for a moment: what it shows is compared once
// both are set.
class RowScrollBar : public QScrollBar {
 public:
  using QScrollBar::QScrollBar;

 protected:
  void sliderChange(SliderChange change) override {
    if (change != SliderRangeChange && change != SliderValueChange) {
      QScrollBar::sliderChange(change);
      return;
    }
    if (lookPending_) return;
    lookPending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
          lookPending_ = false;
          if (painted_ != Look()) update();
        },
        Qt::QueuedConnection);
  }
  void paintEvent(QPaintEvent* event) override {
    painted_ = Look();
    QScrollBar::paintEvent(event);
  }

 private:
  // The handle's place and whether either end is reached, which a style may show on its arrows.
  std::tuple<QRect, bool, bool> Look() const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    return {style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this),
            value() == minimum(), value() == maximum()};
  }

  bool lookPending_ = false;
  std::tuple<QRect, bool, bool> painted_;
};

}  // namespace

RowListView::RowListView(int rowHeight, QWidget* parent)
    : QAbstractItemView(parent), rowHeight_(std::max(rowHeight, 1)) {
  setVerticalScrollBar(new RowScrollBar(Qt::Vertical));
  setTabKeyNavigation(false);
  setSelectionBehavior(QAbstractItemView::SelectRows);
}

void RowListView::SetRowWidth(int width) {
  // Told again at every look at a followed file, mostly the same.
  if (width == rowWidth_) return;
  rowWidth_ = width;
  UpdateScrollBars();
  viewport()->update();
}

int RowListView::columnWidth(int column) const {
  return column == 0 ? std::max(rowWidth_, viewport()->width()) : 0;
}

void RowListView::setModel(QAbstractItemModel* model) {
  if (QAbstractItemModel* old = this->model()) disconnect(old, nullptr, this, nullptr);
  QAbstractItemView::setModel(model);
  if (!model) return;
  // Inserted rows come through rowsInserted(); the others change the count the same way.
  connect(model, &QAbstractItemModel::rowsRemoved, this, &RowListView::RowsChanged);
  connect(model, &QAbstractItemModel::modelReset, this, &RowListView::RowsChanged);
  connect(model, &QAbstractItemModel::layoutChanged, this, &RowListView::RowsChanged);
  RowsChanged();
}

int RowListView::RowCount() const {
  return model() ? model()->rowCount(rootIndex()) : 0;
}

int RowListView::FirstRowShown() const {
  return verticalScrollBar()->value();
}

int RowListView::WholeRowsShown() const {
  return std::max(viewport()->height() / rowHeight_, 1);
}

int RowListView::RowAtY(int y) const {
  // Rounded down for y above the list too.
  const int rows = y >= 0 ? y / rowHeight_ : (y - rowHeight_ + 1) / rowHeight_;
  return FirstRowShown() + rows;
}

QRect RowListView::visualRect(const QModelIndex& index) const {
  if (!index.isValid() || index.parent() != rootIndex() || index.column() != 0) return {};
  return {-horizontalOffset(), (index.row() - FirstRowShown()) * rowHeight_, columnWidth(0),
          rowHeight_};
}

QModelIndex RowListView::indexAt(const QPoint& point) const {
  const int x = point.x() + horizontalOffset();
  const int row = RowAtY(point.y());
  if (!model() || x < 0 || x >= columnWidth(0) || row < 0 || row >= RowCount()) return {};
  return model()->index(row, 0, rootIndex());
}

void RowListView::scrollTo(const QModelIndex& index, ScrollHint hint) {
  if (!index.isValid() || index.parent() != rootIndex()) return;
  const int row = index.row();
  const int first = FirstRowShown();
  const int whole = WholeRowsShown();
  QScrollBar* vertical = verticalScrollBar();
  switch (hint) {
    case PositionAtTop:
      vertical->setValue(row);
      break;
    case PositionAtBottom:
      vertical->setValue(row - whole + 1);
      break;
    case PositionAtCenter:
      vertical->setValue(row - (viewport()->height() - rowHeight_) / 2 / rowHeight_);
      break;
    case EnsureVisible:
      if (row < first) {
        vertical->setValue(row);
      } else if (row >= first + whole) {
        vertical->setValue(row - whole + 1);
      }
      break;
  }
  // Sideways as a table of one column goes: a row wider than the list is shown from its start,
  // or from its middle when centred.
  const int width = columnWidth(0);
  const int shown = viewport()->width();
  if (hint == PositionAtCenter) {
    horizontalScrollBar()->setValue((width - shown) / 2);
  } else if (width > shown) {
    horizontalScrollBar()->setValue(0);
  }
}

QModelIndex RowListView::moveCursor(CursorAction action, Qt::KeyboardModifiers) {
  const int count = RowCount();
  if (count == 0) return {};
  const QModelIndex current = currentIndex();
  if (!current.isValid()) return model()->index(0, 0, rootIndex());
  int row = current.row();
  switch (action) {
    case MoveUp:
    case MovePrevious:
      --row;
      break;
    case MoveDown:
    case MoveNext:
      ++row;
      break;
    case MovePageUp:
      row -= WholeRowsShown();
      break;
    case MovePageDown:
      row += WholeRowsShown();
      break;
    case MoveHome:
      row = 0;
      break;
    case MoveEnd:
      row = count - 1;
      break;
    case MoveLeft:
    case MoveRight:
      break;
  }
  return model()->index(std::clamp(row, 0, count - 1), 0, rootIndex());
}

int RowListView::horizontalOffset() const {
  return horizontalScrollBar()->value();
}

int RowListView::verticalOffset() const {
  return FirstRowShown() * rowHeight_;
}

bool RowListView::isIndexHidden(const QModelIndex&) const {
  return false;
}

// Both corners must fall on rows, as in a table: a drag below the last row selects nothing more.
void RowListView::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags flags) {
  if (!selectionModel()) return;
  const QRect box = rect.normalized();
  const QModelIndex top = indexAt(box.topLeft());
  const QModelIndex bottom = indexAt(box.bottomRight());
  if (!top.isValid() || !bottom.isValid()) return;
  selectionModel()->select(QItemSelection(top, bottom), flags);
}

QRegion RowListView::visualRegionForSelection(const QItemSelection& selection) const {
  const int first = FirstRowShown();
  const int last = first + viewport()->height() / rowHeight_;
  QRegion region;
  for (const QItemSelectionRange& range : selection) {
    if (!range.isValid() || range.parent() != rootIndex()) continue;
    const int top = std::max(range.top(), first);
    const int bottom = std::min(range.bottom(), last);
    if (top > bottom) continue;
    region += QRect(-horizontalOffset(), (top - first) * rowHeight_, columnWidth(0),
                    (bottom - top + 1) * rowHeight_);
  }
  return region;
}

void RowListView::UpdateScrollBars() {
  const int whole = WholeRowsShown();
  QScrollBar* vertical = verticalScrollBar();
  const int last = std::max(RowCount() - whole, 0);
  // A range that only grows, on a bar shown before and after, is not told to the scroll area:
  // it would lay its bars out again and raise both, which paints them and the frame beneath
  // them at every look at a followed file. The value stays where it is.
  const bool onlyGrows = vertical->minimum() == 0 && vertical->maximum() > 0 &&
                         last >= vertical->maximum();
  const QSignalBlocker quietly(onlyGrows ? vertical : nullptr);
  vertical->setRange(0, last);
  vertical->setPageStep(whole);
  vertical->setSingleStep(1);
  const int shown = viewport()->width();
  QScrollBar* horizontal = horizontalScrollBar();
  horizontal->setRange(0, std::max(rowWidth_ - shown, 0));
  horizontal->setPageStep(shown);
  horizontal->setSingleStep(std::max(shown / 2, 2));
}

void RowListView::updateGeometries() {
  UpdateScrollBars();
  QAbstractItemView::updateGeometries();
}

void RowListView::RowsChanged() {
  UpdateScrollBars();
  viewport()->update();
}

// Rows inserted above those in sight would move them down: the scroll bar moves by as many, so
// the same rows stay in sight and none is painted again. Rows inserted among them move only
// those below.
void RowListView::rowsInserted(const QModelIndex& parent, int start, int end) {
  QAbstractItemView::rowsInserted(parent, start, end);
  if (parent != rootIndex()) return;
  const int first = FirstRowShown();
  UpdateScrollBars();
  if (start < first) {
    const QScopedValueRollback shifting(shiftingRows_, true);
    verticalScrollBar()->setValue(first + end - start + 1);
  } else if (start <= first + WholeRowsShown()) {
    const int top = (start - first) * rowHeight_;
    viewport()->update(0, top, viewport()->width(), viewport()->height() - top);
  }
}

void RowListView::scrollContentsBy(int dx, int dy) {
  if (!shiftingRows_) viewport()->scroll(dx, dy * rowHeight_);
}

void RowListView::paintEvent(QPaintEvent* event) {
  if (!model()) return;
  QPainter painter(viewport());
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  option.showDecorationSelected = true;
  const QModelIndex current = currentIndex();
  const bool focus = (hasFocus() || viewport()->hasFocus()) && current.isValid();
  const QRect dirty = event->rect();
  const int first = std::max(RowAtY(dirty.top()), 0);
  const int last = std::min(RowAtY(dirty.bottom()), RowCount() - 1);
  for (int row = first; row <= last; ++row) {
    const QModelIndex index = model()->index(row, 0, rootIndex());
    QStyleOptionViewItem rowOption = option;
    rowOption.rect = visualRect(index);
    if (selectionModel() && selectionModel()->isSelected(index))
      rowOption.state |= QStyle::State_Selected;
    if (focus && index == current) rowOption.state |= QStyle::State_HasFocus;
    // The selection keeps its colours when the window is not the active one.
    if (rowOption.state & QStyle::State_Enabled) {
      if (model()->flags(index) & Qt::ItemIsEnabled) {
        rowOption.palette.setCurrentColorGroup(QPalette::Normal);
      } else {
        rowOption.state &= ~QStyle::State_Enabled;
        rowOption.palette.setCurrentColorGroup(QPalette::Disabled);
      }
    }
    itemDelegateForIndex(index)->paint(&painter, rowOption, index);
  }
}

bool RowListView::viewportEvent(QEvent* event) {
  // The viewport also changes size when a scroll bar comes or goes.
  if (event->type() == QEvent::Resize) UpdateScrollBars();
  return QAbstractItemView::viewportEvent(event);
}

}  // namespace telvoran
