#include "app/chart/AlarmTimelineWindow.h"

#include <QCategoryAxis>
#include <QChart>
#include <QFontMetrics>
#include <QLabel>
#include <QLegend>
#include <QMenu>
#include <QScrollArea>
#include <QStyle>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "app/ProgramState.h"
#include "app/QtText.h"
#include "app/chart/LanesItem.h"
#include "app/chart/SituationKey.h"
#include "app/chart/TimeChartView.h"
#include "app/views/RowDelegates.h"
#include "core/rows/EventRows.h"
#include "core/text/StringIds.h"

namespace telvoran {
namespace {

constexpr int kChartFrameHeight = 110;  // legend, time axis and margins
constexpr int kKeyTop = 6;              // the key's distance from the chart's top edge
constexpr int kKeyGap = 8;              // between the key and the lanes

// The situations named in the legend, in the order of the rows' colours.
constexpr struct {
  int textId;
  char colourDigit;
} kLegendSituations[] = {{sid::kSituationG, '0'}, {sid::kSituationL, '1'}, {sid::kSituationH, '2'},
                         {sid::kSituationM, '3'}, {sid::kSituationW, '4'}, {sid::kSituationO, 0},
                         {sid::kSituationF, 0}};

}  // namespace

AlarmTimelineWindow::AlarmTimelineWindow(const ProgramState& state, const QString& caption,
                                         AlarmTimeline timeline)
    : ChartWindow(state, caption, new QChart, timeline.FullSpan(), timeline.RecordsWithoutTime()),
      timeline_(std::move(timeline)) {
  BuildLaneAxis();
  BuildSituationLegend();
  lanes_ = new LanesItem(timeline_, PlotArea());
  resize(760, 500);
  Complete();
  // The alarm under the pointer leads to its channel's chart.
  View()->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(View(), &QWidget::customContextMenuRequested, this, [this](QPoint at) {
    const QPointF chartPosition = Chart()->mapFromScene(View()->mapToScene(at));
    if (TextAt(chartPosition).isEmpty()) return;
    QMenu menu(this);
    QAction* show = menu.addAction(State().Text(sid::kShowChannel));
    show->setStatusTip(State().Text(sid::kShowChannelHint));
    if (menu.exec(View()->mapToGlobal(at)) == show) ShowChannelAt(chartPosition);
  });
}

AlarmTimelineWindow::~AlarmTimelineWindow() = default;

// The lanes read from the top: "Cen. 8  Ch. 1", with the captions of the event view's columns.
void AlarmTimelineWindow::BuildLaneAxis() {
  laneAxis_ = new QCategoryAxis;
  laneAxis_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionCenter);
  laneAxis_->setReverse(true);
  const QString central = State().Text(sid::kCentralColumn);
  const QString channel = State().Text(sid::kChannelColumn);
  const auto& lanes = timeline_.Lanes();
  laneAxis_->setRange(0, std::max<double>(1, static_cast<double>(lanes.size())));
  for (std::size_t i = 0; i < lanes.size(); ++i) {
    const LaneKey& key = lanes[i].key;
    // A channel byte that is no character gets its number, so every lane keeps a label.
    const QString channelText =
        key.channel < 32
            ? '#' + QString::number(key.channel)
            : FromCp1250(std::string_view(reinterpret_cast<const char*>(&key.channel), 1));
    laneAxis_->append(
        central + ' ' + QString::number(key.centralUnit) + "  " + channel + ' ' + channelText,
        static_cast<double>(i + 1));
  }
  Chart()->addAxis(laneAxis_, Qt::AlignLeft);
}

// A lane's label is cut to dots when it is not clearly higher than a line of its font, so every
// lane is at least that high; more lanes than fit make the timeline scroll.
int AlarmTimelineWindow::LeastLaneHeight() const {
  return std::max(18, QFontMetrics(laneAxis_->labelsFont()).height() + 8);
}

// The key in place of Qt's legend, which cuts the situations' long texts to dots when they do
// not share a line: its rows wrap above the lanes.
void AlarmTimelineWindow::BuildSituationLegend() {
  Chart()->legend()->hide();
  std::vector<SituationKey::Entry> entries;
  for (const auto& situation : kLegendSituations) {
    const char digit[] = {situation.colourDigit};
    // The situations drawn on the window background, outlined as their lanes are.
    const QColor colour = SituationColour(std::string_view(digit, 1)).value_or(Qt::white);
    entries.push_back({colour, situation.colourDigit ? colour.darker(130) : QColor(160, 160, 160),
                       State().Text(situation.textId)});
  }
  key_ = new SituationKey(std::move(entries), Chart()->legend()->font(), Chart());
  connect(Chart(), &QGraphicsWidget::geometryChanged, this, &AlarmTimelineWindow::PlaceKey);
  PlaceKey();
}

