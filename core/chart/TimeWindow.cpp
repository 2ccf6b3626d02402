#include "core/chart/TimeWindow.h"

#include <algorithm>
#include <cmath>

namespace telvoran {
namespace {

TimeSpan Widened(TimeSpan span) {
  if (!std::isfinite(span.from) || !std::isfinite(span.to) || span.to < span.from) span = {};
  if (span.Length() >= TimeWindow::kShortestWhole) return span;
  const double middle = (span.from + span.to) / 2;
  return {middle - TimeWindow::kShortestWhole / 2, middle + TimeWindow::kShortestWhole / 2};
}

}  // namespace

TimeWindow::TimeWindow(TimeSpan whole) : whole_(Widened(whole)), visible_(whole_) {}

void TimeWindow::Show(TimeSpan span) {
  if (!std::isfinite(span.from) || !std::isfinite(span.to)) return;
  if (span.to < span.from) std::swap(span.from, span.to);
  const double length = std::clamp(span.Length(), kShortestSpan, whole_.Length());
  const double middle = (span.from + span.to) / 2;
  const double from = std::max(whole_.from, std::min(middle - length / 2, whole_.to - length));
  visible_ = {from, from + length};
  if (length == whole_.Length()) visible_ = whole_;
}

void TimeWindow::Zoom(double anchor, double factor) {
  if (!std::isfinite(anchor) || !std::isfinite(factor) || factor <= 0) return;
  const double length = std::clamp(visible_.Length() * factor, kShortestSpan, whole_.Length());
  // The anchor keeps its share of the visible span on either side.
  const double share = visible_.Length() > 0
                           ? std::clamp((anchor - visible_.from) / visible_.Length(), 0.0, 1.0)
                           : 0.5;
  const double from = anchor - share * length;
  Show({from, from + length});
}

void TimeWindow::Move(double seconds) {
  if (!std::isfinite(seconds)) return;
  Show({visible_.from + seconds, visible_.to + seconds});
}

}  // namespace telvoran
