#include "app/chart/ChannelLineItem.h"

#include <QPainter>
#include <QPen>

#include <algorithm>

namespace telvoran {

void ChannelLineItem::SetPaths(const QPainterPath& full, const QPainterPath& quick,
                               std::vector<QRectF> quickBars) {
  quickPath_ = quick;
  quickBars_ = std::move(quickBars);
  setPath(full);  // tells the scene of the new bounds and asks for a repaint
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
