#include "app/views/RowDelegates.h"

#include <QApplication>
#include <QPainter>

#include <optional>

#include "app/views/DataView.h"
#include "app/views/RowListModel.h"

namespace telvoran {
namespace {

void DrawRowText(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index,
                 const QColor& background, const QColor& text) {
  painter->fillRect(option.rect, background);
  painter->setPen(text);
  painter->setFont(option.font);
  painter->drawText(option.rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                    index.data(Qt::DisplayRole).toString());
}

void DrawFocusFrame(QPainter* painter, const QStyleOptionViewItem& option) {
  if (!(option.state & QStyle::State_HasFocus)) return;
  QStyleOptionFocusRect focus;
  focus.QStyleOption::operator=(option);
  focus.backgroundColor = option.palette.color(QPalette::Base);
  const QWidget* widget = option.widget;
  QStyle* style = widget ? widget->style() : QApplication::style();
  style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
}

}  // namespace

void IntervalRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
  const bool selected = option.state & QStyle::State_Selected;
  const QPalette& palette = option.palette;
  DrawRowText(painter, option, index,
              palette.color(selected ? QPalette::Highlight : QPalette::Base),
              palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
  DrawFocusFrame(painter, option);
}

QSize IntervalRowDelegate::sizeHint(const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
  const int width = option.fontMetrics.horizontalAdvance(index.data(Qt::DisplayRole).toString());
  return {width + 2, DataView::kItemHeight};
}

void EventRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
  const auto* model = qobject_cast<const RowListModel*>(index.model());
  const std::string stored = model ? model->StoredText(index.row()) : std::string();
  const QPalette& palette = option.palette;
  DrawRowText(painter, option, index,
              SituationColour(stored).value_or(palette.color(QPalette::Base)),
              palette.color(QPalette::Text));
  DrawFocusFrame(painter, option);
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
