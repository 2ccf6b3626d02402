#pragma once

#include <QChartView>
#include <QPointF>
#include <QTimer>

#include "core/chart/TimeWindow.h"

class QRubberBand;

namespace telvoran {

// A chart view whose horizontal axis is time, with the ways of moving through it: the wheel
// zooms around the time under the pointer, dragging moves the time, dragging with Shift held
// zooms into the stretch marked, Home (or ShowAll) shows the whole span, the arrow keys move and
// + and - zoom. It keeps the visible span and tells when it changes; what is drawn for it is
// the owner's business. Clicks on the legend reach the chart as usual.
//
// While the span keeps changing the view is moving: it paints without anti-aliasing and its
// owner may draw lighter shapes, so that each step shows at once; a moment after the last step
// it settles and paints in full again. Whatever is exported or printed is drawn settled.
class TimeChartView : public QChartView {
  Q_OBJECT

 public:
  TimeChartView(QChart* chart, TimeSpan whole, QWidget* parent = nullptr);

  const TimeWindow& Window() const { return window_; }
  void ShowAll();
  void Show(TimeSpan span);
  void Zoom(double anchor, double factor);
  void Move(double seconds);

  // Between time and the chart's horizontal coordinate, over the plot area.
  double TimeAt(double chartX) const;
  double XOf(double time) const;

  bool Moving() const { return moving_; }
  // Ends the moving now: the view paints in full from here on.
  void Settle();

 signals:
  void VisibleSpanChanged();
  // The view started moving, or settled.
  void MovingChanged(bool moving);
  // The pointer moved over the chart, to this place in the chart's coordinates.
  void PointerMoved(QPointF chartPosition, QPoint globalPosition);
  void PointerLeft();
  // The pointer has rested over the plot area: the place to show a tip for.
  void TipRequested(QPointF chartPosition, QPoint globalPosition);

 protected:
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void leaveEvent(QEvent* event) override;
  // A tip for the plot area is the owner's; the legend's own tips stay the chart's.
  bool viewportEvent(QEvent* event) override;

 private:
  enum class Drag { None, Move, Mark };

  QPointF ChartPosition(QPoint viewPosition) const;
  bool InPlotArea(QPoint viewPosition) const;
  void Changed();

  TimeWindow window_;
  Drag drag_ = Drag::None;
  QPoint dragStart_;
  TimeSpan spanAtDragStart_;
  QRubberBand* band_ = nullptr;
  bool moving_ = false;
  QTimer settleTimer_;
};

}  // namespace telvoran
