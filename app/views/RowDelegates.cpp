#include "app/views/RowDelegates.h"

#include <QPainter>

#include <optional>
#include <utility>

#include "app/views/DataView.h"
#include "app/views/RowListModel.h"

namespace telvoran {
namespace {

// A two-line frame inside the row, the same in both kinds of view: black outside, white inside,
// so that one of the two lines stands out on every row colour and on the selection. Both lines
// are whole logical pixels, so the frame keeps its weight at any screen scale. The platform's own
// focus frame is not used: some styles draw it only after the focus came by the Tab key, or in a
// colour that vanishes on a situation colour.
void DrawFocusFrame(QPainter* painter, const QStyleOptionViewItem& option) {
  if (!(option.state & QStyle::State_HasFocus)) return;
  painter->save();
  painter->setRenderHint(QPainter::Antialiasing, false);
  const QRect outer = option.rect;
  const QRect inner = outer.adjusted(1, 1, -1, -1);
  for (const auto& [rect, colour] : {std::pair{outer, Qt::black}, std::pair{inner, Qt::white}}) {
    painter->fillRect(rect.left(), rect.top(), rect.width(), 1, colour);
    painter->fillRect(rect.left(), rect.bottom(), rect.width(), 1, colour);
    painter->fillRect(rect.left(), rect.top(), 1, rect.height(), colour);
    painter->fillRect(rect.right(), rect.top(), 1, rect.height(), colour);
  }
  painter->restore();
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
