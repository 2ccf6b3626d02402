#pragma once

#include <QGraphicsItem>
#include <QImage>

#include <vector>

#include "core/chart/LaneDrawing.h"

namespace telvoran {

class AlarmTimeline;

// Paints the lanes of an alarm timeline over the plot area: each lane a band whose pixel
// columns are filled in the colours of the situations, a short mark at each event, and a thin
// line between lanes. The drawing of each lane comes from the core, per pixel column. While the
// chart moves, the fills and marks are painted quickly from a picture one pixel per column,
// stretched over the bands, instead of a rectangle and a line at a time.
class LanesItem : public QGraphicsItem {
 public:
  LanesItem(const AlarmTimeline& timeline, QGraphicsItem* parent);

  // Draws `span` into `plot` (chart coordinates), one lane per band from the top.
  void Draw(TimeSpan span, const QRectF& plot);
  // The lane whose band holds the chart coordinate `y`, if any.
  std::optional<std::size_t> LaneAt(double y) const;
  const LaneDrawing& Drawing(std::size_t lane) const { return drawings_[lane]; }
  void SetQuick(bool quick);
  bool Quick() const { return quick_; }

  QRectF boundingRect() const override { return plot_; }
  void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

 private:
  double LaneTop(std::size_t lane) const;
  double LaneHeight() const;
  void PaintInFull(QPainter& painter);
  void PaintQuickly(QPainter& painter);
  // Two rows per lane, a pixel per column: the fills, then the marks.
  void DrawQuickPicture(int columns);

  const AlarmTimeline& timeline_;
  QRectF plot_;
  std::vector<LaneDrawing> drawings_;
  QImage quickPicture_;
  bool quick_ = false;
};

}  // namespace telvoran
