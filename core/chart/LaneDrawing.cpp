#include "core/chart/LaneDrawing.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/chart/AlarmTimeline.h"
#include "core/rows/EventRows.h"

namespace telvoran {
namespace {

constexpr int kUncovered = -1;
constexpr int kEventsProbed = 16;

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
  const std::vector<CompactSeconds>& times = lane.times;
  // The column a span starting at `time` starts in.
  auto startColumn = [&](ArchiveSeconds time) {
    return columnOf(std::max(static_cast<double>(time), span.from));
  };
  // The earliest time whose span starts right of `column`; none for the last column.
  auto columnEnd = [&](int column) {
    if (column >= columns - 1 || columnsPerSecond <= 0)
      return std::numeric_limits<ArchiveSeconds>::max();
    auto time = static_cast<ArchiveSeconds>(std::ceil(span.from + (column + 1) / columnsPerSecond));
    // The estimate is off by rounding at most: the column's own arithmetic decides.
    while (startColumn(time - 1) > column) --time;
    while (startColumn(time) <= column) ++time;
    return time;
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
  const auto stopAt = static_cast<std::size_t>(stop - times.begin());
  for (auto at = static_cast<std::size_t>(first - times.begin()); at < stopAt;) {
    const int column = startColumn(times[at]);
    const ArchiveSeconds end = columnEnd(column);
    // Mostly a few events share a column: they are looked at one by one before the rest of
    // the column's events is searched for its end.
    std::size_t next = at + 1;
    for (int probe = 0; probe < kEventsProbed && next < stopAt && times[next] < end; ++probe)
      ++next;
    if (next < stopAt && times[next] < end)
      next = static_cast<std::size_t>(
          std::lower_bound(times.begin() + static_cast<std::ptrdiff_t>(next), stop, end) -
          times.begin());
    const std::size_t last = next - 1;
    if (static_cast<double>(times[last]) >= span.from &&
        (drawing.markColumns.empty() || drawing.markColumns.back() != column))
      drawing.markColumns.push_back(column);
    // A span of no length (the next event at the same moment) covers nothing.
    int severity = kUncovered;
    char fill = 0;
    for (std::size_t event = at; event < last; ++event) {
      const int eventSeverity = SeverityOfColourDigit(lane.fills[event]);
      if (times[event + 1] > times[event] && eventSeverity > severity) {
        severity = eventSeverity;
        fill = lane.fills[event];
      }
    }
    if (severity != kUncovered) cover(column, column, fill);

    const EventSpan time = timeline.SpanOf(lane, last);
    if (time.to > time.from && time.to >= span.from) {
      // A span covers each column it reaches into; one shorter than a column still covers one.
      const double reach = (static_cast<double>(time.to) - span.from) * columnsPerSecond;
      cover(column, std::clamp(static_cast<int>(std::ceil(reach)) - 1, column, columns - 1),
            lane.fills[last]);
    }
    at = next;
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

std::vector<int> ClearMarks(const std::vector<int>& markColumns, int gap) {
  std::vector<int> clear;
  for (std::size_t i = 0; i < markColumns.size(); ++i) {
    const bool clearBefore = i == 0 || markColumns[i] - markColumns[i - 1] >= gap;
    const bool clearAfter =
        i + 1 == markColumns.size() || markColumns[i + 1] - markColumns[i] >= gap;
    if (clearBefore && clearAfter) clear.push_back(markColumns[i]);
  }
  return clear;
}

}  // namespace telvoran
