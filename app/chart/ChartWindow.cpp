#include "app/chart/ChartWindow.h"

#include <QCategoryAxis>
#include <QChart>
#include <QCoreApplication>
#include <QGraphicsLayout>
#include <QGraphicsRectItem>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "app/ProgramState.h"
#include "app/chart/TimeAxis.h"
#include "app/chart/TimeChartView.h"
#include "core/platform/LargeBuffer.h"
#include "core/text/StringIds.h"

namespace telvoran {
namespace {

// Above the grid and the axes, below the legend (Qt Charts' own stacking: grid 2, axes 3,
// series 4, legend 5).
constexpr qreal kDrawingZ = 4.5;

}  // namespace

ChartWindow::ChartWindow(const ProgramState& state, const QString& caption, QChart* chart,
                         TimeSpan whole, std::uint64_t recordsLeftOut)
    : state_(state), chart_(chart), recordsLeftOut_(recordsLeftOut) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(caption);
  setWindowIcon(QIcon(":/icons/chart.svg"));
  chart_->setAnimationOptions(QChart::NoAnimation);
  chart_->setBackgroundRoundness(0);
  chart_->setMargins(QMargins(6, 6, 6, 6));
  chart_->layout()->setContentsMargins(0, 0, 0, 0);
  view_ = new TimeChartView(chart_, whole);
  view_->setStatusTip(state_.Text(sid::kChartMouseHint));
  plotArea_ = new QGraphicsRectItem(chart_);
  plotArea_->setFlag(QGraphicsItem::ItemClipsChildrenToShape);
  plotArea_->setPen(Qt::NoPen);
  plotArea_->setZValue(kDrawingZ);
  timeAxis_ = new QCategoryAxis;
  timeAxis_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  timeAxis_->setTitleText(state_.Text(sid::kDateTimeColumn));
  chart_->addAxis(timeAxis_, Qt::AlignBottom);
}

// The chart and its view die with the window's child widgets, after the subclass is gone: what
// they signal then must not reach the subclass's drawing.
ChartWindow::~ChartWindow() {
  disconnect(chart_, nullptr, this, nullptr);
  disconnect(view_, nullptr, this, nullptr);
  // Once the window and what it held are gone, the heap's freed blocks go back to the system.
  QTimer::singleShot(0, QCoreApplication::instance(), &platform::ReturnFreedMemory);
}

QChart* ChartWindow::Chart() const {
  return chart_;
}

void ChartWindow::Complete() {
  auto* body = new QWidget;
  auto* column = new QVBoxLayout(body);
  column->setContentsMargins(4, 4, 4, 4);
  auto* buttons = new QHBoxLayout;
  WholeSpanButton = new QPushButton(state_.Text(sid::kChartWholeSpan));
  ExportButton = new QPushButton(state_.Text(sid::kChartExport));
  LeftOutNote =
      new QLabel(state_.Text(sid::kChartRecordsLeftOut) + QString::number(recordsLeftOut_));
  LeftOutNote->setVisible(recordsLeftOut_ > 0);
  buttons->addWidget(WholeSpanButton);
  buttons->addWidget(ExportButton);
  buttons->addSpacing(12);
  buttons->addWidget(LeftOutNote);
  buttons->addStretch();
  column->addLayout(buttons);
  PlaceView(*column, *view_);
  setWidget(body);

  connect(WholeSpanButton, &QPushButton::clicked, view_, &TimeChartView::ShowAll);
  connect(ExportButton, &QPushButton::clicked, this, &ChartWindow::ExportRequested);
  connect(view_, &TimeChartView::VisibleSpanChanged, this, [this] { RedrawAll(); });
  connect(view_, &TimeChartView::MovingChanged, this, &ChartWindow::DrawQuickly);
  connect(view_, &TimeChartView::PointerMoved, this, &ChartWindow::PointerMoved);
  connect(view_, &TimeChartView::PointerLeft, this, &ChartWindow::HidePointerMarks);
  connect(view_, &TimeChartView::TipRequested, this, &ChartWindow::ShowTip);
  connect(chart_, &QChart::plotAreaChanged, this, [this] { FollowPlotArea(); });
  FollowPlotArea();
}

void ChartWindow::PlaceView(QVBoxLayout& column, TimeChartView& view) {
  column.addWidget(&view, 1);
}

void ChartWindow::ShowTip(QPointF, QPoint) {}

void ChartWindow::DrawQuickly(bool) {}

void ChartWindow::Render(QPainter& painter, const QRectF& target) {
  view_->Settle();
  HidePointerMarks();
  // Laid out for the moment in the target's proportions, grown but never shrunk, so that a
  // landscape page is filled instead of a band of it keeping the window's shape; lines keep
  // their width in the chart's pixels rather than one dot of a fine printer.
  const QRectF shown = chart_->geometry();
  QSizeF laidOut = shown.size();
  if (target.width() > 0 && target.height() > 0 && !shown.isEmpty()) {
    const double aspect = target.height() / target.width();
    if (shown.height() < shown.width() * aspect)
      laidOut.setHeight(shown.width() * aspect);
    else
      laidOut.setWidth(shown.height() / aspect);
  }
  DrawForOutput(true);
  chart_->resize(laidOut);
  chart_->layout()->activate();
  chart_->scene()->render(&painter, target, QRectF(shown.topLeft(), laidOut), Qt::KeepAspectRatio);
  chart_->resize(shown.size());
  chart_->layout()->activate();
  DrawForOutput(false);
}

void ChartWindow::DrawForOutput(bool) {}

void ChartWindow::FollowPlotArea() {
  plotArea_->setRect(chart_->plotArea());
  RedrawAll();
}

void ChartWindow::RedrawAll() {
  if (redrawing_) {
    redrawPending_ = true;
    return;
  }
  redrawing_ = true;
  ++redraws_;
  ShowTimeSpan(*timeAxis_, view_->Window().Visible(), chart_->plotArea().width());
  Redraw();
  redrawing_ = false;
  if (redrawPending_) {
    redrawPending_ = false;
    QMetaObject::invokeMethod(this, &ChartWindow::FollowPlotArea, Qt::QueuedConnection);
  }
}

}  // namespace telvoran
