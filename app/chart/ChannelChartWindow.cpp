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
#include "app/chart/ChannelAxes.h"
#include "app/chart/ChannelLineItem.h"
#include "app/chart/StatisticsTable.h"
#include "app/chart/TimeChartView.h"
#include "core/chart/ChannelEnvelope.h"
#include "core/chart/ChannelStatistics.h"
#include "core/chart/ChannelValue.h"
#include "core/chart/QuickLine.h"

namespace telvoran {
namespace {

const QColor kChannelColours[] = {QColor(31, 119, 180), QColor(214, 39, 40), QColor(44, 160, 44),
                                  QColor(148, 103, 189)};
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
  std::vector<ChannelAxes::Channel> channels;
  for (int channel = 0; channel < series_.ChannelCount(); ++channel)
    channels.push_back({series_.Channel(channel), ChannelLabel(channel), ChannelColour(channel)});
  axes_ = std::make_unique<ChannelAxes>(
      *Chart(), *TimeAxis(), *PlotArea(), std::move(channels), true, *this,
      [this](int channel) { SetChannelShown(channel, !ChannelShown(channel)); });

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
  axes_->SetCosmetic(!output);
}

QLineSeries* ChannelChartWindow::LegendSeries(int channel) const {
  return axes_->Legend(channel);
}

const ChannelLineItem& ChannelChartWindow::Line(int channel) const {
  return axes_->Line(channel);
}

QValueAxis* ChannelChartWindow::AxisOf(int channel) const {
  return axes_->AxisOf(channel);
}

bool ChannelChartWindow::ChannelShown(int channel) const {
  return axes_->Shown(channel);
}

void ChannelChartWindow::SetChannelShown(int channel, bool shown) {
  axes_->SetShown(channel, shown);
  // The hidden channel's legend entry is greyed; shown again it looks as it did at first, in
  // the window as in exports and printouts.
  const ChannelAxes::MarkerLook& look = axes_->FirstLook(channel);
  for (QLegendMarker* marker : axes_->Markers(channel)) {
    if (shown) {
      marker->setPen(look.pen);
      marker->setBrush(look.brush);
      marker->setLabelBrush(look.labelBrush);
      continue;
    }
    marker->setLabelBrush(palette().color(QPalette::Disabled, QPalette::WindowText));
    QColor colour = ChannelColour(channel);
    colour.setAlpha(60);
    marker->setBrush(colour);
    marker->setPen(QPen(colour));
  }
  Redraw();
}

void ChannelChartWindow::Redraw() {
  const TimeSpan visible = View()->Window().Visible();
  std::vector<ChannelAxes::ValueRange> ranges;
  for (int channel = 0; channel < series_.ChannelCount(); ++channel) {
    const ChannelStatistics statistics = StatisticsOver(series_, channel, visible);
    table_->Show(channel, statistics, series_.Channel(channel), ChannelShown(channel));
    ranges.emplace_back();
    if (statistics.count > 0) ranges.back() = {statistics.minimum, statistics.maximum};
  }
  axes_->Scale(ranges);
  for (int channel = 0; channel < series_.ChannelCount(); ++channel) DrawChannel(channel);
  HidePointerMarks();
}

void ChannelChartWindow::DrawChannel(int channel) {
  ChannelLineItem& line = axes_->Line(channel);
  if (!ChannelShown(channel)) {
    line.SetLine({});
    return;
  }
  const QRectF plot = Chart()->plotArea();
  const std::vector<EnvelopePoint> envelope = ChannelEnvelope(
      series_, channel, View()->Window().Visible(), std::max(1, static_cast<int>(plot.width())));
  std::vector<LinePoint> points;
  points.reserve(envelope.size());
  for (const EnvelopePoint& point : envelope)
    points.push_back(
        {View()->XOf(point.time), axes_->YOf(channel, point.value, plot), point.joinsPrevious});
  line.SetLine(points);
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
  for (int channel = 0; channel < axes_->Count(); ++channel) axes_->Line(channel).SetQuick(quickly);
}

void ChannelChartWindow::HidePointerMarks() {
  cursorLine_->hide();
  cursorBox_->hide();
}

}  // namespace telvoran
