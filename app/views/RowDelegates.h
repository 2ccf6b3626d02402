#pragma once

#include <QColor>
#include <QStyledItemDelegate>

#include <optional>
#include <string_view>

namespace telvoran {

// Draws the rows of a data view: each row's display text at the top left corner of its item, and
// a frame around the current row while the list has the focus, a black and a white line so that
// it shows on every background. Every row is as wide as the widest, so the list's scroll
// range depends on its rows and not on their order.
class RowDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  // The width of the widest row's text, in pixels.
  void SetRowWidth(int width) { rowWidth_ = width; }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 protected:
  static void DrawRow(QPainter* painter, const QStyleOptionViewItem& option,
                      const QModelIndex& index, const QColor& background, const QColor& text);

 private:
  int rowWidth_ = 0;
};

// An interval row on the list's background or, when selected, on the selection colours.
class IntervalRowDelegate : public RowDelegate {
 public:
  using RowDelegate::RowDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
};

// An event row on the colour of its situation, with the window text colour, whether the row is
// selected or not; only the focus frame marks the current row.
class EventRowDelegate : public RowDelegate {
 public:
  using RowDelegate::RowDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
};

// The background of an event row, chosen by the last character of its stored text (the
// colour digit); none for rows drawn on the window background.
std::optional<QColor> SituationColour(std::string_view storedRow);

}  // namespace telvoran
