#pragma once

#include "core/chart/ArchiveTime.h"

namespace telvoran {

// The stretch of time a chart shows, moved and zoomed within the archive's whole span: it never
// leaves that span, never grows beyond it and never shrinks below a minimum length. A span
// shorter than the minimum (an archive of one record, say) is widened around its middle.
class TimeWindow {
 public:
  static constexpr double kShortestSpan = 10;   // seconds
  static constexpr double kShortestWhole = 60;  // seconds: a minute around a lone moment

  explicit TimeWindow(TimeSpan whole);

  TimeSpan Whole() const { return whole_; }
  TimeSpan Visible() const { return visible_; }
  bool ShowsAll() const { return visible_ == whole_; }

  void ShowAll() { visible_ = whole_; }
  // Shows `span`, kept within the whole span and at least the shortest length.
  void Show(TimeSpan span);
  // Multiplies the visible length by `factor` (below 1 zooms in), keeping `anchor` at the same
  // place on the screen.
  void Zoom(double anchor, double factor);
  // Moves the visible span by `seconds` (positive: later), as far as the whole span allows.
  void Move(double seconds);

 private:
  TimeSpan whole_;
  TimeSpan visible_;
};

}  // namespace telvoran
