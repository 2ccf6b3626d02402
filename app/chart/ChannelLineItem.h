#pragma once

#include <QGraphicsPathItem>

#include <vector>

#include "core/chart/QuickLine.h"

namespace telvoran {

// A channel's line: a path item painted exactly as Qt's own at rest, and from a lighter path
// of the same shape while the chart moves. Its bounds come from the path's points: Qt's own
// item finds the bounds of a path drawn with a pen of some width by stroking the whole path
// into an outline first, which for the thousands of turns of an envelope costs more than
// drawing it; the line never takes mouse clicks, so its outline is never needed.
class ChannelLineItem : public QGraphicsPathItem {
 public:
  explicit ChannelLineItem(QGraphicsItem* parent) : QGraphicsPathItem(parent) {}

  // The full line and its quick form (see QuickLine): the strokes and the filled pixel
  // columns, all in this item's coordinates.
  void SetPaths(const QPainterPath& full, const QPainterPath& quick,
                std::vector<QRectF> quickBars = {});
  // Both paths of the line through `points`: a point joined to neither neighbour is a dot.
  void SetLine(const std::vector<LinePoint>& points);
  // Paints the quick form from now on, or the full line again.
  void SetQuick(bool quick);
  bool Quick() const { return quick_; }

  QRectF boundingRect() const override;
  QPainterPath shape() const override;
  void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

 private:
  QPainterPath quickPath_;
  std::vector<QRectF> quickBars_;
  bool quick_ = false;
};

}  // namespace telvoran
