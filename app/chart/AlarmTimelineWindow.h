#pragma once

#include "app/chart/ChartWindow.h"
#include "core/chart/AlarmTimeline.h"

class QCategoryAxis;
class QScrollArea;

namespace telvoran {

class LanesItem;
class SituationKey;

// Where to ask Qt for a tip of size `tip` for the pointer at `pointer` so that the tip lies within
// `window` (both global): Qt puts a tip a little below and right of the point it is given, and
// keeps it on the screen only. Near the window's right or bottom edge the tip goes left of or
// above the pointer instead.
QPoint TipAnchor(QPoint pointer, QSize tip, const QRect& window);

// The alarm timeline of an event archive: one lane per central unit and channel, each event a
// mark at its time and the span until the lane's next event filled in the colour of its
// situation, the colours of the rows. Resting the pointer on a lane shows the row of the event
// whose situation holds there. Lanes stay at least a readable height; when they do not fit, the
// timeline scrolls.
class AlarmTimelineWindow : public ChartWindow {
  Q_OBJECT

 public:
  AlarmTimelineWindow(const ProgramState& state, const QString& caption, AlarmTimeline timeline);
  ~AlarmTimelineWindow() override;

  const AlarmTimeline& Timeline() const { return timeline_; }
  const LanesItem& Lanes() const { return *lanes_; }
  const SituationKey& Key() const { return *key_; }
  // The height every lane keeps at least, in pixels; the timeline scrolls when they do not fit.
  int LeastLaneHeight() const;
  QCategoryAxis* LaneAxis() const { return laneAxis_; }
  // The text shown for the pointer at `chartPosition`: the row of the event whose situation
  // holds there and until when it lasts; empty where no event's situation holds.
  QString TextAt(QPointF chartPosition) const;
  // Asks for the chart of the channel of the alarm under `chartPosition`, at its moment; false
  // where no alarm is.
  bool ShowChannelAt(QPointF chartPosition);

 signals:
  // The chart of `lane`'s unit and channel around `moment` (archive seconds) is asked for.
  void ChannelAsked(LaneKey lane, double moment);

 protected:
  void PlaceView(QVBoxLayout& column, TimeChartView& view) override;
  void Redraw() override;
  void PointerMoved(QPointF chartPosition, QPoint globalPosition) override;
  void ShowTip(QPointF chartPosition, QPoint globalPosition) override;
  void HidePointerMarks() override;
  void DrawQuickly(bool quickly) override;

 private:
  void BuildLaneAxis();
  void BuildSituationLegend();
  void PlaceKey();

  AlarmTimeline timeline_;
  LanesItem* lanes_ = nullptr;
  SituationKey* key_ = nullptr;
  QCategoryAxis* laneAxis_ = nullptr;
};

}  // namespace telvoran
