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
#include "app/chart/ChannelLineItem.h"
#include "app/chart/LanesItem.h"
#include "app/chart/TimeChartView.h"
#include "core/chart/NiceScale.h"
#include "core/chart/QuickLine.h"
#include "core/rows/EventRows.h"
#include "core/text/StringIds.h"

namespace telvoran {
namespace {

const QColor kSeriesColours[] = {QColor(31, 119, 180), QColor(214, 39, 40), QColor(44, 160, 44),
                                 QColor(148, 103, 189), QColor(255, 127, 14), QColor(23, 190, 207)};
constexpr double kDotRadius = 1.5;
constexpr double kAxisPadding = 0.05;
constexpr int kAxisTicks = 7;
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
  BuildAxesAndLegend();
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

void SpanChartWindow::BuildAxesAndLegend() {
  for (int series = 0; series < envelope_.SeriesCount(); ++series) {
    const std::string& unit = envelope_.Series(series).unit;
    auto shared = std::find_if(axes_.begin(), axes_.end(), [&](const UnitAxis& axis) {
      return envelope_.Series(axis.series.front()).unit == unit;
    });
    if (shared == axes_.end()) shared = axes_.insert(axes_.end(), UnitAxis{new QValueAxis, {}});
    shared->series.push_back(series);

    SeriesDrawing drawing;
    drawing.axis = static_cast<int>(shared - axes_.begin());
    drawing.legend = new QLineSeries;
    drawing.legend->setName(SeriesLabel(series));
    drawing.legend->setPen(QPen(SeriesColour(series), 2));
    drawing.line = new ChannelLineItem(PlotArea());
    QPen pen(SeriesColour(series), 1);
    pen.setCosmetic(true);
    drawing.line->setPen(pen);
    series_.push_back(drawing);
  }
  for (std::size_t i = 0; i < axes_.size(); ++i) {
    UnitAxis& unit = axes_[i];
    QStringList names;
    int decimals = 0;
    for (int series : unit.series) {
      names << FromCp1250(envelope_.Series(series).name);
      decimals = std::max(decimals, envelope_.Series(series).decimals);
    }
    const QString unitText = FromCp1250(envelope_.Series(unit.series.front()).unit);
    unit.axis->setTitleText(names.join(", ") + (unitText.isEmpty() ? "" : " [" + unitText + "]"));
    unit.axis->setLabelFormat("%." + QString::number(decimals) + "f");
    Chart()->addAxis(unit.axis, i % 2 == 0 ? Qt::AlignLeft : Qt::AlignRight);
  }
  for (int series = 0; series < envelope_.SeriesCount(); ++series) {
    SeriesDrawing& drawing = series_[static_cast<std::size_t>(series)];
    Chart()->addSeries(drawing.legend);
    drawing.legend->attachAxis(TimeAxis());
    drawing.legend->attachAxis(axes_[static_cast<std::size_t>(drawing.axis)].axis);
    for (QLegendMarker* marker : Chart()->legend()->markers(drawing.legend))
      connect(marker, &QLegendMarker::clicked, this,
              [this, series] { SetSeriesShown(series, !SeriesShown(series)); });
  }
  ShowAxes();
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
  return series_.at(static_cast<std::size_t>(series)).legend;
}

bool SpanChartWindow::SeriesShown(int series) const {
  return LegendSeries(series)->isVisible();
}

void SpanChartWindow::SetSeriesShown(int series, bool shown) {
  LegendSeries(series)->setVisible(shown);
  for (QLegendMarker* marker : Chart()->legend()->markers(LegendSeries(series))) {
    marker->setVisible(true);
    QColor colour = SeriesColour(series);
    if (!shown) colour.setAlpha(60);
    marker->setBrush(colour);
    marker->setPen(QPen(colour));
  }
  series_[static_cast<std::size_t>(series)].line->setVisible(shown);
  ShowAxes();
  Redraw();
}

void SpanChartWindow::ShowAxes() {
  bool gridDrawn = false;
  for (UnitAxis& unit : axes_) {
    const bool shown = std::any_of(unit.series.begin(), unit.series.end(),
                                   [this](int series) { return SeriesShown(series); });
    unit.axis->setVisible(shown);
    unit.axis->setGridLineVisible(shown && !gridDrawn);
    unit.axis->setMinorGridLineVisible(false);
    gridDrawn = gridDrawn || shown;
  }
}

void SpanChartWindow::Redraw() {
  const TimeSpan visible = View()->Window().Visible();
  const QRectF plot = Chart()->plotArea();
  const int columns = std::max(1, static_cast<int>(plot.width()));
  std::vector<std::vector<EnvelopePoint>> points(series_.size());
  for (int series = 0; series < envelope_.SeriesCount(); ++series)
    if (SeriesShown(series))
      points[static_cast<std::size_t>(series)] = envelope_.Envelope(series, visible, columns);

  // Each axis spans its shown series' values in the visible span, with a little room.
  for (UnitAxis& unit : axes_) {
    double low = INFINITY;
    double high = -INFINITY;
    for (int series : unit.series)
      for (const EnvelopePoint& point : points[static_cast<std::size_t>(series)]) {
        if (point.time < visible.from || point.time > visible.to) continue;
        low = std::min(low, point.value);
        high = std::max(high, point.value);
      }
    if (low > high) continue;
    const double room = (high - low) * kAxisPadding;
    const AxisScale scale = NiceScale(low - room, high + room, kAxisTicks);
    if (unit.axis->min() != scale.minimum || unit.axis->max() != scale.maximum)
      unit.axis->setRange(scale.minimum, scale.maximum);
    if (unit.axis->tickCount() != scale.ticks) unit.axis->setTickCount(scale.ticks);
  }

  for (std::size_t series = 0; series < series_.size(); ++series) {
    SeriesDrawing& drawing = series_[series];
    const QValueAxis* axis = axes_[static_cast<std::size_t>(drawing.axis)].axis;
    const double low = axis->min();
    const double range = axis->max() - axis->min();
    std::vector<LinePoint> line;
    line.reserve(points[series].size());
    for (const EnvelopePoint& point : points[series])
      line.push_back({View()->XOf(point.time),
                      range > 0 ? plot.bottom() - (point.value - low) / range * plot.height()
                                : plot.center().y(),
                      point.joinsPrevious});
    QPainterPath full;
    QPainterPath quick;
    for (std::size_t i = 0; i < line.size(); ++i) {
      const QPointF at(line[i].x, line[i].y);
      if (line[i].joinsPrevious) {
        full.lineTo(at);
        continue;
      }
      // A value with a break on either side joins nothing: it is drawn as a dot.
      if (i + 1 >= line.size() || !line[i + 1].joinsPrevious) {
        full.addEllipse(at, kDotRadius, kDotRadius);
        quick.addEllipse(at, kDotRadius, kDotRadius);
      }
      full.moveTo(at);
    }
    const QuickLine quickLine = QuickLineOf(line);
    for (const LineStep& step : quickLine.steps) {
      if (step.draws) {
        quick.lineTo(step.x, step.y);
      } else {
        quick.moveTo(step.x, step.y);
      }
    }
    std::vector<QRectF> bars;
    for (const LineBar& bar : quickLine.bars) {
      const double top = std::floor(bar.low);
      bars.emplace_back(bar.column, top, 1, std::floor(bar.high) - top + 1);
    }
    drawing.line->SetPaths(full, quick, std::move(bars));
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
  for (SeriesDrawing& drawing : series_) {
    QPen pen = drawing.line->pen();
    pen.setCosmetic(!output);
    drawing.line->setPen(pen);
  }
}

void SpanChartWindow::PointerMoved(QPointF, QPoint) {}

void SpanChartWindow::HidePointerMarks() {}

void SpanChartWindow::DrawQuickly(bool quickly) {
  for (SeriesDrawing& drawing : series_) drawing.line->SetQuick(quickly);
  if (lanes_) lanes_->SetQuick(quickly);
}

}  // namespace telvoran
