#include "app/chart/LanesItem.h"

#include <QPainter>

#include <cmath>

#include "app/views/RowDelegates.h"
#include "core/chart/AlarmTimeline.h"

namespace telvoran {
namespace {

constexpr double kBandShare = 0.7;  // of a lane's height; the rest keeps the lanes apart
constexpr double kMarkOverhang = 0.12;

}  // namespace

LanesItem::LanesItem(const AlarmTimeline& timeline, QGraphicsItem* parent)
    : QGraphicsItem(parent), timeline_(timeline) {}

void LanesItem::Draw(TimeSpan span, const QRectF& plot) {
  prepareGeometryChange();
  plot_ = plot;
  drawings_.clear();
  const int columns = std::max(1, static_cast<int>(std::ceil(plot.width())));
  for (const Lane& lane : timeline_.Lanes())
    drawings_.push_back(DrawLane(timeline_, lane, span, columns));
  update();
}

std::optional<std::size_t> LanesItem::LaneAt(double y) const {
  if (drawings_.empty() || y < plot_.top() || y >= plot_.bottom()) return std::nullopt;
  const auto lane = static_cast<std::size_t>((y - plot_.top()) / LaneHeight());
  if (lane >= drawings_.size()) return std::nullopt;
  return lane;
}

double LanesItem::LaneHeight() const {
  return drawings_.empty() ? 0 : plot_.height() / static_cast<double>(drawings_.size());
}

double LanesItem::LaneTop(std::size_t lane) const {
  return plot_.top() + LaneHeight() * static_cast<double>(lane);
}

void LanesItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
  const double height = LaneHeight();
  const double band = height * kBandShare;
  const QPen markPen(QColor(40, 40, 40), 1);
  const QPen separatorPen(QColor(200, 200, 200), 1);
  for (std::size_t lane = 0; lane < drawings_.size(); ++lane) {
    const double top = LaneTop(lane) + (height - band) / 2;
    const LaneDrawing& drawing = drawings_[lane];
    for (const LaneRun& run : drawing.runs) {
      const QRectF rect(plot_.left() + run.firstColumn, top, run.lastColumn - run.firstColumn + 1,
                        band);
      const char digit[] = {run.colourDigit};
      const std::optional<QColor> colour = SituationColour(std::string_view(digit, 1));
      if (colour) {
        painter->fillRect(rect, *colour);
      } else {
        // O, F and unknown codes: the window background, as in the rows, within an outline.
        painter->setPen(separatorPen);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(rect.adjusted(0, 0, -1, 0));
      }
    }
    painter->setPen(markPen);
    const double overhang = height * kMarkOverhang;
    for (int column : drawing.markColumns) {
      const double x = plot_.left() + column + 0.5;
      painter->drawLine(QPointF(x, top - overhang), QPointF(x, top + band + overhang));
    }
    if (lane > 0) {
      painter->setPen(separatorPen);
      painter->drawLine(QPointF(plot_.left(), LaneTop(lane)),
                        QPointF(plot_.right(), LaneTop(lane)));
    }
  }
}

}  // namespace telvoran
