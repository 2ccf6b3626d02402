#include "app/chart/SituationKey.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <utility>

namespace telvoran {
namespace {

constexpr double kGap = 12;  // between entries, and between a square and its text

}  // namespace

SituationKey::SituationKey(std::vector<Entry> entries, QFont font, QGraphicsItem* parent)
    : QGraphicsItem(parent), entries_(std::move(entries)), font_(std::move(font)) {}

double SituationKey::LayOut(double width) {
  prepareGeometryChange();
  const QFontMetricsF metrics(font_);
  const double line = metrics.height();
  const double square = metrics.ascent() * 0.8;
  places_.clear();
  double x = 0;
  double y = 0;
  double widest = 0;
  rows_ = entries_.empty() ? 0 : 1;
  for (const Entry& entry : entries_) {
    const double entryWidth = square + kGap / 2 + metrics.horizontalAdvance(entry.text);
    if (x > 0 && x + entryWidth > width) {
      x = 0;
      y += line;
      ++rows_;
    }
    places_.emplace_back(x, y);
    x += entryWidth + kGap;
    widest = std::max(widest, x - kGap);
  }
  size_ = QSizeF(widest, rows_ * line);
  return size_.height();
}

QRectF SituationKey::boundingRect() const {
  return QRectF(QPointF(0, 0), size_);
}

void SituationKey::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
  const QFontMetricsF metrics(font_);
  const double square = metrics.ascent() * 0.8;
  painter->setFont(font_);
  for (std::size_t i = 0; i < entries_.size() && i < places_.size(); ++i) {
    const Entry& entry = entries_[i];
    const QPointF at = places_[i];
    const QRectF box(at.x(), at.y() + (metrics.height() - square) / 2, square, square);
    painter->setPen(entry.outline);
    painter->setBrush(entry.fill);
    painter->drawRect(box);
    painter->setPen(Qt::black);
    painter->drawText(QPointF(box.right() + kGap / 2, at.y() + metrics.ascent()), entry.text);
  }
}

}  // namespace telvoran
