#pragma once

#include <QColor>
#include <QStyledItemDelegate>

#include <optional>
#include <string_view>

namespace telvoran {

// Draws a row's display text at the top left corner of its item, on the list's background or,
// when selected, on the selection colours; the focused row gets a focus frame.
class IntervalRowDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

// Draws an event row on the colour of its situation, with the window text colour, whether the
// row is selected or not; only the focus frame marks the current row.
class EventRowDelegate : public IntervalRowDelegate {
 public:
  using IntervalRowDelegate::IntervalRowDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
};

// The background of an event row, chosen by the last character of its stored text (the
// colour digit); none for rows drawn on the window background.
std::optional<QColor> SituationColour(std::string_view storedRow);

}  // namespace telvoran
