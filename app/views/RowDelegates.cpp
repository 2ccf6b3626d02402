#include "app/views/RowDelegates.h"

#include <QPainter>

#include <optional>

#include "app/views/DataView.h"
#include "app/views/RowListModel.h"

namespace telvoran {
namespace {

// A one-pixel frame inside the row, white underneath and black dots on every other pixel: the dots
// show on light colours, the white between them on dark ones. The dots are placed one by one, in
// the list's own pixels, so that they stay dots at any screen scale. The platform's own focus
// frame is not used: some styles draw it only after the focus came by the Tab key, or in a colour
// that vanishes on a situation colour.
void DrawFocusFrame(QPainter* painter, const QStyleOptionViewItem& option) {
  if (!(option.state & QStyle::State_HasFocus)) return;
  const QRect frame = option.rect;
  const QRect edges[] = {
      {frame.left(), frame.top(), frame.width(), 1},
      {frame.left(), frame.bottom(), frame.width(), 1},
      {frame.left(), frame.top(), 1, frame.height()},
      {frame.right(), frame.top(), 1, frame.height()},
  };
  for (const QRect& edge : edges) painter->fillRect(edge, Qt::white);
  for (int x = frame.left(); x <= frame.right(); x += 2) {
    painter->fillRect(x, frame.top(), 1, 1, Qt::black);
    painter->fillRect(x, frame.bottom(), 1, 1, Qt::black);
  }
  for (int y = frame.top(); y <= frame.bottom(); y += 2) {
    painter->fillRect(frame.left(), y, 1, 1, Qt::black);
    painter->fillRect(frame.right(), y, 1, 1, Qt::black);
  }
}

}  // namespace

QSize RowDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
  return {rowWidth_, DataView::kItemHeight};
}

void RowDelegate::DrawRow(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index, const QColor& background, const QColor& text) {
  painter->fillRect(option.rect, background);
  painter->setPen(text);
  painter->setFont(option.font);
  painter->drawText(option.rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                    index.data(Qt::DisplayRole).toString());
  DrawFocusFrame(painter, option);
}

void IntervalRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
  const bool selected = option.state & QStyle::State_Selected;
  const QPalette& palette = option.palette;
  DrawRow(painter, option, index, palette.color(selected ? QPalette::Highlight : QPalette::Base),
          palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
}

void EventRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
  const auto* model = qobject_cast<const RowListModel*>(index.model());
  const std::string stored = model ? model->StoredText(index.row()) : std::string();
  const QPalette& palette = option.palette;
  DrawRow(painter, option, index, SituationColour(stored).value_or(palette.color(QPalette::Base)),
          palette.color(QPalette::Text));
}

std::optional<QColor> SituationColour(std::string_view storedRow) {
  if (storedRow.empty()) return std::nullopt;
  switch (storedRow.back()) {
    case '0':
      return QColor(0, 255, 0);
    case '1':
      return QColor(255, 128, 128);
    case '2':
      return QColor(255, 0, 0);
    case '3':
      return QColor(192, 192, 192);
    case '4':
      return QColor(255, 255, 0);
    default:
      return std::nullopt;
  }
}

}  // namespace telvoran
