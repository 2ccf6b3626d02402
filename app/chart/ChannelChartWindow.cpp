#include "app/chart/ChannelChartWindow.h"

#include <QCategoryAxis>
#include <QChart>
#include <QGraphicsLineItem>
#include <QGraphicsPathItem>
#include <QGraphicsSimpleTextItem>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainterPath>
#include <QResizeEvent>
#include <QScrollArea>
#include <QSplitter>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

#include "app/ProgramState.h"
#include "app/QtText.h"
#include "app/chart/ChannelLineItem.h"
#include "app/chart/StatisticsTable.h"
#include "app/chart/TimeChartView.h"
#include "core/chart/ChannelEnvelope.h"
#include "core/chart/ChannelStatistics.h"
#include "core/chart/ChannelValue.h"
#include "core/chart/NiceScale.h"
#include "core/chart/QuickLine.h"

namespace telvoran {
namespace {

const QColor kChannelColours[] = {QColor(31, 119, 180), QColor(214, 39, 40), QColor(44, 160, 44),
                                  QColor(148, 103, 189)};
constexpr double kLineWidth = 1;
constexpr double kDotRadius = 1.5;
constexpr double kAxisPadding = 0.05;  // of the values' range, above and below
constexpr int kAxisTicks = 7;
constexpr qreal kCursorZ = 6;  // above the legend
constexpr int kCursorGap = 6;

QColor ChannelColour(int channel) {
  return kChannelColours[static_cast<std::size_t>(channel) % std::size(kChannelColours)];
}

}  // namespace

ChannelChartWindow::ChannelChartWindow(const ProgramState& state, const QString& caption,
                                       IntervalSeries series)
    : ChartWindow(state, caption, new QChart, series.FullSpan(), series.RecordsWithoutTime()),
      series_(std::move(series)) {
  Chart()->legend()->setAlignment(Qt::AlignTop);
  BuildAxesAndLegend();

  cursorLine_ = new QGraphicsLineItem(Chart());
  cursorLine_->setPen(QPen(QColor(80, 80, 80), 1, Qt::DashLine));
  cursorBox_ = new QGraphicsRectItem(Chart());
  cursorBox_->setBrush(QColor(255, 255, 255, 230));
  cursorBox_->setPen(QPen(QColor(120, 120, 120)));
  cursorText_ = new QGraphicsSimpleTextItem(cursorBox_);
  for (QGraphicsItem* item :
       {static_cast<QGraphicsItem*>(cursorLine_), static_cast<QGraphicsItem*>(cursorBox_)}) {
    item->setZValue(kCursorZ);
    item->hide();
  }
  resize(760, 520);
  Complete();
}

ChannelChartWindow::~ChannelChartWindow() = default;

void ChannelChartWindow::BuildAxesAndLegend() {
  for (int channel = 0; channel < series_.ChannelCount(); ++channel) {
    const std::string& unit = series_.Channel(channel).unit;
    auto shared = std::find_if(axes_.begin(), axes_.end(), [&](const UnitAxis& axis) {
      return series_.Channel(axis.channels.front()).unit == unit;
    });
    if (shared == axes_.end()) shared = axes_.insert(axes_.end(), UnitAxis{new QValueAxis, {}});
    shared->channels.push_back(channel);

    ChannelDrawing drawing;
    drawing.axis = static_cast<int>(shared - axes_.begin());
    drawing.legend = new QLineSeries;
    drawing.legend->setName(ChannelLabel(channel));
    drawing.legend->setPen(QPen(ChannelColour(channel), 2));
    drawing.line = new ChannelLineItem(PlotArea());
    // A cosmetic pen of one pixel is drawn line by line; a wider one is stroked into a polygon
    // first, which costs seconds for the thousands of turns of an envelope.
    QPen pen(ChannelColour(channel), kLineWidth);
    pen.setCosmetic(true);
    drawing.line->setPen(pen);
    channels_.push_back(drawing);
  }

  for (std::size_t i = 0; i < axes_.size(); ++i) {
    UnitAxis& unit = axes_[i];
    QStringList names;
    int decimals = 0;
    for (int channel : unit.channels) {
      names << FromCp1250(series_.Channel(channel).name);
      decimals = std::max(decimals, series_.Channel(channel).decimals);
    }
    const QString unitText = FromCp1250(series_.Channel(unit.channels.front()).unit);
    unit.axis->setTitleText(names.join(", ") + (unitText.isEmpty() ? "" : " [" + unitText + "]"));
    unit.axis->setLabelFormat("%." + QString::number(decimals) + "f");
    if (unit.channels.size() == 1) {
      const QColor colour = ChannelColour(unit.channels.front());
      unit.axis->setLinePenColor(colour);
      unit.axis->setLabelsColor(colour);
    }
    // Axes alternate between the left and the right side.
    Chart()->addAxis(unit.axis, i % 2 == 0 ? Qt::AlignLeft : Qt::AlignRight);
  }

  for (int channel = 0; channel < series_.ChannelCount(); ++channel) {
    ChannelDrawing& drawing = channels_[static_cast<std::size_t>(channel)];
    Chart()->addSeries(drawing.legend);
    drawing.legend->attachAxis(TimeAxis());
    drawing.legend->attachAxis(axes_[static_cast<std::size_t>(drawing.axis)].axis);
    for (QLegendMarker* marker : Chart()->legend()->markers(drawing.legend)) {
      connect(marker, &QLegendMarker::clicked, this,
              [this, channel] { SetChannelShown(channel, !ChannelShown(channel)); });
      drawing.markerLook = {marker->pen(), marker->brush(), marker->labelBrush()};
    }
  }
  ShowAxes();
}

QString ChannelChartWindow::ChannelLabel(int channel) const {
  const ChannelInfo& info = series_.Channel(channel);
  QString label = QString::number(channel + 1) + ' ' + FromCp1250(info.name);
  if (!info.unit.empty()) label += " [" + FromCp1250(info.unit) + "]";
  return label;
}

void ChannelChartWindow::PlaceView(QVBoxLayout& column, TimeChartView& view) {
  // Below this the axes' labels give way to dots and the lines to a smear; a window too low for
  // it, tiled among several, scrolls instead.
  view.setMinimumHeight(kChartMinimumHeight);
  auto* splitter = new QSplitter(Qt::Vertical);
  splitter->addWidget(&view);
  table_ = new StatisticsTable(State(), series_.ChannelCount());
  for (int channel = 0; channel < series_.ChannelCount(); ++channel)
    table_->SetChannel(channel, ChannelLabel(channel), ChannelColour(channel));
  splitter->addWidget(table_);
  table_->setMaximumHeight(table_->sizeHint().height());
  splitter->setStretchFactor(0, 1);
  splitter->setStretchFactor(1, 0);
  splitter->setCollapsible(0, false);
  auto* scroll = new QScrollArea;
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidget(splitter);
  scroll->viewport()->installEventFilter(this);
  statisticsRoom_ = scroll->viewport();
  column.addWidget(scroll, 1);
}

// The statistics table folds away only when the chart at its least and the table do not both fit.
bool ChannelChartWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == statisticsRoom_ && event->type() == QEvent::Resize) {
    const auto* splitter = qobject_cast<QSplitter*>(table_->parentWidget());
    const int needed = View()->minimumHeight() + (splitter ? splitter->handleWidth() : 0) +
                       table_->sizeHint().height();
    table_->setVisible(static_cast<QResizeEvent*>(event)->size().height() >= needed);
  }
  return ChartWindow::eventFilter(watched, event);
}

