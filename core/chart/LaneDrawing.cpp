#include "core/chart/LaneDrawing.h"

#include <algorithm>
#include <cmath>

#include "core/chart/AlarmTimeline.h"
#include "core/rows/EventRows.h"

namespace telvoran {
namespace {

constexpr int kUncovered = -1;

// The fill of an event: its colour digit, or zero for the situations drawn on the window
// background (O, F and codes outside the table).
char FillOf(const TimelineEvent& event) {
  const char digit = SituationColourDigit(event.code);
  return digit >= '0' && digit <= '4' ? digit : '\0';
}

}  // namespace

int SeverityOfColourDigit(char colourDigit) {
  switch (colourDigit) {
    case '2':  // high alarm
      return 5;
    case '1':  // low alarm
      return 4;
    case '3':  // fault
      return 3;
    case '4':  // warning
      return 2;
    case '0':  // normal
      return 1;
    default:
      return 0;
  }
}

LaneDrawing DrawLane(const AlarmTimeline& timeline, const Lane& lane, TimeSpan span, int columns) {
  LaneDrawing drawing;
  columns = std::max(columns, 1);
  const double columnsPerSecond = span.Length() > 0 ? columns / span.Length() : 0;
  auto columnOf = [&](double time) {
    return std::clamp(static_cast<int>(std::floor((time - span.from) * columnsPerSecond)), 0,
                      columns - 1);
  };

  // The first event that can reach into the span is the last one at or before its start.
  const std::vector<TimelineEvent>& events = lane.events;
  auto first = std::upper_bound(events.begin(), events.end(), span.from,
                                [](double from, const TimelineEvent& e) { return from < e.time; });
  if (first != events.begin()) --first;

  std::vector<char> fills(static_cast<std::size_t>(columns), 0);
  std::vector<int> severities(static_cast<std::size_t>(columns), kUncovered);
  for (auto event = first; event != events.end() && event->time <= span.to; ++event) {
    const auto index = static_cast<std::size_t>(event - events.begin());
    const EventSpan time = timeline.SpanOf(lane, index);
    if (time.from >= span.from) {
      const int mark = columnOf(static_cast<double>(time.from));
      if (drawing.markColumns.empty() || drawing.markColumns.back() != mark)
        drawing.markColumns.push_back(mark);
    }
    if (time.to <= time.from || time.to < span.from) continue;
    // A span covers each column it reaches into; one shorter than a column still covers one.
    const int from = columnOf(std::max(static_cast<double>(time.from), span.from));
    const double end = (static_cast<double>(time.to) - span.from) * columnsPerSecond;
    const int to = std::clamp(static_cast<int>(std::ceil(end)) - 1, from, columns - 1);
    const char fill = FillOf(*event);
    const int severity = SeverityOfColourDigit(fill);
    for (int column = from; column <= to; ++column) {
      const auto at = static_cast<std::size_t>(column);
      if (severity > severities[at]) {
        severities[at] = severity;
        fills[at] = fill;
      }
    }
  }

  for (int column = 0; column < columns; ++column) {
    const auto at = static_cast<std::size_t>(column);
    if (severities[at] == kUncovered) continue;
    if (!drawing.runs.empty() && drawing.runs.back().lastColumn == column - 1 &&
        drawing.runs.back().colourDigit == fills[at]) {
      drawing.runs.back().lastColumn = column;
    } else {
      drawing.runs.push_back({column, column, fills[at]});
    }
  }
  return drawing;
}

}  // namespace telvoran
