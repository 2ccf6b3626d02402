#include "app/chart/LanesItem.h"

#include <QPainter>

#include <cmath>
#include <utility>

#include "app/views/RowDelegates.h"
#include "core/chart/AlarmTimeline.h"

namespace telvoran {
namespace {

constexpr double kBandShare = 0.7;  // of a lane's height; the rest keeps the lanes apart
constexpr double kMarkOverhang = 0.12;
const QColor kMarkColour(40, 40, 40);
const QColor kSeparatorColour(200, 200, 200);
// Columns a mark keeps clear on each side: two columns of colour between marks stay visible.
constexpr int kMarkGap = 3;

}  // namespace

LanesItem::LanesItem(const AlarmTimeline& timeline, QGraphicsItem* parent)
    : QGraphicsItem(parent), timeline_(timeline) {}

void LanesItem::Draw(TimeSpan span, const QRectF& plot) {
  prepareGeometryChange();
  plot_ = plot;
  drawings_.clear();
  const int columns = std::max(1, static_cast<int>(std::ceil(plot.width())));
  for (const Lane& lane : timeline_.Lanes()) {
    LaneDrawing drawing = DrawLane(timeline_, lane, span, columns);
    drawing.markColumns = ClearMarks(drawing.markColumns, kMarkGap);
    drawings_.push_back(std::move(drawing));
  }
  DrawQuickPicture(columns);
  update();
}

void LanesItem::SetQuick(bool quick) {
  if (quick_ == quick) return;
  quick_ = quick;
  update();
}

void LanesItem::DrawQuickPicture(int columns) {
  const auto lanes = static_cast<int>(drawings_.size());
  if (quickPicture_.width() != columns || quickPicture_.height() != 2 * lanes)
    quickPicture_ = QImage(columns, std::max(1, 2 * lanes), QImage::Format_ARGB32_Premultiplied);
  quickPicture_.fill(Qt::transparent);
  const QRgb mark = kMarkColour.rgba();
  for (int lane = 0; lane < lanes; ++lane) {
    const LaneDrawing& drawing = drawings_[static_cast<std::size_t>(lane)];
    auto* fills = reinterpret_cast<QRgb*>(quickPicture_.scanLine(2 * lane));
    for (const LaneRun& run : drawing.runs) {
      const char digit[] = {run.colourDigit};
      // Runs on the window background are outlined, a rectangle at a time, in either form.
      if (const std::optional<QColor> colour = SituationColour(std::string_view(digit, 1)))
        std::fill(fills + run.firstColumn, fills + run.lastColumn + 1, colour->rgba());
    }
    auto* marks = reinterpret_cast<QRgb*>(quickPicture_.scanLine(2 * lane + 1));
    for (int column : drawing.markColumns) marks[column] = mark;
  }
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
  if (quick_) {
    PaintQuickly(*painter);
  } else {
    PaintInFull(*painter);
  }
}

void LanesItem::PaintQuickly(QPainter& painter) {
  const double height = LaneHeight();
  const double band = height * kBandShare;
  const double overhang = height * kMarkOverhang;
  const qreal width = quickPicture_.width();
  painter.setPen(QPen(kSeparatorColour, 1));
  painter.setBrush(Qt::NoBrush);
  for (std::size_t lane = 0; lane < drawings_.size(); ++lane) {
    const double top = LaneTop(lane) + (height - band) / 2;
    const auto row = static_cast<qreal>(2 * lane);
    for (const LaneRun& run : drawings_[lane].runs) {
      const char digit[] = {run.colourDigit};
      if (!SituationColour(std::string_view(digit, 1)))
        painter.drawRect(
            QRectF(plot_.left() + run.firstColumn, top, run.lastColumn - run.firstColumn + 1, band)
                .adjusted(0, 0, -1, 0));
    }
    painter.drawImage(QRectF(plot_.left(), top, width, band), quickPicture_,
                      QRectF(0, row, width, 1));
    painter.drawImage(QRectF(plot_.left(), top - overhang, width, band + 2 * overhang),
                      quickPicture_, QRectF(0, row + 1, width, 1));
    if (lane > 0)
      painter.drawLine(QPointF(plot_.left(), LaneTop(lane)), QPointF(plot_.right(), LaneTop(lane)));
  }
}

void LanesItem::PaintInFull(QPainter& painter) {
  const double height = LaneHeight();
  const double band = height * kBandShare;
  const QPen markPen(kMarkColour, 1);
  const QPen separatorPen(kSeparatorColour, 1);
  for (std::size_t lane = 0; lane < drawings_.size(); ++lane) {
    const double top = LaneTop(lane) + (height - band) / 2;
    const LaneDrawing& drawing = drawings_[lane];
    for (const LaneRun& run : drawing.runs) {
      const QRectF rect(plot_.left() + run.firstColumn, top, run.lastColumn - run.firstColumn + 1,
                        band);
      const char digit[] = {run.colourDigit};
      const std::optional<QColor> colour = SituationColour(std::string_view(digit, 1));
      if (colour) {
        painter.fillRect(rect, *colour);
      } else {
        // O, F and unknown codes: the window background, as in the rows, within an outline.
        painter.setPen(separatorPen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect.adjusted(0, 0, -1, 0));
      }
    }
    painter.setPen(markPen);
    const double overhang = height * kMarkOverhang;
    for (int column : drawing.markColumns) {
      const double x = plot_.left() + column + 0.5;
      painter.drawLine(QPointF(x, top - overhang), QPointF(x, top + band + overhang));
    }
    if (lane > 0) {
      painter.setPen(separatorPen);
      painter.drawLine(QPointF(plot_.left(), LaneTop(lane)), QPointF(plot_.right(), LaneTop(lane)));
    }
  }
}

}  // namespace telvoran
