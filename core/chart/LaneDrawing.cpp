#include "core/chart/LaneDrawing.h"

#include <algorithm>
#include <cmath>
#include <ranges>

#include "core/chart/AlarmTimeline.h"
#include "core/rows/EventRows.h"

namespace telvoran {
namespace {

constexpr int kUncovered = -1;

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
  const std::vector<ArchiveSeconds>& times = lane.times;
  // The column an event's span starts in.
  auto startColumn = [&](std::size_t event) {
    return columnOf(std::max(static_cast<double>(times[event]), span.from));
  };

  std::vector<char> fills(static_cast<std::size_t>(columns), 0);
  std::vector<int> severities(static_cast<std::size_t>(columns), kUncovered);
  auto cover = [&](int from, int to, char fill) {
    const int severity = SeverityOfColourDigit(fill);
    for (int column = from; column <= to; ++column) {
      const auto at = static_cast<std::size_t>(column);
      if (severity > severities[at]) {
        severities[at] = severity;
        fills[at] = fill;
      }
    }
  };

  // The events that reach into the span: from the last one at or before its start to the last
  // one at or before its end.
  auto first = std::upper_bound(times.begin(), times.end(), span.from,
                                [](double from, ArchiveSeconds time) { return from < time; });
  if (first != times.begin()) --first;
  const auto stop = std::upper_bound(first, times.end(), span.to,
                                     [](double to, ArchiveSeconds time) { return to < time; });

  // Event by event would cost as much as there are events in the span; instead the events are
  // taken a pixel column at a time. Every event of a column but its last ends in that column
  // too, so it covers just that column: those count with their fill alone. The column's last
  // event may reach far to the right, and is drawn as a span of its own.
  for (auto at = static_cast<std::size_t>(first - times.begin());
       at < static_cast<std::size_t>(stop - times.begin());) {
    const int column = startColumn(at);
    const auto rest = std::views::iota(at, static_cast<std::size_t>(stop - times.begin()));
    const auto next = std::ranges::partition_point(
        rest, [&](std::size_t event) { return startColumn(event) <= column; });
    const std::size_t end =
        at + static_cast<std::size_t>(std::ranges::distance(rest.begin(), next));
    const std::size_t last = end - 1;
    if (static_cast<double>(times[last]) >= span.from &&
        (drawing.markColumns.empty() || drawing.markColumns.back() != column))
      drawing.markColumns.push_back(column);
    // A span of no length (the next event at the same moment) covers nothing.
    for (std::size_t event = at; event < last; ++event)
      if (times[event + 1] > times[event]) cover(column, column, lane.fills[event]);

    const EventSpan time = timeline.SpanOf(lane, last);
    if (time.to > time.from && time.to >= span.from) {
      // A span covers each column it reaches into; one shorter than a column still covers one.
      const double reach = (static_cast<double>(time.to) - span.from) * columnsPerSecond;
      cover(column, std::clamp(static_cast<int>(std::ceil(reach)) - 1, column, columns - 1),
            lane.fills[last]);
    }
    at = end;
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
