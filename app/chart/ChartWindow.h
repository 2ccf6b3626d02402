#pragma once

#include <QMdiSubWindow>

#include <cstdint>

class QCategoryAxis;
class QChart;
class QGraphicsRectItem;
class QLabel;
class QPainter;
class QPushButton;
class QVBoxLayout;

namespace telvoran {

class ProgramState;
class TimeChartView;
struct TimeSpan;

// What a channel chart and an alarm timeline share: a child window of the main window beside
// the views, captioned like the view it was drawn from, with a button that shows the whole span
// again, one that exports the chart, and the chart view below them. The time axis runs along the
// bottom of the chart; what a chart draws lies in an area clipped to the chart's plot area,
// above its grid and below its legend.
class ChartWindow : public QMdiSubWindow {
  Q_OBJECT

 public:
  ~ChartWindow() override;

  TimeChartView* View() const { return view_; }
  QChart* Chart() const;
  QPushButton* WholeSpanButton = nullptr;
  QPushButton* ExportButton = nullptr;
  // Says how many records were left out for their dates; hidden when none were.
  QLabel* LeftOutNote = nullptr;

  // How often the chart has been drawn for a span or plot area: once per change, never more.
  int Redraws() const { return redraws_; }
  // Draws the chart as shown, with its legend and axes and without the marks that follow the
  // pointer, into `target`: laid out anew in the target's proportions, so that it fills it.
  void Render(QPainter& painter, const QRectF& target);

 signals:
  void ExportRequested();

 protected:
  ChartWindow(const ProgramState& state, const QString& caption, QChart* chart, TimeSpan whole,
              std::uint64_t recordsLeftOut);

  const ProgramState& State() const { return state_; }
  QCategoryAxis* TimeAxis() const { return timeAxis_; }
  // The parent of what the chart draws over its plot area.
  QGraphicsRectItem* PlotArea() const { return plotArea_; }
  // Puts the chart view into the window; by default it fills the space below the buttons.
  virtual void PlaceView(QVBoxLayout& column, TimeChartView& view);
  // Switches what the chart draws between the screen and a picture, page or file, where a
  // line one screen pixel wide must not shrink to one dot of the device.
  virtual void DrawForOutput(bool output);
  // Sets everything up once the subclass is complete.
  void Complete();

  // Draws what the chart shows for the visible span, or for a new plot area.
  virtual void Redraw() = 0;
  virtual void PointerMoved(QPointF chartPosition, QPoint globalPosition) = 0;
  // The pointer rests over the plot area; nothing by default.
  virtual void ShowTip(QPointF chartPosition, QPoint globalPosition);
  virtual void HidePointerMarks() = 0;
  // The view started moving through time or settled: what is drawn may take a lighter form
  // while it moves. Nothing by default.
  virtual void DrawQuickly(bool quickly);

 private:
  void FollowPlotArea();
  void RedrawAll();

  const ProgramState& state_;
  QChart* chart_;
  TimeChartView* view_ = nullptr;
  QGraphicsRectItem* plotArea_ = nullptr;
  QCategoryAxis* timeAxis_ = nullptr;
  std::uint64_t recordsLeftOut_;
  // Drawing changes the axes, which may move the plot area again: that redraw waits its turn.
  bool redrawing_ = false;
  bool redrawPending_ = false;
  int redraws_ = 0;
};

}  // namespace telvoran
