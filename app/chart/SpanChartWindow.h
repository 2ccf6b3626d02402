#pragma once

#include <QPointF>

#include <memory>
#include <optional>
#include <vector>

#include "app/chart/ChartWindow.h"
#include "core/chart/AlarmTimeline.h"
#include "core/chart/SpanEnvelope.h"

class QGraphicsSimpleTextItem;
class QLineSeries;

namespace telvoran {

class ChannelAxes;
class LanesItem;

// The channel chart of a central unit's span of days: one line per channel from the first day
// to the last, drawn from the span's envelope index (exactly, from the records, once few days
// are in view), each channel on the y axis of its unit. Below the time axis, on the same time
// scale, a band holds the unit's alarms, a lane per channel in the situation colours; resting
// the pointer on it shows the event's row, clicking centres the chart on the event.
class SpanChartWindow : public ChartWindow {
  Q_OBJECT

 public:
  SpanChartWindow(const ProgramState& state, const QString& caption, SpanEnvelope envelope,
                  AlarmTimeline alarms);
  ~SpanChartWindow() override;

  const SpanEnvelope& Envelope() const { return envelope_; }
  const AlarmTimeline& Alarms() const { return alarms_; }
  QLineSeries* LegendSeries(int series) const;
  bool SeriesShown(int series) const;
  void SetSeriesShown(int series, bool shown);
  // The band's place in the chart's coordinates; empty without alarms.
  QRectF BandArea() const { return band_; }
  // The row of the alarm under `chartPosition` in the band, as a tip shows it; empty elsewhere.
  QString AlarmTextAt(QPointF chartPosition) const;
  // Centres the chart on the alarm under `chartPosition`, as a click does; false when none is.
  bool CentreOnAlarmAt(QPointF chartPosition);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void DrawForOutput(bool output) override;
  void Redraw() override;
  void PointerMoved(QPointF chartPosition, QPoint globalPosition) override;
  void HidePointerMarks() override;
  void DrawQuickly(bool quickly) override;

 private:
  void BuildBand();
  void PlaceBand();
  QString SeriesLabel(int series) const;
  std::optional<std::pair<std::size_t, std::size_t>> AlarmAt(QPointF chartPosition) const;

  SpanEnvelope envelope_;
  AlarmTimeline alarms_;
  std::unique_ptr<ChannelAxes> axes_;
  LanesItem* lanes_ = nullptr;
  std::vector<QGraphicsSimpleTextItem*> laneLabels_;
  QGraphicsSimpleTextItem* bandHeading_ = nullptr;
  QRectF band_;
};

}  // namespace telvoran
