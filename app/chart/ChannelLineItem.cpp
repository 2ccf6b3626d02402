#include "app/chart/ChannelLineItem.h"

#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace telvoran {
namespace {

constexpr double kDotRadius = 1.5;

}  // namespace

void ChannelLineItem::SetPaths(const QPainterPath& full, const QPainterPath& quick,
                               std::vector<QRectF> quickBars) {
  quickPath_ = quick;
  quickBars_ = std::move(quickBars);
  setPath(full);  // tells the scene of the new bounds and asks for a repaint
}

void ChannelLineItem::SetLine(const std::vector<LinePoint>& points) {
  QPainterPath full;
  QPainterPath quick;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const QPointF at(points[i].x, points[i].y);
    if (points[i].joinsPrevious) {
      full.lineTo(at);
      continue;
    }
    // A value with a gap on either side joins nothing: it is drawn as a dot.
    const bool joinsNext = i + 1 < points.size() && points[i + 1].joinsPrevious;
    if (!joinsNext) {
      full.addEllipse(at, kDotRadius, kDotRadius);
      quick.addEllipse(at, kDotRadius, kDotRadius);
    }
    full.moveTo(at);
  }
  const QuickLine quickLine = QuickLineOf(points);
  for (const LineStep& step : quickLine.steps) {
    if (step.draws) {
      quick.lineTo(step.x, step.y);
    } else {
      quick.moveTo(step.x, step.y);
    }
  }
  std::vector<QRectF> bars;
  bars.reserve(quickLine.bars.size());
  for (const LineBar& bar : quickLine.bars) {
    const double top = std::floor(bar.low);
    bars.emplace_back(bar.column, top, 1, std::floor(bar.high) - top + 1);
  }
  SetPaths(full, quick, std::move(bars));
}

void ChannelLineItem::SetQuick(bool quick) {
  if (quick_ == quick) return;
  quick_ = quick;
  update();
}

QRectF ChannelLineItem::boundingRect() const {
  // Half the pen on each side, and a pixel more for a cosmetic pen under any scale.
  const qreal margin = std::max<qreal>(pen().widthF(), 1) / 2 + 1;
  return path().controlPointRect().adjusted(-margin, -margin, margin, margin);
}

QPainterPath ChannelLineItem::shape() const {
  QPainterPath bounds;
  bounds.addRect(boundingRect());
  return bounds;
}

void ChannelLineItem::paint(QPainter* painter, const QStyleOptionGraphicsItem* option,
                            QWidget* widget) {
  if (!quick_) {
    QGraphicsPathItem::paint(painter, option, widget);
    return;
  }
  painter->setPen(pen());
  painter->setBrush(brush());
  painter->drawPath(quickPath_);
  // A bar a pixel wide is filled a row at a time, far quicker than a stroke is drawn.
  const QColor colour = pen().color();
  for (const QRectF& bar : quickBars_) painter->fillRect(bar, colour);
}

}  // namespace telvoran