// On the screen the lines are one pixel of the screen, whatever the zoom, and drawn fast so; in
// a picture or on paper they are as wide as on the screen, in the chart's own pixels.
void ChannelChartWindow::DrawForOutput(bool output) {
  for (ChannelDrawing& drawing : channels_) {
    QPen pen = drawing.line->pen();
    pen.setCosmetic(!output);
    drawing.line->setPen(pen);
  }
}

QLineSeries* ChannelChartWindow::LegendSeries(int channel) const {
  return channels_.at(static_cast<std::size_t>(channel)).legend;
}

const ChannelLineItem& ChannelChartWindow::Line(int channel) const {
  return *channels_.at(static_cast<std::size_t>(channel)).line;
}

QValueAxis* ChannelChartWindow::AxisOf(int channel) const {
  return axes_.at(static_cast<std::size_t>(channels_.at(static_cast<std::size_t>(channel)).axis))
      .axis;
}

bool ChannelChartWindow::ChannelShown(int channel) const {
  return LegendSeries(channel)->isVisible();
}

void ChannelChartWindow::SetChannelShown(int channel, bool shown) {
  QLineSeries* legend = LegendSeries(channel);
  legend->setVisible(shown);
  // Hiding a series hides its legend marker too; the marker stays, greyed, to show it again,
  // and shown again it looks as it did at first, in the window as in exports and printouts.
  const ChannelDrawing& drawing = channels_[static_cast<std::size_t>(channel)];
  for (QLegendMarker* marker : Chart()->legend()->markers(legend)) {
    marker->setVisible(true);
    if (shown) {
      marker->setPen(drawing.markerLook.pen);
      marker->setBrush(drawing.markerLook.brush);
      marker->setLabelBrush(drawing.markerLook.labelBrush);
      continue;
    }
    marker->setLabelBrush(palette().color(QPalette::Disabled, QPalette::WindowText));
    QColor colour = ChannelColour(channel);
    colour.setAlpha(60);
    marker->setBrush(colour);
    marker->setPen(QPen(colour));
  }
  drawing.line->setVisible(shown);
  ShowAxes();
  Redraw();
}