void AlarmTimelineWindow::PlaceKey() {
  const QMargins margins = Chart()->margins();
  const double height = key_->LayOut(Chart()->size().width() - margins.left() - margins.right());
  key_->setPos(margins.left(), kKeyTop);
  const int top = kKeyTop + static_cast<int>(std::ceil(height)) + kKeyGap;
  if (margins.top() != top)
    Chart()->setMargins(QMargins(margins.left(), top, margins.right(), margins.bottom()));
}

void AlarmTimelineWindow::PlaceView(QVBoxLayout& column, TimeChartView& view) {
  const int lanes = static_cast<int>(timeline_.Lanes().size());
  view.setMinimumHeight(kChartFrameHeight + LeastLaneHeight() * std::max(1, lanes));
  auto* scroll = new QScrollArea;
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidget(&view);
  column.addWidget(scroll, 1);
}

void AlarmTimelineWindow::Redraw() {
  lanes_->Draw(View()->Window().Visible(), Chart()->plotArea());
}

QString AlarmTimelineWindow::TextAt(QPointF chartPosition) const {
  if (!Chart()->plotArea().contains(chartPosition)) return {};
  const std::optional<std::size_t> lane = lanes_->LaneAt(chartPosition.y());
  if (!lane) return {};
  const Lane& events = timeline_.Lanes()[*lane];
  const std::optional<std::size_t> event =
      timeline_.EventAt(events, View()->TimeAt(chartPosition.x()));
  if (!event) return {};
  const RowText row = EventRow(EventRecordOf(events.events[*event]), 1, State().Strings());
  const EventSpan span = timeline_.SpanOf(events, *event);
  return FromCp1250(EventDisplayText(row.Text(), 1)) + '\n' + State().Text(sid::kChartLastsUntil) +
         QString::fromStdString(FormatArchiveTime(span.to));
}

bool AlarmTimelineWindow::ShowChannelAt(QPointF chartPosition) {
  if (!Chart()->plotArea().contains(chartPosition)) return false;
  const std::optional<std::size_t> lane = lanes_->LaneAt(chartPosition.y());
  if (!lane) return false;
  const Lane& events = timeline_.Lanes()[*lane];
  const std::optional<std::size_t> event =
      timeline_.EventAt(events, View()->TimeAt(chartPosition.x()));
  if (!event) return false;
  emit ChannelAsked(events.key, static_cast<double>(events.times[*event]));
  return true;
}

QPoint TipAnchor(QPoint pointer, QSize tip, const QRect& window) {
  // Qt's own offset of a tip from the point it is given (see QTipLabel::placeTip).
  const QPoint offset(2, 16);
  QPoint anchor = pointer;
  if (pointer.x() + offset.x() + tip.width() > window.right())
    anchor.setX(std::max(window.left(), window.right() - tip.width()) - offset.x());
  if (pointer.y() + offset.y() + tip.height() > window.bottom())
    anchor.setY(std::max(window.top(), pointer.y() - tip.height() - offset.x()) - offset.y());
  return anchor;
}

// A tip once shown follows the pointer from event to event.
void AlarmTimelineWindow::PointerMoved(QPointF chartPosition, QPoint globalPosition) {
  if (QToolTip::isVisible()) ShowTip(chartPosition, globalPosition);
}

void AlarmTimelineWindow::ShowTip(QPointF chartPosition, QPoint globalPosition) {
  const QString text = TextAt(chartPosition);
  if (text.isEmpty()) {
    HidePointerMarks();
    return;
  }
  // The row keeps its columns in a fixed-pitch font.
  const QString tip =
      "<pre style='font-family:\"Courier New\",monospace'>" + text.toHtmlEscaped() + "</pre>";
  // The tip's size as Qt's tip label will have it, measured before it is shown.
  QLabel measure(tip);
  measure.setFont(QToolTip::font());
  measure.setMargin(1 + style()->pixelMetric(QStyle::PM_ToolTipLabelFrameWidth, nullptr, &measure));
  measure.setFrameStyle(QFrame::NoFrame);
  const QRect chartWindow(mapToGlobal(QPoint(0, 0)), size());
  QToolTip::showText(TipAnchor(globalPosition, measure.sizeHint(), chartWindow), tip, View());
}

void AlarmTimelineWindow::DrawQuickly(bool quickly) {
  lanes_->SetQuick(quickly);
}

void AlarmTimelineWindow::HidePointerMarks() {
  QToolTip::hideText();
}

}  // namespace telvoran
