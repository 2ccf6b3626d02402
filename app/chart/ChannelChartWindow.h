#pragma once

#include <memory>

#include "app/chart/ChartWindow.h"
#include "core/chart/ChannelStatistics.h"
#include "core/chart/IntervalSeries.h"

class QGraphicsLineItem;
class QGraphicsSimpleTextItem;
class QLineSeries;
class QValueAxis;

namespace telvoran {

class ChannelAxes;
class ChannelLineItem;
class StatisticsTable;

// The chart of an interval archive: every channel over time, each on the y axis of its unit
// (channels of one unit share an axis), named in the legend, where a click hides or shows it.
// The lines are drawn from the min/max envelope of the visible span, one point set per pixel
// column, so a million records draw as fast as a thousand. A cursor line follows the pointer
// with the time and every shown channel's value of the nearest record; the table below holds
// each channel's statistics over the visible span.
class ChannelChartWindow : public ChartWindow {
  Q_OBJECT

 public:
  ChannelChartWindow(const ProgramState& state, const QString& caption, IntervalSeries series);
  ~ChannelChartWindow() override;

  const IntervalSeries& Series() const { return series_; }
  StatisticsTable* Statistics() const { return table_; }
  QLineSeries* LegendSeries(int channel) const;
  QValueAxis* AxisOf(int channel) const;
  const ChannelLineItem& Line(int channel) const;
  bool ChannelShown(int channel) const;
  void SetChannelShown(int channel, bool shown);
  // The text of the cursor's label; empty while the cursor is hidden.
  QString CursorText() const;
  // Draws the cursor at `time`, as when the pointer stands there.
  void ShowCursorAt(double time);

  // The chart's least height, its axes and legend included.
  static constexpr int kChartMinimumHeight = 240;

 protected:
  void PlaceView(QVBoxLayout& column, TimeChartView& view) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void DrawForOutput(bool output) override;
  void Redraw() override;
  void PointerMoved(QPointF chartPosition, QPoint globalPosition) override;
  void HidePointerMarks() override;
  void DrawQuickly(bool quickly) override;

 private:
  void DrawChannel(int channel);
  QString ChannelLabel(int channel) const;

  IntervalSeries series_;
  std::unique_ptr<ChannelAxes> axes_;
  StatisticsTable* table_ = nullptr;
  QWidget* statisticsRoom_ = nullptr;  // the space the chart and the table share
  QGraphicsLineItem* cursorLine_ = nullptr;
  QGraphicsRectItem* cursorBox_ = nullptr;
  QGraphicsSimpleTextItem* cursorText_ = nullptr;
};

}  // namespace telvoran
