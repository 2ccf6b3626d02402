#include "app/chart/SpanChartWindow.h"

#include <QCategoryAxis>
#include <QChart>
#include <QEvent>
#include <QGraphicsSceneEvent>
#include <QGraphicsSimpleTextItem>
#include <QHelpEvent>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPainterPath>
#include <QToolTip>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

#include "app/ProgramState.h"
#include "app/QtText.h"
#include "app/chart/ChannelAxes.h"
#include "app/chart/ChannelLineItem.h"
#include "app/chart/LanesItem.h"
#include "app/chart/TimeChartView.h"
#include "core/rows/EventRows.h"
#include "core/text/StringIds.h"

namespace telvoran {
namespace {

const QColor kSeriesColours[] = {QColor(31, 119, 180), QColor(214, 39, 40), QColor(44, 160, 44),
                                 QColor(148, 103, 189), QColor(255, 127, 14), QColor(23, 190, 207)};
constexpr int kLaneHeight = 16;
constexpr int kBandGap = 6;      // between the time axis's labels and the band
constexpr int kBandHeading = 16;  // the band's heading above its lanes

QColor SeriesColour(int series) {
  return kSeriesColours[static_cast<std::size_t>(series) % std::size(kSeriesColours)];
}

}  // namespace

SpanChartWindow::SpanChartWindow(const ProgramState& state, const QString& caption,
                                 SpanEnvelope envelope, AlarmTimeline alarms)
    : ChartWindow(state, caption, new QChart, envelope.FullSpan(), 0),
      envelope_(std::move(envelope)),
      alarms_(std::move(alarms)) {
  Chart()->legend()->setAlignment(Qt::AlignTop);
  std::vector<ChannelAxes::Channel> channels;
  for (int series = 0; series < envelope_.SeriesCount(); ++series)
    channels.push_back({envelope_.Series(series), SeriesLabel(series), SeriesColour(series)});
  axes_ = std::make_unique<ChannelAxes>(
      *Chart(), *TimeAxis(), *PlotArea(), std::move(channels), false, *this,
      [this](int series) { SetSeriesShown(series, !SeriesShown(series)); });
  BuildBand();
  resize(820, 560);
  Complete();
}

SpanChartWindow::~SpanChartWindow() = default;

QString SpanChartWindow::SeriesLabel(int series) const {
  const ChannelInfo& info = envelope_.Series(series);
  QString label = FromCp1250(info.name);
  if (!info.unit.empty()) label += " [" + FromCp1250(info.unit) + "]";
  return label;
}

// The band lies in the chart's bottom margin, below the time axis's labels, so the lines keep
// the whole plot area and the alarms still share its time scale.
void SpanChartWindow::BuildBand() {
  const auto& lanes = alarms_.Lanes();
  if (lanes.empty()) return;
  bandHeading_ = new QGraphicsSimpleTextItem(State().Text(sid::kSpanChartAlarms), Chart());
  const QString channel = State().Text(sid::kChannelColumn);
  for (const Lane& lane : lanes) {
    const QString name =
        lane.key.channel < 32
            ? '#' + QString::number(lane.key.channel)
            : FromCp1250(std::string_view(reinterpret_cast<const char*>(&lane.key.channel), 1));
    laneLabels_.push_back(new QGraphicsSimpleTextItem(channel + ' ' + name, Chart()));
  }
  lanes_ = new LanesItem(alarms_, Chart());
  QMargins margins = Chart()->margins();
  margins.setBottom(margins.bottom() + kBandGap + kBandHeading +
                    kLaneHeight * static_cast<int>(lanes.size()));
  Chart()->setMargins(margins);
  View()->viewport()->installEventFilter(this);
}

void SpanChartWindow::PlaceBand() {
  if (!lanes_) return;
  const QRectF plot = Chart()->plotArea();
  const auto laneCount = static_cast<double>(laneLabels_.size());
  const double bottom = Chart()->size().height() - kBandGap;
  band_ = QRectF(plot.left(), bottom - kLaneHeight * laneCount, plot.width(),
                 kLaneHeight * laneCount);
  bandHeading_->setPos(plot.left(), band_.top() - kBandHeading);
  for (std::size_t i = 0; i < laneLabels_.size(); ++i) {
    QGraphicsSimpleTextItem* label = laneLabels_[i];
    const QRectF size = label->boundingRect();
    label->setPos(plot.left() - size.width() - 4,
                  band_.top() + kLaneHeight * static_cast<double>(i) +
                      (kLaneHeight - size.height()) / 2);
  }
  lanes_->Draw(View()->Window().Visible(), band_);
}

QLineSeries* SpanChartWindow::LegendSeries(int series) const {
  return axes_->Legend(series);
}

bool SpanChartWindow::SeriesShown(int series) const {
  return axes_->Shown(series);
}

void SpanChartWindow::SetSeriesShown(int series, bool shown) {
  axes_->SetShown(series, shown);
  for (QLegendMarker* marker : axes_->Markers(series)) {
    QColor colour = SeriesColour(series);
    if (!shown) colour.setAlpha(60);
    marker->setBrush(colour);
    marker->setPen(QPen(colour));
  }
  Redraw();
}

void SpanChartWindow::Redraw() {
  const TimeSpan visible = View()->Window().Visible();
  const QRectF plot = Chart()->plotArea();
  const int columns = std::max(1, static_cast<int>(plot.width()));
  std::vector<std::vector<EnvelopePoint>> points(static_cast<std::size_t>(axes_->Count()));
  std::vector<ChannelAxes::ValueRange> ranges(points.size());
  for (int series = 0; series < envelope_.SeriesCount(); ++series) {
    if (!SeriesShown(series)) continue;
    const auto at = static_cast<std::size_t>(series);
    points[at] = envelope_.Envelope(series, visible, columns);
    // Only the values inside the visible span count for the axis.
    for (const EnvelopePoint& point : points[at]) {
      if (point.time < visible.from || point.time > visible.to) continue;
      ranges[at].low = std::min(ranges[at].low, point.value);
      ranges[at].high = std::max(ranges[at].high, point.value);
    }
  }
  axes_->Scale(ranges);

  for (int series = 0; series < axes_->Count(); ++series) {
    std::vector<LinePoint> line;
    line.reserve(points[static_cast<std::size_t>(series)].size());
    for (const EnvelopePoint& point : points[static_cast<std::size_t>(series)])
      line.push_back(
          {View()->XOf(point.time), axes_->YOf(series, point.value, plot), point.joinsPrevious});
    axes_->Line(series).SetLine(line);
  }
  PlaceBand();
  HidePointerMarks();
}

std::optional<std::pair<std::size_t, std::size_t>> SpanChartWindow::AlarmAt(
    QPointF chartPosition) const {
  if (!lanes_ || !band_.contains(chartPosition)) return std::nullopt;
  const std::optional<std::size_t> lane = lanes_->LaneAt(chartPosition.y());
  if (!lane) return std::nullopt;
  const std::optional<std::size_t> event =
      alarms_.EventAt(alarms_.Lanes()[*lane], View()->TimeAt(chartPosition.x()));
  if (!event) return std::nullopt;
  return std::pair{*lane, *event};
}

QString SpanChartWindow::AlarmTextAt(QPointF chartPosition) const {
  const auto found = AlarmAt(chartPosition);
  if (!found) return {};
  const Lane& lane = alarms_.Lanes()[found->first];
  const RowText row = EventRow(EventRecordOf(lane.events[found->second]), 1, State().Strings());
  const EventSpan span = alarms_.SpanOf(lane, found->second);
  return FromCp1250(EventDisplayText(row.Text(), 1)) + '\n' + State().Text(sid::kChartLastsUntil) +
         QString::fromStdString(FormatArchiveTime(span.to));
}

bool SpanChartWindow::CentreOnAlarmAt(QPointF chartPosition) {
  const auto found = AlarmAt(chartPosition);
  if (!found) return false;
  const double time = alarms_.Lanes()[found->first].times[found->second];
  const double half = View()->Window().Visible().Length() / 2;
  View()->Show({time - half, time + half});
  return true;
}

// The band lies outside the plot area, where the view's own tips and drags do not reach: its
// tips and clicks are taken here, before the view sees them.
bool SpanChartWindow::eventFilter(QObject* watched, QEvent* event) {
  if (lanes_ && watched == View()->viewport()) {
    auto chartPosition = [this](QPoint viewPosition) {
      return Chart()->mapFromScene(View()->mapToScene(viewPosition));
    };
    if (event->type() == QEvent::ToolTip) {
      const auto* help = static_cast<QHelpEvent*>(event);
      const QPointF at = chartPosition(help->pos());
      if (band_.contains(at)) {
        const QString text = AlarmTextAt(at);
        if (text.isEmpty()) {
          QToolTip::hideText();
        } else {
          QToolTip::showText(help->globalPos(),
                             "<pre style='font-family:\"Courier New\",monospace'>" +
                                 text.toHtmlEscaped() + "</pre>",
                             View());
        }
        return true;
      }
    } else if (event->type() == QEvent::MouseButtonPress) {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::LeftButton && CentreOnAlarmAt(chartPosition(mouse->pos())))
        return true;
    }
  }
  return ChartWindow::eventFilter(watched, event);
}

void SpanChartWindow::DrawForOutput(bool output) {
  axes_->SetCosmetic(!output);
}

void SpanChartWindow::PointerMoved(QPointF, QPoint) {}

void SpanChartWindow::HidePointerMarks() {}

void SpanChartWindow::DrawQuickly(bool quickly) {
  for (int series = 0; series < axes_->Count(); ++series) axes_->Line(series).SetQuick(quickly);
  if (lanes_) lanes_->SetQuick(quickly);
}

}  // namespace telvoran
