#include "app/chart/TimeChartView.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRubberBand>
#include <QWheelEvent>

#include <cmath>

namespace telvoran {
namespace {

constexpr double kZoomPerNotch = 0.8;  // one notch of the wheel shows four fifths
constexpr double kKeyMoveShare = 0.1;  // an arrow key moves a tenth of the visible span
constexpr int kWheelNotch = 120;
constexpr int kShortestMark = 3;  // pixels: a shorter marked stretch is taken for a click
// A pause this long after a step of zooming or moving ends the moving (about the time between
// two steps of a slow wheel turn, so a turn stays quick from its first notch to its last).
constexpr int kSettleAfterMilliseconds = 250;

}  // namespace

TimeChartView::TimeChartView(QChart* chart, TimeSpan whole, QWidget* parent)
    : QChartView(chart, parent), window_(whole) {
  setRenderHint(QPainter::Antialiasing);
  setRubberBand(QChartView::NoRubberBand);
  // The cursor follows the pointer without a button held.
  viewport()->setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  band_ = new QRubberBand(QRubberBand::Rectangle, viewport());
  settleTimer_.setSingleShot(true);
  settleTimer_.setInterval(kSettleAfterMilliseconds);
  connect(&settleTimer_, &QTimer::timeout, this, &TimeChartView::Settle);
}

void TimeChartView::Settle() {
  settleTimer_.stop();
  if (!moving_) return;
  moving_ = false;
  setRenderHint(QPainter::Antialiasing, true);
  emit MovingChanged(false);
}

void TimeChartView::ShowAll() {
  window_.ShowAll();
  Changed();
}

void TimeChartView::Show(TimeSpan span) {
  window_.Show(span);
  Changed();
}

void TimeChartView::Zoom(double anchor, double factor) {
  window_.Zoom(anchor, factor);
  Changed();
}

void TimeChartView::Move(double seconds) {
  window_.Move(seconds);
  Changed();
}

double TimeChartView::TimeAt(double chartX) const {
  const QRectF plot = chart()->plotArea();
  const TimeSpan visible = window_.Visible();
  if (plot.width() <= 0) return visible.from;
  return visible.from + (chartX - plot.left()) / plot.width() * visible.Length();
}

double TimeChartView::XOf(double time) const {
  const QRectF plot = chart()->plotArea();
  const TimeSpan visible = window_.Visible();
  if (visible.Length() <= 0) return plot.left();
  return plot.left() + (time - visible.from) / visible.Length() * plot.width();
}

void TimeChartView::wheelEvent(QWheelEvent* event) {
  const int notches = event->angleDelta().y();
  if (notches == 0) return;
  const double anchor = TimeAt(ChartPosition(event->position().toPoint()).x());
  Zoom(anchor, std::pow(kZoomPerNotch, static_cast<double>(notches) / kWheelNotch));
  event->accept();
}

void TimeChartView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !InPlotArea(event->position().toPoint())) {
    QChartView::mousePressEvent(event);  // the legend's markers take their clicks here
    return;
  }
  dragStart_ = event->position().toPoint();
  spanAtDragStart_ = window_.Visible();
  if (event->modifiers() & Qt::ShiftModifier) {
    drag_ = Drag::Mark;
    const QRectF plot = chart()->plotArea();
    band_->setGeometry(QRect(mapFromScene(chart()->mapToScene(QPointF(dragStart_.x(), plot.top()))),
                             QSize(1, static_cast<int>(plot.height()))));
    band_->show();
  } else {
    drag_ = Drag::Move;
    viewport()->setCursor(Qt::ClosedHandCursor);
  }
  event->accept();
}

void TimeChartView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint position = event->position().toPoint();
  switch (drag_) {
    case Drag::Move: {
      const double width = chart()->plotArea().width();
      if (width > 0) {
        const double seconds = (dragStart_.x() - position.x()) / width * spanAtDragStart_.Length();
        window_.Show({spanAtDragStart_.from + seconds, spanAtDragStart_.to + seconds});
        Changed();
      }
      break;
    }
    case Drag::Mark: {
      const QRect band = band_->geometry();
      band_->setGeometry(QRect(QPoint(std::min(dragStart_.x(), position.x()), band.top()),
                               QSize(std::abs(position.x() - dragStart_.x()) + 1, band.height())));
      break;
    }
    case Drag::None:
      break;
  }
  emit PointerMoved(ChartPosition(position), event->globalPosition().toPoint());
  QChartView::mouseMoveEvent(event);
}

void TimeChartView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || drag_ == Drag::None) {
    QChartView::mouseReleaseEvent(event);
    return;
  }
  if (drag_ == Drag::Mark) {
    band_->hide();
    const int left = std::min(dragStart_.x(), event->position().toPoint().x());
    const int right = std::max(dragStart_.x(), event->position().toPoint().x());
    if (right - left >= kShortestMark) {
      const double from = TimeAt(ChartPosition(QPoint(left, 0)).x());
      const double to = TimeAt(ChartPosition(QPoint(right, 0)).x());
      Show({from, to});
    }
  }
  viewport()->unsetCursor();
  const bool moved = drag_ == Drag::Move;
  drag_ = Drag::None;
  if (moved && moving_) settleTimer_.start();
  event->accept();
}

void TimeChartView::keyPressEvent(QKeyEvent* event) {
  const TimeSpan visible = window_.Visible();
  const double middle = (visible.from + visible.to) / 2;
  switch (event->key()) {
    case Qt::Key_Home:
      ShowAll();
      break;
    case Qt::Key_Left:
      Move(-kKeyMoveShare * visible.Length());
      break;
    case Qt::Key_Right:
      Move(kKeyMoveShare * visible.Length());
      break;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
      Zoom(middle, kZoomPerNotch);
      break;
    case Qt::Key_Minus:
      Zoom(middle, 1 / kZoomPerNotch);
      break;
    default:
      QChartView::keyPressEvent(event);
      return;
  }
  event->accept();
}

void TimeChartView::leaveEvent(QEvent* event) {
  emit PointerLeft();
  QChartView::leaveEvent(event);
}

bool TimeChartView::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    const auto* help = static_cast<QHelpEvent*>(event);
    if (InPlotArea(help->pos())) {
      emit TipRequested(ChartPosition(help->pos()), help->globalPos());
      return true;
    }
  }
  return QChartView::viewportEvent(event);
}

QPointF TimeChartView::ChartPosition(QPoint viewPosition) const {
  return chart()->mapFromScene(mapToScene(viewPosition));
}

bool TimeChartView::InPlotArea(QPoint viewPosition) const {
  return chart()->plotArea().contains(ChartPosition(viewPosition));
}

void TimeChartView::Changed() {
  // A drag held still keeps the view moving until the button is let go.
  if (drag_ == Drag::Move) {
    settleTimer_.stop();
  } else {
    settleTimer_.start();
  }
  if (!moving_) {
    moving_ = true;
    setRenderHint(QPainter::Antialiasing, false);
    emit MovingChanged(true);
  }
  emit VisibleSpanChanged();
}

}  // namespace telvoran