// An axis shows while one of its channels does, and only the first axis shown draws the grid:
// two axes' grids at different steps were a mesh.
void ChannelChartWindow::ShowAxes() {
  bool gridDrawn = false;
  for (UnitAxis& unit : axes_) {
    const bool shown = std::any_of(unit.channels.begin(), unit.channels.end(),
                                   [this](int channel) { return ChannelShown(channel); });
    unit.axis->setVisible(shown);
    unit.axis->setGridLineVisible(shown && !gridDrawn);
    unit.axis->setMinorGridLineVisible(false);
    gridDrawn = gridDrawn || shown;
  }
}

void ChannelChartWindow::Redraw() {
  const TimeSpan visible = View()->Window().Visible();
  std::vector<ChannelStatistics> statistics;
  for (int channel = 0; channel < series_.ChannelCount(); ++channel) {
    statistics.push_back(StatisticsOver(series_, channel, visible));
    table_->Show(channel, statistics.back(), series_.Channel(channel), ChannelShown(channel));
  }
  for (UnitAxis& unit : axes_) ScaleAxis(unit, statistics);
  for (int channel = 0; channel < series_.ChannelCount(); ++channel) DrawChannel(channel);
  HidePointerMarks();
}

// The axis spans the shown channels' values in the visible span, with a little room above and
// below; with nothing to show it keeps its range.
void ChannelChartWindow::ScaleAxis(UnitAxis& unit,
                                   const std::vector<ChannelStatistics>& statistics) {
  double low = INFINITY;
  double high = -INFINITY;
  for (int channel : unit.channels) {
    const ChannelStatistics& s = statistics[static_cast<std::size_t>(channel)];
    if (s.count == 0 || !ChannelShown(channel)) continue;
    low = std::min(low, s.minimum);
    high = std::max(high, s.maximum);
  }
  if (low > high) return;
  const double room = (high - low) * kAxisPadding;
  const AxisScale scale = NiceScale(low - room, high + room, kAxisTicks);
  // Only a change is set: each one lays the chart out anew.
  if (unit.axis->min() != scale.minimum || unit.axis->max() != scale.maximum)
    unit.axis->setRange(scale.minimum, scale.maximum);
  if (unit.axis->tickCount() != scale.ticks) unit.axis->setTickCount(scale.ticks);
}

void ChannelChartWindow::DrawChannel(int channel) {
  ChannelDrawing& drawing = channels_[static_cast<std::size_t>(channel)];
  if (!ChannelShown(channel)) {
    drawing.line->SetPaths(QPainterPath(), QPainterPath());
    return;
  }
  const QRectF plot = Chart()->plotArea();
  const QValueAxis* axis = axes_[static_cast<std::size_t>(drawing.axis)].axis;
  const double low = axis->min();
  const double range = axis->max() - axis->min();
  auto yOf = [&](double value) {
    return range > 0 ? plot.bottom() - (value - low) / range * plot.height() : plot.center().y();
  };

  const std::vector<EnvelopePoint> envelope = ChannelEnvelope(
      series_, channel, View()->Window().Visible(), std::max(1, static_cast<int>(plot.width())));
  std::vector<LinePoint> points;
  points.reserve(envelope.size());
  for (const EnvelopePoint& point : envelope)
    points.push_back({View()->XOf(point.time), yOf(point.value), point.joinsPrevious});

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
  drawing.line->SetPaths(full, quick, std::move(bars));
}

void ChannelChartWindow::PointerMoved(QPointF chartPosition, QPoint) {
  if (!Chart()->plotArea().contains(chartPosition)) {
    HidePointerMarks();
    return;
  }
  ShowCursorAt(View()->TimeAt(chartPosition.x()));
}

void ChannelChartWindow::ShowCursorAt(double time) {
  const std::optional<std::size_t> record = NearestRecord(series_, time);
  if (!record) return;
  const ArchiveSeconds recordTime = series_.Times()[*record];
  QStringList lines{QString::fromStdString(FormatArchiveTime(recordTime))};
  for (int channel = 0; channel < series_.ChannelCount(); ++channel) {
    if (!ChannelShown(channel)) continue;
    const ChannelInfo& info = series_.Channel(channel);
    const float value = series_.Values(channel)[*record];
    const QString number =
        std::isnan(value)
            ? QStringLiteral("\u2014")
            : QString::fromStdString(FormatChannelNumber(value, info.decimals, info.comma));
    lines << FromCp1250(info.name) + ": " + number + ' ' + FromCp1250(info.unit);
  }
  cursorText_->setText(lines.join('\n'));

  const QRectF plot = Chart()->plotArea();
  const double x = View()->XOf(static_cast<double>(recordTime));
  cursorLine_->setLine(x, plot.top(), x, plot.bottom());
  const QRectF text = cursorText_->boundingRect();
  double left = x + kCursorGap;
  if (left + text.width() + 2 * kCursorGap > plot.right())
    left = x - kCursorGap - text.width() - 2 * kCursorGap;
  cursorBox_->setRect(0, 0, text.width() + 2 * kCursorGap, text.height() + kCursorGap);
  cursorBox_->setPos(left, plot.top() + kCursorGap);
  cursorText_->setPos(kCursorGap, kCursorGap / 2.0);
  cursorLine_->setVisible(x >= plot.left() && x <= plot.right());
  cursorBox_->show();
}

QString ChannelChartWindow::CursorText() const {
  return cursorBox_->isVisible() ? cursorText_->text() : QString();
}

void ChannelChartWindow::DrawQuickly(bool quickly) {
  for (ChannelDrawing& drawing : channels_) drawing.line->SetQuick(quickly);
}

void ChannelChartWindow::HidePointerMarks() {
  cursorLine_->hide();
  cursorBox_->hide();
}

}  // namespace telvoran
